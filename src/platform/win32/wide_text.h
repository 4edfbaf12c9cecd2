// The edge where the program's UTF-8 meets the wide Win32 API. Both ways are
// exact for any sequence of UTF-16 units (see base/text.h).
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "base/text.h"

namespace corvanta {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wchar_t is one UTF-16 unit");

inline std::wstring wide(std::string_view text) {
  const std::u16string units = utf16FromUtf8(text);
  return std::wstring(units.begin(), units.end());
}

inline std::string narrow(const wchar_t* text, std::size_t length) {
  return utf8FromUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(text), length));
}
inline std::string narrow(std::wstring_view text) { return narrow(text.data(), text.size()); }

// The user's locale's order, case aside, as Windows sorts names for people.
inline int userCollation(std::string_view a, std::string_view b) {
  const std::wstring x = wide(a), y = wide(b);
  return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, x.c_str(), static_cast<int>(x.size()),
                        y.c_str(), static_cast<int>(y.size())) -
         CSTR_EQUAL;
}

}  // namespace corvanta
