// Per-user program settings: texts addressed by application, section and key,
// kept in the per-user program-settings area of the registry where the
// program's earlier versions and its sibling utilities keep theirs; or, when
// the program runs portable, in files beside it (one a section, under a
// folder for each application), so that it leaves nothing in the registry.
#pragma once

#include <string>

#include "platform/registry_port.h"

namespace corvanta {

class FilePort;

// The application name this program's own settings are stored under (the
// tweak pages keep some of theirs under their sibling utilities' name).
inline constexpr const char* kSettingsApplication = "Corvanta";

class SettingsStore {
 public:
  explicit SettingsStore(RegistryPort& registry) : registry_(&registry) {}
  // Portable: every section is the file `folder`\application\section.ini,
  // and the registry is neither read nor written.
  SettingsStore(FilePort& files, std::string folder)
      : files_(&files), folder_(std::move(folder)) {}

  // The stored text, or `fallback` when nothing (or no text) is stored.
  std::string GetSetting(const std::string& application, const std::string& section,
                         const std::string& key, const std::string& fallback = "");
  // Stores `value` as text; raises RegistryError when it cannot (the file's
  // status, when portable).
  void SaveSetting(const std::string& application, const std::string& section,
                   const std::string& key, const std::string& value);

 private:
  long saveInRegistry(const std::string& application, const std::string& section,
                      const std::string& key, const std::string& value);
  std::string sectionFile(const std::string& application, const std::string& section) const;

  RegistryPort* registry_ = nullptr;
  FilePort* files_ = nullptr;
  std::string folder_;
};

// Where the settings of application/section live below HKEY_CURRENT_USER.
std::string settingsKeyPath(const std::string& application, const std::string& section);

}  // namespace corvanta
