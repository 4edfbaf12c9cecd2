#include "registry/query_value.h"

namespace corvanta {
namespace {

// Another writer may grow the value between the size probe and the read;
// it is read again a few times before the read is given up.
constexpr int kMostReads = 4;

}  // namespace

long queryValue(RegistryPort& registry, RegKey key, const std::string& valueName,
                std::uint32_t& type, Bytes& data) {
  long status = kErrorMoreData;
  for (int read = 0; read < kMostReads && status == kErrorMoreData; ++read) {
    std::uint32_t length = 0;
    status = registry.queryValueEx(key, valueName, nullptr, nullptr, &length);
    if (status != kErrorSuccess) return status;
    Bytes buffer(length);
    std::uint32_t readType = 0;
    status = registry.queryValueEx(key, valueName, &readType, buffer.data(), &length);
    if (status == kErrorSuccess) {
      buffer.resize(length);
      type = readType;
      data = std::move(buffer);
    }
  }
  return status;
}

}  // namespace corvanta
