// Upper-case folding for code page 1252. Besides ASCII, the Latin-1 letters
// 0xE0-0xFE fold onto 0xC0-0xDE (0xF7, the division sign, has no capital),
// and four letters in the 0x80-0x9F block have capitals there too.
#include "base/ansi_text.h"

#include <algorithm>

namespace corvanta {

char foldAnsiCase(char c) {
  const auto u = static_cast<unsigned char>(c);
  if (u >= 'a' && u <= 'z') return static_cast<char>(u - 0x20);
  if (u >= 0xE0 && u <= 0xFE && u != 0xF7) return static_cast<char>(u - 0x20);
  switch (u) {
    case 0x9A: return static_cast<char>(0x8A);  // s caron
    case 0x9C: return static_cast<char>(0x8C);  // oe ligature
    case 0x9E: return static_cast<char>(0x8E);  // z caron
    case 0xFF: return static_cast<char>(0x9F);  // y diaeresis
    default: return c;
  }
}

std::string foldAnsiCase(std::string_view text) {
  std::string folded(text);
  for (char& c : folded) c = foldAnsiCase(c);
  return folded;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return foldAnsiCase(x) == foldAnsiCase(y);
         });
}

std::string trimSpaces(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(' ');
  return std::string(text.substr(first, last - first + 1));
}

}  // namespace corvanta
