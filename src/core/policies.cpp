#include "core/policies.h"

#include "base/text.h"
#include "platform/registry_port.h"
#include "registry/query_value.h"

namespace corvanta {
namespace {

// The value from the machine's policies, else the user's; nothing when
// neither sets it. The policies key is one for both registry views.
bool readPolicy(RegistryPort& registry, const char* name, std::uint32_t& type, Bytes& data) {
  for (const RegKey root : {kHkeyLocalMachine, kHkeyCurrentUser}) {
    ScopedRegKey key;
    if (openOrBorrow(registry, root, kPoliciesKey, kKeyQueryValue | kKeyWow64_64Key, key) !=
        kErrorSuccess)
      continue;
    if (queryValue(registry, key.get(), name, type, data) == kErrorSuccess) return true;
  }
  return false;
}

bool flag(RegistryPort& registry, const char* name) {
  std::uint32_t type = 0;
  Bytes data;
  return readPolicy(registry, name, type, data) && type == kRegDword && data.size() == 4 &&
         (data[0] | data[1] | data[2] | data[3]) != 0;
}

}  // namespace

bool Policies::pageDisabled(std::string_view id) const {
  for (const std::string& page : disabledPages)
    if (equalsIgnoringCase(page, id)) return true;
  return false;
}

Policies readPolicies(RegistryPort& registry) {
  Policies policies;
  policies.disableRepairs = flag(registry, kPolicyDisableRepairs);
  policies.forceReview = flag(registry, kPolicyForceReview);
  policies.disableUndo = flag(registry, kPolicyDisableUndo);
  policies.requireRestorePoint = flag(registry, kPolicyRequireRestorePoint);
  std::uint32_t type = 0;
  Bytes data;
  if (readPolicy(registry, kPolicyDisabledPages, type, data) &&
      (type == kRegSz || type == kRegExpandSz)) {
    // "drives, monitor" or "drives;monitor"
    std::string list(data.begin(), data.end());
    list = trimAtNull(list);
    for (std::size_t at = 0; at <= list.size();) {
      std::size_t end = list.find_first_of(",;", at);
      if (end == std::string::npos) end = list.size();
      if (std::string id = trimSpaces(list.substr(at, end - at)); !id.empty())
        policies.disabledPages.push_back(std::move(id));
      at = end + 1;
    }
  }
  return policies;
}

}  // namespace corvanta
