// Numbers as the program has always shown them: whole numbers rounded half
// away from zero, grouped by thousands with the user's separator, and an
// empty text for a value that rounds to zero (the "#,###" and "#" patterns).
#pragma once

#include <string>

namespace corvanta {

// Format(value, "#,###").
std::string formatGrouped(double value, const std::string& thousandsSeparator);
// Format(value, "#").
std::string formatWhole(double value);

}  // namespace corvanta
