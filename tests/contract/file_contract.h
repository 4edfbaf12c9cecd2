// The file-system behaviour the program relies on, written once and run
// against the in-memory file system (host) and the real one (Wine).
#pragma once

#include <functional>
#include <string>

#include "platform/file_port.h"

namespace corvanta::testing {

// `root` is an existing empty folder; `hide` gives a path the hidden
// attribute.
void checkFileRules(FilePort& files, const std::string& root,
                    const std::function<void(const std::string&)>& hide);

}  // namespace corvanta::testing
