#include "platform/win32/registry_win32.h"

#include <windows.h>

#include <cstdint>
#include <vector>

#include "platform/win32/late_bound.h"

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

// The DWORD in-out lengths, copied in and out around one call.
class InOutLength {
 public:
  explicit InOutLength(std::uint32_t* length) : length_(length), value_(length ? *length : 0) {}
  ~InOutLength() {
    if (length_) *length_ = value_;
  }
  DWORD* get() { return length_ ? &value_ : nullptr; }

 private:
  std::uint32_t* length_;
  DWORD value_;
};

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

}  // namespace

long Win32Registry::openKeyEx(RegKey key, const std::string& subKey, std::uint32_t access,
                              RegKey& result) {
  HKEY opened = nullptr;
  const LONG status = RegOpenKeyExA(toHkey(key), subKey.c_str(), 0, access, &opened);
  return handOut(status, opened, result);
}

long Win32Registry::createKey(RegKey key, const std::string& subKey, RegKey& result) {
  HKEY created = nullptr;
  const LONG status = RegCreateKeyA(toHkey(key), subKey.c_str(), &created);
  return handOut(status, created, result);
}

long Win32Registry::createKeyEx(RegKey key, const std::string& subKey, const std::string& className,
                                std::uint32_t options, std::uint32_t access, RegKey& result,
                                std::uint32_t* disposition) {
  HKEY created = nullptr;
  DWORD how = 0;
  std::vector<char> classText(className.begin(), className.end());
  classText.push_back('\0');
  const LONG status = RegCreateKeyExA(toHkey(key), subKey.c_str(), 0, classText.data(), options,
                                      access, nullptr, &created, &how);
  if (status == ERROR_SUCCESS && disposition) *disposition = how;
  return handOut(status, created, result);
}

long Win32Registry::enumKeyEx(RegKey key, std::uint32_t index, char* name,
                              std::uint32_t& nameLength) {
  InOutLength length(&nameLength);
  return RegEnumKeyExA(toHkey(key), index, name, length.get(), nullptr, nullptr, nullptr, nullptr);
}

long Win32Registry::enumValue(RegKey key, std::uint32_t index, char* name,
                              std::uint32_t& nameLength, std::uint32_t* type, std::uint8_t* data,
                              std::uint32_t* dataLength) {
  InOutLength length(&nameLength);
  InOutLength size(dataLength);
  InOutLength kind(type);
  return RegEnumValueA(toHkey(key), index, name, length.get(), nullptr, kind.get(), data,
                       size.get());
}

long Win32Registry::queryValueEx(RegKey key, const std::string& valueName, std::uint32_t* type,
                                 std::uint8_t* data, std::uint32_t* dataLength) {
  InOutLength size(dataLength);
  InOutLength kind(type);
  return RegQueryValueExA(toHkey(key), valueName.c_str(), nullptr, kind.get(), data, size.get());
}

long Win32Registry::setValueEx(RegKey key, const std::string& valueName, std::uint32_t type,
                               const std::uint8_t* data, std::uint32_t dataLength) {
  // For string types the system looks at the byte after the data to decide
  // whether to store a terminator the caller left out, so the data goes
  // through a copy that has a readable byte there.
  std::vector<BYTE> buffer(data, data + dataLength);
  buffer.push_back(0);
  return RegSetValueExA(toHkey(key), valueName.c_str(), 0, type, buffer.data(), dataLength);
}

long Win32Registry::deleteKey(RegKey key, const std::string& subKey) {
  return RegDeleteKeyA(toHkey(key), subKey.c_str());
}

long Win32Registry::deleteKeyEx(RegKey key, const std::string& subKey, std::uint32_t view) {
  // Bound when first needed: Windows XP has no such call, and one view.
  using DeleteKeyEx = LONG WINAPI(HKEY, LPCSTR, REGSAM, DWORD);
  static auto* const deleteKeyExA = lateBound<DeleteKeyEx>("advapi32.dll", "RegDeleteKeyExA");
  if (view == 0 || !deleteKeyExA) return deleteKey(key, subKey);
  return deleteKeyExA(toHkey(key), subKey.c_str(), view, 0);
}

long Win32Registry::deleteValue(RegKey key, const std::string& valueName) {
  return RegDeleteValueA(toHkey(key), valueName.c_str());
}

long Win32Registry::connectRegistry(const std::string& machineName, RegKey key, RegKey& result) {
  HKEY connected = nullptr;
  const LONG status = RegConnectRegistryA(machineName.empty() ? nullptr : machineName.c_str(),
                                          toHkey(key), &connected);
  return handOut(status, connected, result);
}

long Win32Registry::closeKey(RegKey key) { return RegCloseKey(toHkey(key)); }

}  // namespace corvanta
