// The enumerations are what the health checks stand on, so they are written
// to be exact under change: a value that grows or changes type between the
// size probe and the read is read again and rendered by the type it has then,
// a value name longer than the usual buffer is still read, and no key this
// class opens outlives the call that opened it.
#include "registry/registry_routines.h"

#include <array>
#include <vector>

#include "registry/registry_error.h"

namespace corvanta {
namespace {

constexpr std::uint32_t kNameBufferLength = 260;  // most names fit at once
constexpr std::uint32_t kDataBufferLength = 4096;
// A value that keeps changing size under us is given up after this many
// reads; one extra read is the normal case for a large value.
constexpr int kMostReadsPerValue = 4;

}  // namespace

std::string joinKeyPath(const std::string& first, const std::string& second) {
  if (first.empty()) return second;
  if (second.empty()) return first;
  return first + '\\' + second;
}

std::string RegistryRoutines::propertyKey() const { return joinKeyPath(keyRoot_, subKey_); }

bool RegistryRoutines::KeyExists() {
  ScopedRegKey key;
  return openOrBorrow(registry_, hKey_, propertyKey(), kKeyRead, key) == kErrorSuccess;
}

std::string RegistryRoutines::CreateKey(const std::optional<std::string>& keyName) {
  RegKey created = 0;
  const long status = registry_.createKeyEx(hKey_, joinKeyPath(keyRoot_, keyName.value_or(subKey_)),
                                            "", 0, kKeyAllAccess, created, nullptr);
  if (status != kErrorSuccess) return {};
  registry_.closeKey(created);
  return "0";
}

std::int32_t RegistryRoutines::DeleteKey(const std::string& keyName) {
  registry_.deleteKey(hKey_, joinKeyPath(keyRoot_, keyName));
  return 0;
}

KeyList RegistryRoutines::EnumRegistryKeys(RegKey hKey, const std::string& keyName) {
  KeyList keys;
  ScopedRegKey key;
  if (openOrBorrow(registry_, hKey, keyName, kKeyRead, key) != kErrorSuccess) return keys;

  std::array<char, kKeyNameBytes> name{};
  for (std::uint32_t index = 0;; ++index) {
    std::uint32_t nameLength = kKeyNameBytes;
    const long status = registry_.enumKeyEx(key.get(), index, name.data(), nameLength);
    if (status == kErrorNoMoreItems) break;
    if (status != kErrorSuccess) {
      throw RegistryError(status, "Cannot enumerate the sub-keys of \"" + keyName + "\"");
    }
    keys.add(std::string(name.data(), nameLength));
  }
  return keys;
}

ValueList RegistryRoutines::EnumRegistryValues(RegKey hKey, const std::string& keyName) {
  ValueList values;
  ScopedRegKey key;
  if (openOrBorrow(registry_, hKey, keyName, kKeyRead, key) != kErrorSuccess) return values;

  std::vector<char> name(kNameBufferLength);
  Bytes data(kDataBufferLength);
  for (std::uint32_t index = 0;; ++index) {
    std::uint32_t nameLength = 0;
    std::uint32_t type = 0;
    std::uint32_t dataLength = 0;
    long status = kErrorMoreData;
    for (int read = 0; read < kMostReadsPerValue && status == kErrorMoreData; ++read) {
      if (read > 0) {
        // Grow whichever buffer was short: the data to the length reported,
        // the name to the longest a value name can be.
        if (dataLength > data.size()) {
          data.resize(dataLength);
        } else if (name.size() < kValueNameBytes) {
          name.resize(kValueNameBytes);
        } else {
          break;
        }
      }
      nameLength = static_cast<std::uint32_t>(name.size());
      dataLength = static_cast<std::uint32_t>(data.size());
      status = registry_.enumValue(key.get(), index, name.data(), nameLength, &type, data.data(),
                                   &dataLength);
    }
    if (status != kErrorSuccess) break;
    values.add({std::string(name.data(), nameLength),
                renderValueData(type, data.data(), dataLength, system_), type,
                Bytes(data.begin(), data.begin() + dataLength)});
  }
  return values;
}

bool RegistryRoutines::writeValue(RegKey key, const std::string& valueName, const Bytes& bytes,
                                  std::uint32_t dType) {
  return registry_.setValueEx(key, valueName, dType, bytes.data(),
                              static_cast<std::uint32_t>(bytes.size())) == kErrorSuccess;
}

bool RegistryRoutines::SetRegistryValue(const std::string& valueName, const RegistryData& value,
                                        std::uint32_t dType) {
  Bytes bytes;
  if (!encodeValueData(dType, value, bytes)) return false;
  ScopedRegKey key;
  if (openOrBorrow(registry_, hKey(), propertyKey(), kKeyWrite, key) != kErrorSuccess) {
    return false;
  }
  return writeValue(key.get(), valueName, bytes, dType);
}

bool RegistryRoutines::WriteRemoteRegistryValue(const std::string& remoteComputer, RegKey hKey,
                                                const std::string& valueName,
                                                const RegistryData& value, std::uint32_t dType,
                                                const std::optional<std::string>& keyPath) {
  Bytes bytes;
  if (!encodeValueData(dType, value, bytes)) return false;
  RegKey connected = 0;
  if (registry_.connectRegistry(remoteComputer, hKey, connected) != kErrorSuccess) return false;
  const ScopedRegKey connection(registry_, connected);
  ScopedRegKey key;
  if (openOrBorrow(registry_, connection.get(), keyPath.value_or(propertyKey()), kKeyAllAccess,
                   key) != kErrorSuccess) {
    return false;
  }
  return writeValue(key.get(), valueName, bytes, dType);
}

}  // namespace corvanta
