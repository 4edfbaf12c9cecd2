#include "registry/query_value.h"

#include <utility>

namespace corvanta {
namespace {

// Another writer may grow the value between the size probe and the read;
// it is read again a few times before the read is given up.
constexpr int kMostReads = 4;
// Most values are short: they are read at once into a buffer this large,
// and only a longer one is measured first.
constexpr std::uint32_t kFirstReadBytes = 512;

}  // namespace

long queryValue(RegistryPort& registry, RegKey key, const std::string& valueName,
                std::uint32_t& type, Bytes& data) {
  Bytes first(kFirstReadBytes);
  std::uint32_t firstLength = kFirstReadBytes;
  std::uint32_t firstType = 0;
  long status = registry.queryValueEx(key, valueName, &firstType, first.data(), &firstLength);
  if (status == kErrorSuccess) {
    first.resize(firstLength);
    type = firstType;
    data = std::move(first);
    return status;
  }
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
