// Per-user program settings: texts addressed by application, section and key,
// kept in the per-user program-settings area of the registry where the
// program's earlier versions and its sibling utilities keep theirs.
#pragma once

#include <string>

#include "platform/registry_port.h"

namespace corvanta {

// The application name this program's own settings are stored under (the
// tweak pages keep some of theirs under their sibling utilities' name).
inline constexpr const char* kSettingsApplication = "Corvanta";

class SettingsStore {
 public:
  explicit SettingsStore(RegistryPort& registry) : registry_(registry) {}

  // The stored text, or `fallback` when nothing (or no text) is stored.
  std::string GetSetting(const std::string& application, const std::string& section,
                         const std::string& key, const std::string& fallback = "");
  // Stores `value` as text; raises RegistryError when it cannot.
  void SaveSetting(const std::string& application, const std::string& section,
                   const std::string& key, const std::string& value);

 private:
  RegistryPort& registry_;
};

// Where the settings of application/section live below HKEY_CURRENT_USER.
std::string settingsKeyPath(const std::string& application, const std::string& section);

}  // namespace corvanta
