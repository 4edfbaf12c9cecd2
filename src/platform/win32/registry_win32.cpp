#include "platform/win32/registry_win32.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "platform/win32/late_bound.h"
#include "platform/win32/wide_text.h"

namespace corvanta {
namespace {

// Key handles cross the port as 32-bit values. That is all a handle is in the
// 32-bit program; in the 64-bit one, Windows keeps every handle (the
// predefined roots included) within 32 significant bits, sign-extended, so
// the one rule both ways is: truncate to 32 bits, sign-extend back. A handle
// that would not survive that is closed and refused rather than mangled.
HKEY toHkey(RegKey key) {
  return reinterpret_cast<HKEY>(static_cast<std::intptr_t>(static_cast<std::int32_t>(key)));
}
bool fitsRegKey(HKEY key) {
  const auto value = reinterpret_cast<std::intptr_t>(key);
  return static_cast<std::intptr_t>(static_cast<std::int32_t>(value)) == value;
}
RegKey fromHkey(HKEY key) {
  return static_cast<RegKey>(static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(key)));
}

// Hands out the key an open, create or connect call produced, on success only.
long handOut(LONG status, HKEY produced, RegKey& result) {
  if (status != ERROR_SUCCESS) return status;
  if (!fitsRegKey(produced)) {
    RegCloseKey(produced);
    return ERROR_INVALID_HANDLE;
  }
  result = fromHkey(produced);
  return status;
}

bool isStringType(DWORD type) {
  return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

// Data as the port hands it out: string types as UTF-8, the rest as stored.
// False for string data that is not whole UTF-16 units.
bool portData(DWORD type, const BYTE* data, DWORD size, std::string& out) {
  if (!isStringType(type)) {
    out.assign(reinterpret_cast<const char*>(data), size);
    return true;
  }
  if (size % 2 != 0) return false;
  out = narrow(reinterpret_cast<const wchar_t*>(data), size / 2);
  return true;
}

// Copies `produced` into the caller's buffer under the Win32 rules: a name
// needs room for its terminator and reports its length without it.
long handOutName(const std::string& produced, char* name, std::uint32_t& nameLength) {
  if (produced.size() + 1 > nameLength) return ERROR_MORE_DATA;
  std::memcpy(name, produced.c_str(), produced.size() + 1);
  nameLength = static_cast<std::uint32_t>(produced.size());
  return ERROR_SUCCESS;
}

// Data has no terminator of its own to make room for; a short buffer (or
// none) learns the length it needs.
long handOutData(const std::string& produced, std::uint8_t* data, std::uint32_t* dataLength) {
  if (!dataLength) return ERROR_SUCCESS;
  const bool fits = produced.size() <= *dataLength;
  *dataLength = static_cast<std::uint32_t>(produced.size());
  if (!data) return ERROR_SUCCESS;
  if (!fits) return ERROR_MORE_DATA;
  std::memcpy(data, produced.data(), produced.size());
  return ERROR_SUCCESS;
}

// What a read into a buffer too small fetched and converted, kept for the
// read of the size it told, which follows at once: a value of megabytes is
// then fetched once, and read as it was at the first of the two. Any other
// call on the registry forgets it.
struct ToldValue {
  RegKey key = 0;
  std::wstring name;
  DWORD kind = 0;
  std::string produced;
};
ToldValue& toldValue() {
  thread_local ToldValue told;
  return told;
}

// One value's data read whole through `read(buffer, size, type)` into
// `buffer`'s first `size` bytes, growing the buffer while the value is
// larger (it may grow between two reads). The buffer never shrinks.
template <class Read>
LONG readWhole(std::vector<BYTE>& buffer, DWORD& size, DWORD& type, Read read) {
  LONG status = ERROR_MORE_DATA;
  for (int attempt = 0; attempt < 4 && status == ERROR_MORE_DATA; ++attempt) {
    size = static_cast<DWORD>(buffer.size());
    status = read(buffer.data(), &size, &type);
    if (status == ERROR_MORE_DATA) buffer.resize(std::max<std::size_t>(size, buffer.size() * 2));
  }
  return status;
}

}  // namespace

long Win32Registry::openKeyEx(RegKey key, const std::string& subKey, std::uint32_t access,
                              RegKey& result) {
  toldValue() = {};
  HKEY opened = nullptr;
  const LONG status = RegOpenKeyExW(toHkey(key), wide(subKey).c_str(), 0, access, &opened);
  return handOut(status, opened, result);
}

long Win32Registry::createKey(RegKey key, const std::string& subKey, RegKey& result) {
  toldValue() = {};
  HKEY created = nullptr;
  const LONG status = RegCreateKeyW(toHkey(key), wide(subKey).c_str(), &created);
  return handOut(status, created, result);
}

long Win32Registry::createKeyEx(RegKey key, const std::string& subKey, const std::string& className,
                                std::uint32_t options, std::uint32_t access, RegKey& result,
                                std::uint32_t* disposition) {
  toldValue() = {};
  HKEY created = nullptr;
  DWORD how = 0;
  std::wstring classText = wide(className);
  const LONG status = RegCreateKeyExW(toHkey(key), wide(subKey).c_str(), 0, classText.data(),
                                      options, access, nullptr, &created, &how);
  if (status == ERROR_SUCCESS && disposition) *disposition = how;
  return handOut(status, created, result);
}

long Win32Registry::enumKeyEx(RegKey key, std::uint32_t index, char* name,
                              std::uint32_t& nameLength) {
  toldValue() = {};
  wchar_t buffer[256];  // the longest key name and its terminator
  DWORD length = 256;
  const LONG status =
      RegEnumKeyExW(toHkey(key), index, buffer, &length, nullptr, nullptr, nullptr, nullptr);
  if (status != ERROR_SUCCESS) return status;
  return handOutName(narrow(buffer, length), name, nameLength);
}

long Win32Registry::enumValue(RegKey key, std::uint32_t index, char* name,
                              std::uint32_t& nameLength, std::uint32_t* type, std::uint8_t* data,
                              std::uint32_t* dataLength) {
  toldValue() = {};
  // Read whole into buffers of this thread, converted, then handed out as
  // far as the caller's buffers hold them. The name buffer takes the longest
  // name, so "more data" can only be the data's.
  thread_local std::vector<wchar_t> nameBuffer(16384);
  thread_local std::vector<BYTE> dataBuffer(4096);
  DWORD kind = 0;
  DWORD nameUnits = 0;
  DWORD size = 0;
  LONG status;
  if (dataLength) {
    status = readWhole(dataBuffer, size, kind, [&](BYTE* into, DWORD* length, DWORD* found) {
      nameUnits = static_cast<DWORD>(nameBuffer.size());
      return RegEnumValueW(toHkey(key), index, nameBuffer.data(), &nameUnits, nullptr, found, into,
                           length);
    });
  } else {
    nameUnits = static_cast<DWORD>(nameBuffer.size());
    status = RegEnumValueW(toHkey(key), index, nameBuffer.data(), &nameUnits, nullptr, &kind,
                           nullptr, nullptr);
  }
  if (status != ERROR_SUCCESS) return status;
  std::string produced;
  if (dataLength && !portData(kind, dataBuffer.data(), size, produced)) {
    return ERROR_INVALID_DATA;
  }
  if (const long named = handOutName(narrow(nameBuffer.data(), nameUnits), name, nameLength)) {
    return named;
  }
  if (type) *type = kind;
  return handOutData(produced, data, dataLength);
}

long Win32Registry::queryValueEx(RegKey key, const std::string& valueName, std::uint32_t* type,
                                 std::uint8_t* data, std::uint32_t* dataLength) {
  const std::wstring name = wide(valueName);
  DWORD kind = 0;
  if (!dataLength) {
    const LONG status =
        RegQueryValueExW(toHkey(key), name.c_str(), nullptr, &kind, nullptr, nullptr);
    if (status == ERROR_SUCCESS && type) *type = kind;
    return status;
  }
  ToldValue& told = toldValue();
  if (data && told.key == key && told.name == name && *dataLength >= told.produced.size()) {
    const DWORD toldKind = told.kind;
    const std::string produced = std::move(told.produced);
    told = {};
    if (type) *type = toldKind;
    return handOutData(produced, data, dataLength);
  }
  told = {};
  thread_local std::vector<BYTE> buffer(4096);
  DWORD size = 0;
  const LONG status = readWhole(buffer, size, kind, [&](BYTE* into, DWORD* length, DWORD* found) {
    return RegQueryValueExW(toHkey(key), name.c_str(), nullptr, found, into, length);
  });
  if (status != ERROR_SUCCESS) return status;
  std::string produced;
  if (!portData(kind, buffer.data(), size, produced)) {
    return ERROR_INVALID_DATA;
  }
  if (type) *type = kind;
  const long handed = handOutData(produced, data, dataLength);
  if (handed == ERROR_MORE_DATA) told = {key, name, kind, std::move(produced)};
  return handed;
}

long Win32Registry::setValueEx(RegKey key, const std::string& valueName, std::uint32_t type,
                               const std::uint8_t* data, std::uint32_t dataLength) {
  toldValue() = {};
  // For string types the system looks at the unit after the data to decide
  // whether to store a terminator the caller left out, so the data goes
  // through a copy that has a readable terminator there.
  std::vector<BYTE> buffer;
  if (isStringType(type)) {
    const std::wstring text =
        wide(std::string_view(reinterpret_cast<const char*>(data), dataLength));
    const auto* bytes = reinterpret_cast<const BYTE*>(text.c_str());
    buffer.assign(bytes, bytes + (text.size() + 1) * sizeof(wchar_t));
    dataLength = static_cast<std::uint32_t>(text.size() * sizeof(wchar_t));
  } else {
    buffer.assign(data, data + dataLength);
    buffer.push_back(0);
  }
  return RegSetValueExW(toHkey(key), wide(valueName).c_str(), 0, type, buffer.data(), dataLength);
}

long Win32Registry::deleteKey(RegKey key, const std::string& subKey) {
  toldValue() = {};
  return RegDeleteKeyW(toHkey(key), wide(subKey).c_str());
}

long Win32Registry::deleteKeyEx(RegKey key, const std::string& subKey, std::uint32_t view) {
  toldValue() = {};
  // Bound when first needed: Windows XP has no such call, and one view.
  using DeleteKeyEx = LONG WINAPI(HKEY, LPCWSTR, REGSAM, DWORD);
  static auto* const deleteKeyExW = lateBound<DeleteKeyEx>(L"advapi32.dll", "RegDeleteKeyExW");
  if (view == 0 || !deleteKeyExW) return deleteKey(key, subKey);
  return deleteKeyExW(toHkey(key), wide(subKey).c_str(), view, 0);
}

long Win32Registry::deleteValue(RegKey key, const std::string& valueName) {
  toldValue() = {};
  return RegDeleteValueW(toHkey(key), wide(valueName).c_str());
}

long Win32Registry::connectRegistry(const std::string& machineName, RegKey key, RegKey& result) {
  toldValue() = {};
  HKEY connected = nullptr;
  const std::wstring machine = wide(machineName);
  const LONG status =
      RegConnectRegistryW(machineName.empty() ? nullptr : machine.c_str(), toHkey(key), &connected);
  return handOut(status, connected, result);
}

long Win32Registry::closeKey(RegKey key) {
  toldValue() = {};
  return RegCloseKey(toHkey(key));
}

}  // namespace corvanta
