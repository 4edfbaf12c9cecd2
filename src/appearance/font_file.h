// What a TrueType or OpenType font file calls itself: the full name in its
// name table ("Arial Bold"), which is how the system's font list names the
// file it installs.
#pragma once

#include <optional>
#include <string>

namespace corvanta {

// The full font name (name ID 4; the family, ID 1, when there is none), as
// UTF-8, whole; nothing when the bytes are no font the parser knows or the
// name is empty or cannot be read whole.
std::optional<std::string> fontFullName(const std::string& bytes);

}  // namespace corvanta
