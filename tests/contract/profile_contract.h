// The profile-string rules the language files rely on, written once and run
// against the in-memory system (host) and the real profile API (Wine).
#pragma once

#include <functional>
#include <string>

#include "platform/system_port.h"

namespace corvanta::testing {

// Writes an INI file with the given text and returns its path.
using WriteIniFile = std::function<std::string(const std::string& name, const std::string& text)>;

// Runs every case with gtest assertions.
void checkProfileRules(SystemPort& system, const WriteIniFile& write);

}  // namespace corvanta::testing
