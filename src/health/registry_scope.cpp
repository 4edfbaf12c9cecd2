#include "health/registry_scope.h"

#include "base/resume.h"
#include "base/text.h"
#include "health/check_progress.h"
#include "platform/system_port.h"
#include "registry/registry_helpers.h"

namespace corvanta {
namespace {

constexpr const char* kSoftware = "SOFTWARE\\";
constexpr const char* kRedirectedNode = "SOFTWARE\\Wow6432Node";

void addScope(std::vector<RegistryScope>& scopes, RegistryPort& registry, RegKey root,
              const std::string& rootName, const std::string& path, std::uint32_t viewFlag,
              ScopeView view) {
  RegKey opened = 0;
  if (registry.openKeyEx(root, path, kKeyRead | viewFlag, opened) != kErrorSuccess) return;
  scopes.push_back({ScopedRegKey(registry, opened), rootName + '\\' + path, view, viewFlag});
}

// Whether the two keys list the same sub-keys and values, in the same
// order: read side by side, so that two different keys part at their first
// difference (at once, as a rule) and only one key seen twice is read whole.
bool sameListing(RegistryPort& registry, RegKey first, RegKey second) {
  std::vector<char> a(kValueNameBytes), b(kValueNameBytes);
  for (std::uint32_t index = 0;; ++index) {
    std::uint32_t lengthA = kKeyNameBytes, lengthB = kKeyNameBytes;
    const long statusA = registry.enumKeyEx(first, index, a.data(), lengthA);
    const long statusB = registry.enumKeyEx(second, index, b.data(), lengthB);
    if (statusA != statusB) return false;
    if (statusA != kErrorSuccess) break;
    if (std::string_view(a.data(), lengthA) != std::string_view(b.data(), lengthB)) return false;
  }
  for (std::uint32_t index = 0;; ++index) {
    std::uint32_t lengthA = kValueNameBytes, lengthB = kValueNameBytes;
    const long statusA =
        registry.enumValue(first, index, a.data(), lengthA, nullptr, nullptr, nullptr);
    const long statusB =
        registry.enumValue(second, index, b.data(), lengthB, nullptr, nullptr, nullptr);
    if (statusA != statusB) return false;
    if (statusA != kErrorSuccess) return statusA == kErrorNoMoreItems;
    if (std::string_view(a.data(), lengthA) != std::string_view(b.data(), lengthB)) return false;
  }
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
  const bool redirected =
      equalsIgnoringCase(std::string_view(path).substr(0, prefix.size()), prefix);
  addScope(scopes, registry, kHkeyLocalMachine, kRootName, path, kKeyWow64_64Key,
           redirected ? ScopeView::Native : ScopeView::Shared);
  if (redirected) {
    addScope(scopes, registry, kHkeyLocalMachine, kRootName,
             std::string(kRedirectedNode) + path.substr(prefix.size() - 1), kKeyWow64_64Key,
             ScopeView::Wow32);
  }
  // Some keys below SOFTWARE are one key in both views. Two listings alike
  // in every name are taken for one shared key (never the other way round:
  // one key cannot list two ways), judged once under both views.
  if (scopes.size() == 2 && sameListing(registry, scopes[0].key.get(), scopes[1].key.get())) {
    scopes.pop_back();
    scopes.front().view = ScopeView::Shared;
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
  if (view != ScopeView::Wow32 && view != ScopeView::Shared) return {path};
  const std::string system32 = windowsFolder + "\\System32";
  const bool below =
      path.size() >= system32.size() &&
      equalsIgnoringCase(std::string_view(path).substr(0, system32.size()), system32) &&
      (path.size() == system32.size() || path[system32.size()] == '\\');
  if (!below) return {path};
  std::string wow = windowsFolder + "\\SysWOW64" + path.substr(system32.size());
  if (view == ScopeView::Shared) return {path, std::move(wow)};
  return {std::move(wow)};
}

std::optional<std::vector<std::string>> expandForView(const std::string& text, ScopeView view,
                                                      SystemPort& system) {
  if (view == ScopeView::Shared) {
    auto native = expandForView(text, ScopeView::Native, system);
    auto wow = expandForView(text, ScopeView::Wow32, system);
    if (!native || !wow) return std::nullopt;
    native->push_back(wow->front());
    return native;
  }
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
  return std::vector<std::string>{expanded};
}

std::optional<std::vector<std::string>> subKeyNames(RegistryPort& registry, RegKey key) {
  std::vector<std::string> names;
  char name[kKeyNameBytes];
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

std::optional<std::vector<std::string>> valueNames(RegistryPort& registry, RegKey key) {
  std::vector<std::string> names;
  std::vector<char> name(kValueNameBytes);
  for (std::uint32_t index = 0;; ++index) {
    std::uint32_t length = static_cast<std::uint32_t>(name.size());
    const long status =
        registry.enumValue(key, index, name.data(), length, nullptr, nullptr, nullptr);
    if (status == kErrorNoMoreItems) return names;
    if (status != kErrorSuccess) return std::nullopt;
    names.emplace_back(name.data(), length);
  }
}

long DeleteKeyTree(RegistryPort& registry, CheckProgress& progress, RegKey parent,
                   const std::string& path, std::uint32_t viewFlag) {
  // Query, set, enumerate and delete-value rights, with the view.
  constexpr std::uint32_t kTreeAccess = 0x3F | kKeyRead;
  RegKey opened = 0;
  if (registry.openKeyEx(parent, path, kTreeAccess | viewFlag, opened) == kErrorSuccess) {
    const ScopedRegKey key(registry, opened);
    for (const std::string& child :
         subKeyNames(registry, key.get()).value_or(std::vector<std::string>{}))
      DeleteKeyTree(registry, progress, key.get(), child, viewFlag);
    // Only the names are needed, and all of them before the first goes.
    for (const std::string& value :
         valueNames(registry, key.get()).value_or(std::vector<std::string>{})) {
      progress.letInputRun();
      registry.deleteValue(key.get(), value);
    }
  }
  return registry.deleteKeyEx(parent, path, viewFlag);
}

}  // namespace corvanta
