#include "base/number_format.h"

#include <cmath>
#include <cstdio>

namespace corvanta {

std::string formatGrouped(double value, const std::string& thousandsSeparator) {
  const std::string digits = formatWhole(value);
  const bool negative = !digits.empty() && digits[0] == '-';
  const std::size_t first = negative ? 1 : 0;
  std::string grouped;
  for (std::size_t i = first; i < digits.size(); ++i) {
    if (i > first && (digits.size() - i) % 3 == 0) grouped += thousandsSeparator;
    grouped += digits[i];
  }
  return negative ? "-" + grouped : grouped;
}

std::string formatWhole(double value) {
  const double rounded = std::round(value);
  if (rounded == 0.0 || !std::isfinite(rounded)) return {};
  char text[32];
  std::snprintf(text, sizeof text, "%.0f", rounded);
  return text;
}

}  // namespace corvanta
