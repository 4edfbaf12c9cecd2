// The program's name as its windows and message boxes show it.
#pragma once

namespace corvanta {

inline constexpr const char* kAppTitle = "Corvanta";

}  // namespace corvanta
