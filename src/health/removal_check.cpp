// Software removal entries: uninstall entries that carry no uninstall
// command (and are not installer product codes) are deleted with all they
// hold. An entry whose key cannot be read is kept: what it holds is unknown.
#include <optional>
#include <vector>

#include "base/resume.h"
#include "core/app_context.h"
#include "health/health_checks.h"
#include "health/registry_scope.h"

namespace corvanta {
namespace {

constexpr const char* kUninstall = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

using Entry = ScopedEntry;

// Whether a value name of the open entry contains "uninstallstring" in any
// case. Only the names matter, so only the names are read, up to the first
// that does. Nothing, when the names cannot be read that far: the entry is
// then of unknown kind.
std::optional<bool> hasUninstallCommand(RegistryPort& registry, RegKey entry) {
  std::vector<char> name(260);
  for (std::uint32_t index = 0;; ++index) {
    std::uint32_t length = static_cast<std::uint32_t>(name.size());
    long status = registry.enumValue(entry, index, name.data(), length, nullptr, nullptr, nullptr);
    if (status == kErrorMoreData) {
      name.resize(kValueNameBytes);
      length = static_cast<std::uint32_t>(name.size());
      status = registry.enumValue(entry, index, name.data(), length, nullptr, nullptr, nullptr);
    }
    if (status == kErrorNoMoreItems) return false;
    if (status != kErrorSuccess) return std::nullopt;
    if (foldCase(std::string_view(name.data(), length)).find("UNINSTALLSTRING") !=
        std::string::npos) {
      return true;
    }
  }
}

}  // namespace

void RemovalCheck(HealthRun& run) {
  CheckProgress& display = run.progress;
  std::vector<Entry> remlst2;
  display.clearCounts();

  const auto scopes = machineScopes(run.app.registry, kUninstall);
  run.forEachSubKey(scopes, [&](const RegistryScope& scope, const Entry& entry) {
    RegKey opened = 0;
    if (run.app.registry.openKeyEx(scope.key.get(), entry.name, kKeyRead | scope.viewFlag,
                                   opened) != kErrorSuccess)
      return;
    const ScopedRegKey key(run.app.registry, opened);
    const auto command = hasUninstallCommand(run.app.registry, key.get());
    if (command && !*command && entry.name.find('{') == std::string::npos) remlst2.push_back(entry);
  });
  display.setErrors(run.settle(remlst2, [&](const Entry& entry) {
    return keyFinding(scopes[entry.scope], entry.name, "", "no uninstall command");
  }));

  run.repairKeyTrees(scopes, remlst2);
}

}  // namespace corvanta
