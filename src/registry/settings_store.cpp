#include "registry/settings_store.h"

#include "registry/query_value.h"
#include "registry/registry_error.h"

namespace corvanta {

std::string settingsKeyPath(const std::string& application, const std::string& section) {
  return "Software\\VB and VBA Program Settings\\" + application + '\\' + section;
}

std::string SettingsStore::GetSetting(const std::string& application, const std::string& section,
                                      const std::string& key, const std::string& fallback) {
  ScopedRegKey opened;
  if (openOrBorrow(registry_, kHkeyCurrentUser, settingsKeyPath(application, section),
                   kKeyQueryValue, opened) != kErrorSuccess) {
    return fallback;
  }
  std::uint32_t type = 0;
  Bytes data;
  if (queryValue(registry_, opened.get(), key, type, data) != kErrorSuccess) return fallback;
  if (type != kRegSz && type != kRegExpandSz) return fallback;
  std::string text(data.begin(), data.end());
  return trimAtNull(text);
}

void SettingsStore::SaveSetting(const std::string& application, const std::string& section,
                                const std::string& key, const std::string& value) {
  if (application.empty() || section.empty() || key.empty()) {
    throw RegistryError(kErrorInvalidParameter,
                        "A setting needs an application, a section and a key.");
  }
  RegKey created = 0;
  long status = registry_.createKeyEx(kHkeyCurrentUser, settingsKeyPath(application, section), "",
                                      0, kKeySetValue, created, nullptr);
  if (status == kErrorSuccess) {
    const ScopedRegKey opened(registry_, created);
    const std::string stored = value + '\0';
    status = registry_.setValueEx(opened.get(), key, kRegSz,
                                  reinterpret_cast<const std::uint8_t*>(stored.data()),
                                  static_cast<std::uint32_t>(stored.size()));
  }
  if (status != kErrorSuccess) {
    throw RegistryError(status,
                        "Cannot save the setting " + application + '\\' + section + '\\' + key);
  }
}

}  // namespace corvanta
