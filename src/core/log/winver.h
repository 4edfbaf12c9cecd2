// The Windows version as a text: "Windows 98, version: 4.10",
// "Windows NT, version: 5.1". The Drives page picks its defragmenter by it.
#pragma once

#include <string>

namespace corvanta {

class DialogsPort;
class SystemPort;

// Never raises: a failure on the way is shown to the user and the text built
// so far is returned.
std::string GetWindowsVersion(SystemPort& system, DialogsPort& dialogs);

}  // namespace corvanta
