#include "registry/shell_value.h"

#include <cmath>
#include <cstdlib>
#include <limits>

#include "base/text.h"

namespace corvanta {
namespace {

// A decimal figure with an optional sign and fraction, blanks around it.
bool parseFigure(const std::string& text, double& out) {
  const std::string trimmed = trimSpaces(text);
  if (trimmed.empty()) return false;
  std::size_t i = 0;
  if (trimmed[i] == '+' || trimmed[i] == '-') ++i;
  bool digits = false;
  bool point = false;
  for (; i < trimmed.size(); ++i) {
    const char c = trimmed[i];
    if (c >= '0' && c <= '9') {
      digits = true;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  if (!digits) return false;
  out = std::strtod(trimmed.c_str(), nullptr);
  return true;
}

template <class Integer>
Integer toWholeNumber(const ShellValue::Storage& value) {
  double figure = 0;
  if (const auto* number = std::get_if<std::int32_t>(&value)) {
    figure = *number;
  } else if (const auto* text = std::get_if<std::string>(&value)) {
    if (!parseFigure(*text, figure)) throw ConversionError("Type mismatch");
  } else {
    throw ConversionError("Type mismatch");
  }
  const double rounded = std::nearbyint(figure);  // the default mode rounds half to even
  if (rounded < std::numeric_limits<Integer>::min() ||
      rounded > std::numeric_limits<Integer>::max()) {
    throw ConversionError("Overflow");
  }
  return static_cast<Integer>(rounded);
}

}  // namespace

std::string ShellValue::toText() const {
  if (const auto* text = std::get_if<std::string>(&value_)) return *text;
  if (const auto* number = std::get_if<std::int32_t>(&value_)) return std::to_string(*number);
  throw ConversionError("Type mismatch");
}

std::int16_t ShellValue::toInt16() const { return toWholeNumber<std::int16_t>(value_); }
std::int32_t ShellValue::toInt32() const { return toWholeNumber<std::int32_t>(value_); }

}  // namespace corvanta
