// Rendering follows the registry's own layout of each type. Stored data is not
// always well formed (a string written without its terminator, a string list
// without its final double zero, an empty binary), so every rendering is
// guarded by the length the registry reported and never drops a data byte
// that is not a terminator.
#include "registry/value_data.h"

#include <charconv>
#include <limits>

#include "base/text.h"
#include "platform/registry_port.h"
#include "platform/system_port.h"

namespace corvanta {
namespace {

std::string asText(const std::uint8_t* data, std::size_t length) {
  return std::string(reinterpret_cast<const char*>(data), length);
}

std::string renderBinary(const std::uint8_t* data, std::size_t length) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string text;
  text.reserve(length * 3);
  for (std::size_t i = 0; i < length; ++i) {
    if (i > 0) text += ' ';
    text += kHex[data[i] >> 4];
    text += kHex[data[i] & 0x0F];
  }
  return text;
}

std::string renderMultiString(const std::uint8_t* data, std::size_t length) {
  if (length < 2) return {};
  std::string text = asText(data, lengthWithoutTerminators(data, length, 2));
  for (char& c : text) {
    if (c == '\0') c = ',';
  }
  return text;
}

// VB-style whole-number conversion of a text: blanks around it allowed,
// nothing else.
bool parseWholeNumber(const std::string& text, std::int64_t& out) {
  const std::string trimmed = trimSpaces(text);
  if (trimmed.empty()) return false;
  const char* first = trimmed.data();
  const char* last = first + trimmed.size();
  if (*first == '+') ++first;
  std::int64_t number = 0;
  const auto [end, error] = std::from_chars(first, last, number);
  if (error != std::errc() || end != last) return false;
  out = number;
  return true;
}

bool encodeDword(const RegistryData& value, Bytes& out) {
  std::int64_t number = 0;
  if (const auto* n = std::get_if<std::int64_t>(&value)) {
    number = *n;
  } else if (const auto* text = std::get_if<std::string>(&value)) {
    if (!parseWholeNumber(*text, number)) return false;
  } else {
    return false;
  }
  // Signed or unsigned 32-bit figures both fit the four bytes.
  if (number < std::numeric_limits<std::int32_t>::min() ||
      number > std::numeric_limits<std::uint32_t>::max()) {
    return false;
  }
  const auto bits = static_cast<std::uint32_t>(number);
  out = {static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
         static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)};
  return true;
}

bool encodeText(const RegistryData& value, Bytes& out) {
  if (const auto* n = std::get_if<std::int64_t>(&value)) {
    const std::string text = std::to_string(*n);
    out.assign(text.begin(), text.end());
    return true;
  }
  if (const auto* text = std::get_if<std::string>(&value)) {
    out.assign(text->begin(), text->end());
    return true;
  }
  return false;
}

}  // namespace

std::size_t lengthWithoutTerminators(const std::uint8_t* data, std::size_t length, int count) {
  while (count-- > 0 && length > 0 && data[length - 1] == 0) --length;
  return length;
}

std::int32_t dwordFromBytes(const std::uint8_t* data, std::size_t length) {
  std::uint32_t bits = 0;
  for (std::size_t i = 0; i < 4 && i < length; ++i) bits |= std::uint32_t{data[i]} << (8 * i);
  return static_cast<std::int32_t>(bits);
}

std::string trimAtNull(std::string& item) {
  const auto zero = item.find('\0');
  if (zero != std::string::npos) item.erase(zero);
  return item;
}

std::string renderValueData(std::uint32_t type, const std::uint8_t* data, std::size_t length,
                            SystemPort& system) {
  switch (type) {
    case kRegSz:
      return asText(data, lengthWithoutTerminators(data, length, 1));
    case kRegExpandSz: {
      std::string expanded =
          system.expandEnvironmentStrings(asText(data, lengthWithoutTerminators(data, length, 1)));
      return trimAtNull(expanded);
    }
    case kRegBinary:
      return renderBinary(data, length);
    case kRegDword:
      return std::to_string(dwordFromBytes(data, length));
    case kRegMultiSz:
      return renderMultiString(data, length);
    default:
      return {};
  }
}

bool encodeValueData(std::uint32_t type, const RegistryData& value, Bytes& out) {
  switch (type) {
    case kRegSz:
    case kRegExpandSz:
    case kRegMultiSz:
      return encodeText(value, out);
    case kRegBinary:
      if (const auto* bytes = std::get_if<Bytes>(&value)) {
        out = *bytes;
        return true;
      }
      return false;
    case kRegDword:
      return encodeDword(value, out);
    default:
      return false;
  }
}

}  // namespace corvanta
