// Registry value data as the program handles it: turning stored bytes into
// the text the health checks compare, and turning a caller's value into the
// bytes a write stores.
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace corvanta {

class SystemPort;

using Bytes = std::vector<std::uint8_t>;

// A value a caller asks to write: a number, a text or a byte array.
using RegistryData = std::variant<std::int64_t, std::string, Bytes>;

// The stored bytes of a value of `type` as text: strings without their
// terminator (REG_EXPAND_SZ expanded), binary as "01 AB 0C", DWORD as a
// signed decimal, a string list joined with ",". Other types give "".
std::string renderValueData(std::uint32_t type, const std::uint8_t* data, std::size_t length,
                            SystemPort& system);

// The bytes written for `value` as `type`. Strings are written without a
// terminator (the string-list separators come inside the caller's text),
// numbers as their decimal text. False, with `out` untouched, when the value
// cannot be given that type or the type is not one the program writes.
bool encodeValueData(std::uint32_t type, const RegistryData& value, Bytes& out);

// The length of `data` without up to `count` zero bytes at its end: string
// values end in one terminator, string lists in two, when they are well formed.
std::size_t lengthWithoutTerminators(const std::uint8_t* data, std::size_t length, int count);

// A DWORD's first four bytes, little-endian and signed; missing bytes are 0.
std::int32_t dwordFromBytes(const std::uint8_t* data, std::size_t length);

// Cuts `item` before its first zero character, stores the result back and
// returns it.
std::string trimAtNull(std::string& item);

}  // namespace corvanta
