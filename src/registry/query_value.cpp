#include "registry/query_value.h"

#include <utility>

namespace corvanta {
namespace {

// Another writer may grow the value between the size probe and the read;
// it is read again a few times before the read is given up.
constexpr int kMostReads = 4;
// Most values are short: they are read at once into a buffer this large.
constexpr std::uint32_t kFirstReadBytes = 512;

}  // namespace

long queryValue(RegistryPort& registry, RegKey key, const std::string& valueName,
                std::uint32_t& type, Bytes& data) {
  // A read into a buffer too small says how large the value is: the next
  // read takes that much, with no probe between (a value of megabytes is
  // then read twice, not three times).
  Bytes buffer(kFirstReadBytes);
  std::uint32_t length = kFirstReadBytes;
  std::uint32_t readType = 0;
  long status = registry.queryValueEx(key, valueName, &readType, buffer.data(), &length);
  for (int read = 0; read < kMostReads && status == kErrorMoreData; ++read) {
    buffer.resize(length);
    status = registry.queryValueEx(key, valueName, &readType, buffer.data(), &length);
  }
  if (status != kErrorSuccess) return status;
  buffer.resize(length);
  type = readType;
  data = std::move(buffer);
  return status;
}

}  // namespace corvanta
