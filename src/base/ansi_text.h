// Text helpers for names and texts in the ANSI code page (Western, 1252):
// comparisons without regard to case follow the registry's rules, so
// "CAF\xC9" names the same key as "caf\xE9".
#pragma once

#include <string>
#include <string_view>

namespace corvanta {

char foldAnsiCase(char c);
std::string foldAnsiCase(std::string_view text);
bool equalsIgnoringCase(std::string_view a, std::string_view b);

// Removes leading and trailing blanks (spaces only, as the program's
// trimming always did; tabs are kept).
std::string trimSpaces(std::string_view text);

}  // namespace corvanta
