#include "base/ansi_text.h"

#include <algorithm>

namespace corvanta {

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

namespace {

std::string trimAny(std::string_view text, std::string_view blanks) {
  const auto first = text.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(blanks);
  return std::string(text.substr(first, last - first + 1));
}

}  // namespace

std::string trimSpaces(std::string_view text) { return trimAny(text, " "); }
std::string trimBlanks(std::string_view text) { return trimAny(text, " \t\r"); }

}  // namespace corvanta
