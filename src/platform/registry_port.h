// The registry as the program sees it: the advapi32 calls it makes, with
// their Win32 status numbers and buffer rules kept exactly, so code written
// against this port behaves the same over the real registry (win32/) and over
// the in-memory one the tests use. Names and string data are UTF-8 here (the
// Win32 half speaks the wide API and converts), so lengths count bytes.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "platform/win32_status.h"

namespace corvanta {

// A key handle as its 32-bit value: the predefined roots are fixed numbers,
// opened keys are whatever the implementation hands out.
using RegKey = std::uint32_t;

inline constexpr RegKey kHkeyClassesRoot = 0x80000000;
inline constexpr RegKey kHkeyCurrentUser = 0x80000001;
inline constexpr RegKey kHkeyLocalMachine = 0x80000002;
inline constexpr RegKey kHkeyUsers = 0x80000003;
inline constexpr RegKey kHkeyPerformanceData = 0x80000004;
inline constexpr RegKey kHkeyCurrentConfig = 0x80000005;
inline constexpr RegKey kHkeyDynData = 0x80000006;

constexpr bool isPredefinedRoot(RegKey key) {
  return key >= kHkeyClassesRoot && key <= kHkeyDynData;
}

// Access rights.
inline constexpr std::uint32_t kKeyQueryValue = 0x0001;
inline constexpr std::uint32_t kKeySetValue = 0x0002;
inline constexpr std::uint32_t kKeyCreateSubKey = 0x0004;
inline constexpr std::uint32_t kKeyEnumerateSubKeys = 0x0008;
inline constexpr std::uint32_t kKeyNotify = 0x0010;
inline constexpr std::uint32_t kKeyCreateLink = 0x0020;
inline constexpr std::uint32_t kKeyRead = 0x20019;
inline constexpr std::uint32_t kKeyWrite = 0x20006;
inline constexpr std::uint32_t kKeyAllAccess = 0xF003F;
// On 64-bit Windows, which of the two views of HKLM\Software (and a few other
// keys) a call sees; added to any of the rights above. A 32-bit system has
// one view and ignores them.
inline constexpr std::uint32_t kKeyWow64_64Key = 0x0100;
inline constexpr std::uint32_t kKeyWow64_32Key = 0x0200;

// Value types.
inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegMultiSz = 7;

// Buffers that hold any key or value name, in bytes with the terminator:
// Windows allows 255 and 16,383 UTF-16 units, each at most three bytes here.
inline constexpr std::uint32_t kKeyNameBytes = 255 * 3 + 1;
inline constexpr std::uint32_t kValueNameBytes = 16383 * 3 + 1;

// Creation dispositions reported by createKeyEx.
inline constexpr std::uint32_t kRegCreatedNewKey = 1;
inline constexpr std::uint32_t kRegOpenedExistingKey = 2;

// Every call mirrors its Win32 namesake. Lengths are in and out parameters
// exactly as there: on input the buffer size, on output the bytes produced
// or needed (names without the terminator). String data (REG_SZ,
// REG_EXPAND_SZ, REG_MULTI_SZ) is UTF-8 with its terminators; a string value
// whose data is not whole UTF-16 units cannot be read as text and fails with
// 13 (ERROR_INVALID_DATA), so nothing is judged or backed up from a guess.
// A failing call returns its status and writes no key handle.
class RegistryPort {
 public:
  virtual ~RegistryPort() = default;

  // RegOpenKeyExW. An empty subKey opens a new handle to `key` itself.
  virtual long openKeyEx(RegKey key, const std::string& subKey, std::uint32_t access,
                         RegKey& result) = 0;
  // RegCreateKeyW: create or open with full access.
  virtual long createKey(RegKey key, const std::string& subKey, RegKey& result) = 0;
  // RegCreateKeyExW with default security. disposition may be null.
  virtual long createKeyEx(RegKey key, const std::string& subKey, const std::string& className,
                           std::uint32_t options, std::uint32_t access, RegKey& result,
                           std::uint32_t* disposition) = 0;
  // RegEnumKeyExW without class or last-write time.
  virtual long enumKeyEx(RegKey key, std::uint32_t index, char* name,
                         std::uint32_t& nameLength) = 0;
  // RegEnumValueW. type, data and dataLength may each be null.
  virtual long enumValue(RegKey key, std::uint32_t index, char* name, std::uint32_t& nameLength,
                         std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataLength) = 0;
  // RegQueryValueExW. type, data and dataLength may each be null.
  virtual long queryValueEx(RegKey key, const std::string& valueName, std::uint32_t* type,
                            std::uint8_t* data, std::uint32_t* dataLength) = 0;
  // RegSetValueExW.
  virtual long setValueEx(RegKey key, const std::string& valueName, std::uint32_t type,
                          const std::uint8_t* data, std::uint32_t dataLength) = 0;
  // RegDeleteKeyW: the key must have no sub-keys.
  virtual long deleteKey(RegKey key, const std::string& subKey) = 0;
  // RegDeleteKeyExW: the same, in the registry view `view` names
  // (kKeyWow64_64Key or kKeyWow64_32Key; 0 for the program's own).
  virtual long deleteKeyEx(RegKey key, const std::string& subKey, std::uint32_t view) = 0;
  // RegDeleteValueW.
  virtual long deleteValue(RegKey key, const std::string& valueName) = 0;
  // RegConnectRegistryW. An empty machine name means this machine.
  virtual long connectRegistry(const std::string& machineName, RegKey key, RegKey& result) = 0;
  // RegCloseKey. Closing a predefined root succeeds and does nothing.
  virtual long closeKey(RegKey key) = 0;
};

// Owns one open key and closes it when it goes out of scope. A borrowed key
// (the caller's own handle, or a predefined root) is held but never closed, so
// a routine can keep "the key it works on" in one of these whether it opened a
// sub-key itself or was handed a key.
class ScopedRegKey {
 public:
  ScopedRegKey() = default;
  ScopedRegKey(RegistryPort& port, RegKey key) : port_(&port), key_(key) {}
  static ScopedRegKey borrowed(RegKey key) {
    ScopedRegKey held;
    held.key_ = key;
    return held;
  }
  ScopedRegKey(const ScopedRegKey&) = delete;
  ScopedRegKey& operator=(const ScopedRegKey&) = delete;
  ScopedRegKey(ScopedRegKey&& other) noexcept
      : port_(std::exchange(other.port_, nullptr)), key_(std::exchange(other.key_, 0)) {}
  ScopedRegKey& operator=(ScopedRegKey&& other) noexcept {
    if (this != &other) {
      reset();
      port_ = std::exchange(other.port_, nullptr);
      key_ = std::exchange(other.key_, 0);
    }
    return *this;
  }
  ~ScopedRegKey() { reset(); }

  RegKey get() const { return key_; }

  // Closes now and reports the close's status (0 when nothing was held).
  long reset() {
    long status = kErrorSuccess;
    if (port_ && !isPredefinedRoot(key_)) status = port_->closeKey(key_);
    port_ = nullptr;
    key_ = 0;
    return status;
  }

 private:
  RegistryPort* port_ = nullptr;
  RegKey key_ = 0;
};

// Opens `subKey` below `parent` into `out`; an empty subKey borrows the
// parent itself without opening anything, as the enumerations need. Returns
// the open's status; `out` is untouched on failure.
inline long openOrBorrow(RegistryPort& port, RegKey parent, const std::string& subKey,
                         std::uint32_t access, ScopedRegKey& out) {
  if (subKey.empty()) {
    out = ScopedRegKey::borrowed(parent);
    return kErrorSuccess;
  }
  RegKey opened = 0;
  const long status = port.openKeyEx(parent, subKey, access, opened);
  if (status == kErrorSuccess) out = ScopedRegKey(port, opened);
  return status;
}

}  // namespace corvanta
