// The enumeration workload both benchmarks measure: a key of 10,000 values of
// mixed types, read once through RegistryRoutines and once by the same loop
// written directly on the registry port.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/registry_port.h"
#include "registry/value_data.h"

namespace corvanta::bench {

inline constexpr int kValueCount = 10000;

// Fills the open key with kValueCount values cycling through the five types.
inline void fillMixedValues(RegistryPort& registry, RegKey key) {
  for (int i = 0; i < kValueCount; ++i) {
    const std::string name = "Value " + std::to_string(i);
    Bytes data;
    std::uint32_t type = kRegSz;
    switch (i % 5) {
      case 0: {
        const std::string text = "C:\\Program Files\\Vendor\\Product " + std::to_string(i) + ".dll";
        data.assign(text.begin(), text.end() + 1);
        break;
      }
      case 1: {
        type = kRegExpandSz;
        const std::string text = "%SystemRoot%\\system32\\file" + std::to_string(i) + ".sys";
        data.assign(text.begin(), text.end() + 1);
        break;
      }
      case 2:
        type = kRegBinary;
        for (int b = 0; b < 32; ++b) data.push_back(static_cast<std::uint8_t>(i + b));
        break;
      case 3:
        type = kRegDword;
        data = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i >> 8), 0, 0};
        break;
      default: {
        type = kRegMultiSz;
        const std::string text = std::string("first\0second\0third\0\0", 20);
        data.assign(text.begin(), text.end());
        break;
      }
    }
    registry.setValueEx(key, name, type, data.data(), static_cast<std::uint32_t>(data.size()));
  }
}

// The bare loop: the same reads and the same rendering, into a plain vector,
// with none of the class around it.
inline std::vector<std::pair<std::string, std::string>> bareEnumValues(RegistryPort& registry,
                                                                       SystemPort& system,
                                                                       RegKey root,
                                                                       const std::string& path) {
  std::vector<std::pair<std::string, std::string>> values;
  RegKey key = 0;
  if (registry.openKeyEx(root, path, kKeyRead, key) != kErrorSuccess) return values;
  std::vector<char> name(260);
  Bytes data(4096);
  for (std::uint32_t index = 0;; ++index) {
    std::uint32_t nameLength = 260;
    std::uint32_t type = 0;
    std::uint32_t dataLength = static_cast<std::uint32_t>(data.size());
    long status =
        registry.enumValue(key, index, name.data(), nameLength, &type, data.data(), &dataLength);
    if (status == kErrorMoreData) {
      data.resize(dataLength);
      nameLength = 260;
      status =
          registry.enumValue(key, index, name.data(), nameLength, &type, data.data(), &dataLength);
    }
    if (status != kErrorSuccess) break;
    values.emplace_back(std::string(name.data(), nameLength),
                        renderValueData(type, data.data(), dataLength, system));
  }
  registry.closeKey(key);
  return values;
}

}  // namespace corvanta::bench
