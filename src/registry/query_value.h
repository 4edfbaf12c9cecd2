// Reads one value whole, however large, by asking its size first.
#pragma once

#include <cstdint>
#include <string>

#include "platform/registry_port.h"
#include "registry/value_data.h"

namespace corvanta {

// Fills `type` and `data` from the value `valueName` of the open `key`.
// Returns the registry's status; `type` and `data` are untouched on failure.
long queryValue(RegistryPort& registry, RegKey key, const std::string& valueName,
                std::uint32_t& type, Bytes& data);

}  // namespace corvanta
