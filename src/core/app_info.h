// Facts about the program itself: its title and the folder it runs from,
// beside which the language files, skin, splash, help and error log live.
#pragma once

#include <string>

#include "base/app_title.h"

namespace corvanta {

class SystemPort;
// The machine-wide name the running program holds, so that a second start
// ends at once.
inline constexpr const char* kSingleInstanceName = "Corvanta.MainWindow.SingleInstance";

// The folder of the running executable, without a trailing backslash
// ("C:\Program Files\Corvanta"; "C:" for a program in a drive's root), so that
// AppFolder(...) + "\file" always names a file beside the program.
std::string AppFolder(SystemPort& system);

}  // namespace corvanta
