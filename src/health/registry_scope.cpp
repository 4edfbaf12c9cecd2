#include "health/registry_scope.h"

#include "base/ansi_text.h"
#include "base/resume.h"
#include "registry/registry_helpers.h"
#include "registry/registry_routines.h"
#include "ui/forms.h"

namespace corvanta {
namespace {

constexpr const char* kSoftware = "SOFTWARE\\";
constexpr const char* kRedirectedNode = "SOFTWARE\\Wow6432Node";

void addScope(std::vector<RegistryScope>& scopes, RegistryPort& registry, RegKey root,
              const std::string& rootName, const std::string& path, std::uint32_t view) {
  RegKey opened = 0;
  if (registry.openKeyEx(root, path, kKeyRead | view, opened) != kErrorSuccess) return;
  scopes.push_back({ScopedRegKey(registry, opened), rootName + '\\' + path});
}

}  // namespace

std::vector<RegistryScope> machineScopes(RegistryPort& registry, const std::string& path) {
  std::vector<RegistryScope> scopes;
  constexpr const char* kRootName = "HKEY_LOCAL_MACHINE";
  // A 32-bit system has no redirected node, and may not know the view flag.
  RegKey node = 0;
  if (registry.openKeyEx(kHkeyLocalMachine, kRedirectedNode, kKeyRead | kKeyWow64_64Key, node) !=
      kErrorSuccess) {
    addScope(scopes, registry, kHkeyLocalMachine, kRootName, path, 0);
    return scopes;
  }
  registry.closeKey(node);
  addScope(scopes, registry, kHkeyLocalMachine, kRootName, path, kKeyWow64_64Key);
  const std::string prefix = kSoftware;
  if (equalsIgnoringCase(std::string_view(path).substr(0, prefix.size()), prefix)) {
    addScope(scopes, registry, kHkeyLocalMachine, kRootName,
             std::string(kRedirectedNode) + path.substr(prefix.size() - 1), kKeyWow64_64Key);
  }
  return scopes;
}

std::vector<RegistryScope> userScopes(RegistryPort& registry, const std::string& path) {
  std::vector<RegistryScope> scopes;
  addScope(scopes, registry, kHkeyCurrentUser, "HKEY_CURRENT_USER", path, 0);
  return scopes;
}

std::optional<std::vector<std::string>> subKeyNames(RegistryPort& registry, RegKey key) {
  std::vector<std::string> names;
  char name[256];  // key names are at most 255 characters
  for (std::uint32_t index = 0;; ++index) {
    std::uint32_t length = sizeof name;
    const long status = registry.enumKeyEx(key, index, name, length);
    if (status == kErrorNoMoreItems) return names;
    if (status != kErrorSuccess) return std::nullopt;
    names.emplace_back(name, length);
  }
}

std::vector<ScopedEntry> subKeysOf(RegistryPort& registry,
                                   const std::vector<RegistryScope>& scopes) {
  std::vector<ScopedEntry> entries;
  for (std::size_t scope = 0; scope < scopes.size(); ++scope) {
    if (auto names = subKeyNames(registry, scopes[scope].key.get())) {
      for (std::string& name : *names) entries.push_back({scope, std::move(name)});
    }
  }
  return entries;
}

void DeleteKeyTree(RegistryRoutines& routines, RegistryPort& registry, ui::Forms& forms,
                   RegKey root, const std::string& path) {
  KeyList keys;
  ValueList values;
  resumeNext([&] { keys = routines.EnumRegistryKeys(root, path); });
  resumeNext([&] { values = routines.EnumRegistryValues(root, path); });
  for (const std::string& key : keys)
    DeleteKeyTree(routines, registry, forms, root, path + '\\' + key);
  for (const RegistryValue& value : values) {
    forms.DoEvents();
    DeleteRegistryValue(registry, root, path, value.name);
  }
  DeleteRegistryKey(registry, root, path);
}

}  // namespace corvanta
