#include "health/registry_scope.h"

#include "base/ansi_text.h"
#include "base/resume.h"
#include "platform/system_port.h"
#include "registry/registry_helpers.h"
#include "registry/registry_routines.h"
#include "ui/forms.h"

namespace corvanta {
namespace {

constexpr const char* kSoftware = "SOFTWARE\\";
constexpr const char* kRedirectedNode = "SOFTWARE\\Wow6432Node";

void addScope(std::vector<RegistryScope>& scopes, RegistryPort& registry, RegKey root,
              const std::string& rootName, const std::string& path, std::uint32_t viewFlag,
              ScopeView view) {
  RegKey opened = 0;
  if (registry.openKeyEx(root, path, kKeyRead | viewFlag, opened) != kErrorSuccess) return;
  scopes.push_back({ScopedRegKey(registry, opened), rootName + '\\' + path, view});
}

// The value of an environment variable; nothing when it is not set.
std::optional<std::string> variable(SystemPort& system, const std::string& name) {
  const std::string reference = '%' + name + '%';
  std::string value = system.expandEnvironmentStrings(reference);
  if (value == reference || value.empty()) return std::nullopt;
  return value;
}

}  // namespace

std::vector<RegistryScope> machineScopes(RegistryPort& registry, const std::string& path) {
  std::vector<RegistryScope> scopes;
  constexpr const char* kRootName = "HKEY_LOCAL_MACHINE";
  // A 32-bit system has no redirected node, and may not know the view flag.
  RegKey node = 0;
  if (registry.openKeyEx(kHkeyLocalMachine, kRedirectedNode, kKeyRead | kKeyWow64_64Key, node) !=
      kErrorSuccess) {
    addScope(scopes, registry, kHkeyLocalMachine, kRootName, path, 0, ScopeView::Only);
    return scopes;
  }
  registry.closeKey(node);
  const std::string prefix = kSoftware;
  const bool redirected = equalsIgnoringCase(std::string_view(path).substr(0, prefix.size()), prefix);
  addScope(scopes, registry, kHkeyLocalMachine, kRootName, path, kKeyWow64_64Key,
           redirected ? ScopeView::Native : ScopeView::Only);
  if (redirected) {
    addScope(scopes, registry, kHkeyLocalMachine, kRootName,
             std::string(kRedirectedNode) + path.substr(prefix.size() - 1), kKeyWow64_64Key,
             ScopeView::Wow32);
  }
  return scopes;
}

std::vector<RegistryScope> userScopes(RegistryPort& registry, const std::string& path) {
  std::vector<RegistryScope> scopes;
  addScope(scopes, registry, kHkeyCurrentUser, "HKEY_CURRENT_USER", path, 0, ScopeView::Only);
  return scopes;
}

std::vector<std::string> pathReadings(const std::string& path, ScopeView view,
                                      const std::string& windowsFolder) {
  if (view != ScopeView::Wow32) return {path};
  const std::string system32 = windowsFolder + "\\System32";
  const bool below = path.size() >= system32.size() &&
                     equalsIgnoringCase(std::string_view(path).substr(0, system32.size()), system32) &&
                     (path.size() == system32.size() || path[system32.size()] == '\\');
  if (!below) return {path};
  return {windowsFolder + "\\SysWOW64" + path.substr(system32.size())};
}

std::optional<std::string> expandForView(const std::string& text, ScopeView view,
                                         SystemPort& system) {
  std::string expanded;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t open = text.find('%', at);
    const std::size_t close = open == std::string::npos ? open : text.find('%', open + 1);
    if (close == std::string::npos) {
      expanded += text.substr(at);
      break;
    }
    expanded += text.substr(at, open - at);
    const std::string name = text.substr(open + 1, close - open - 1);
    std::optional<std::string> value;
    const bool programFiles = equalsIgnoringCase(name, "ProgramFiles");
    const bool common = equalsIgnoringCase(name, "CommonProgramFiles");
    if (view != ScopeView::Only && (programFiles || common)) {
      const char* own = view == ScopeView::Wow32
                            ? (programFiles ? "ProgramFiles(x86)" : "CommonProgramFiles(x86)")
                            : (programFiles ? "ProgramW6432" : "CommonProgramW6432");
      value = variable(system, own);
    } else {
      value = variable(system, name);
    }
    if (!value) return std::nullopt;
    expanded += *value;
    at = close + 1;
  }
  return expanded;
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

long DeleteKeyTree(RegistryRoutines& routines, RegistryPort& registry, ui::Forms& forms,
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
  return DeleteRegistryKey(registry, root, path);
}

}  // namespace corvanta
