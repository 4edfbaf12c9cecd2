// Text helpers for names and texts in the ANSI code page (Western, 1252):
// comparisons without regard to case follow the registry's rules, so
// "CAF\xC9" names the same key as "caf\xE9".
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace corvanta {

namespace detail {
// Upper-case folding for code page 1252. Besides ASCII, the Latin-1 letters
// 0xE0-0xFE fold onto 0xC0-0xDE (0xF7, the division sign, has no capital),
// and four letters in the 0x80-0x9F block have capitals there too.
constexpr std::array<unsigned char, 256> makeAnsiFoldTable() {
  std::array<unsigned char, 256> table{};
  for (int c = 0; c < 256; ++c) table[c] = static_cast<unsigned char>(c);
  for (int c = 'a'; c <= 'z'; ++c) table[c] = static_cast<unsigned char>(c - 0x20);
  for (int c = 0xE0; c <= 0xFE; ++c) {
    if (c != 0xF7) table[c] = static_cast<unsigned char>(c - 0x20);
  }
  table[0x9A] = 0x8A;  // s caron
  table[0x9C] = 0x8C;  // oe ligature
  table[0x9E] = 0x8E;  // z caron
  table[0xFF] = 0x9F;  // y diaeresis
  return table;
}
inline constexpr std::array<unsigned char, 256> kAnsiFoldTable = makeAnsiFoldTable();
}  // namespace detail

inline char foldAnsiCase(char c) {
  return static_cast<char>(detail::kAnsiFoldTable[static_cast<unsigned char>(c)]);
}
std::string foldAnsiCase(std::string_view text);
bool equalsIgnoringCase(std::string_view a, std::string_view b);

// Removes leading and trailing blanks (spaces only, as the program's
// trimming always did; tabs are kept).
std::string trimSpaces(std::string_view text);
// Removes leading and trailing spaces, tabs and carriage returns, as INI-style
// files are read.
std::string trimBlanks(std::string_view text);

}  // namespace corvanta
