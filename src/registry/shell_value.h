// What RegRead hands back: text for a string value, a number for a DWORD,
// bytes for binary data, a list for a string list; and the conversions the
// callers apply to put it into a control.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

#include "registry/value_data.h"

namespace corvanta {

class ShellValue {
 public:
  using Storage = std::variant<std::string, std::int32_t, Bytes, std::vector<std::string>>;

  explicit ShellValue(Storage value) : value_(std::move(value)) {}

  const Storage& value() const { return value_; }

  // Text for a text or a number; a binary value or string list has no text
  // form and raises a type mismatch.
  std::string toText() const;
  // Whole numbers, as a check box (16 bits) or a slider (32 bits) takes them:
  // a number, or a text holding one (rounded half to even, as the program's
  // conversions always did). Anything else, or a figure out of range, raises.
  std::int16_t toInt16() const;
  std::int32_t toInt32() const;

 private:
  Storage value_;
};

// The error a conversion raises.
class ConversionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace corvanta
