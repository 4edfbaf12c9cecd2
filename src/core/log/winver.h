// The Windows version as a text: "Windows 98, version: 4.10",
// "Windows NT, version: 5.1". The Drives page picks its defragmenter by it.
#pragma once

#include <string>

namespace corvanta {

class DialogsPort;
class SystemPort;

// Never raises: a failure on the way is shown to the user, `failure` first
// (the caller's words, in the user's language), and the text built so far
// is returned.
inline constexpr const char* kWindowsVersionFailure =
    "Error Occurred while Getting Windows Version !!";
std::string GetWindowsVersion(SystemPort& system, DialogsPort& dialogs,
                              const std::string& failure = kWindowsVersionFailure);

}  // namespace corvanta
