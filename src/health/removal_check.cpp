// Software removal entries: uninstall entries that carry no uninstall
// command (and are not installer product codes) are deleted with all they
// hold. An entry whose key cannot be read is kept: what it holds is unknown.
#include "app/app_context.h"
#include "base/resume.h"
#include "health/health_checks.h"
#include "health/registry_scope.h"

namespace corvanta {
namespace {

constexpr const char* kUninstall = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

struct Entry {
  std::size_t scope;
  std::string name;
};

bool hasUninstallCommand(const ValueList& values) {
  bool found = false;
  for (const RegistryValue& value : values) {
    if (foldAnsiCase(value.name).find("UNINSTALLSTRING") != std::string::npos) found = true;
  }
  return found;
}

}  // namespace

void RemovalCheck(HealthRun& run) {
  CheckDisplay display(run.form, "RemovalProgressBar", "Elabel", "Rlabel");
  std::vector<Entry> remlst1, remlst2;
  display.clearCounts();

  const auto scopes = machineScopes(run.app.registry, kUninstall);
  for (std::size_t scope = 0; scope < scopes.size(); ++scope) {
    resumeNext([&] {
      for (const std::string& name : run.routines.EnumRegistryKeys(scopes[scope].key.get(), "")) {
        remlst1.push_back({scope, name});
      }
    });
  }
  display.setMaximumFor(remlst1.size());
  for (std::size_t i = 0; i < remlst1.size(); ++i) {
    display.setPosition(i);
    const Entry& entry = remlst1[i];
    RegKey opened = 0;
    if (run.app.registry.openKeyEx(scopes[entry.scope].key.get(), entry.name, kKeyRead, opened) !=
        kErrorSuccess) {
      continue;
    }
    const ScopedRegKey key(run.app.registry, opened);
    ValueList values;
    if (!resumeNext([&] { values = run.routines.EnumRegistryValues(key.get(), ""); })) continue;
    if (!hasUninstallCommand(values) && entry.name.find('{') == std::string::npos) {
      remlst2.push_back(entry);
    }
  }
  display.setErrors(remlst2.size());

  if (!remlst2.empty() && !run.backUpRegistry("Software removal entries", [&](RegExport& out) {
        for (const Entry& entry : remlst2) {
          const RegistryScope& scope = scopes[entry.scope];
          if (!out.addKeyTree(scope.key.get(), scope.name, entry.name)) return false;
        }
        return true;
      })) {
    display.setRepaired(0);
    return;
  }
  display.setMaximumFor(remlst2.size());
  for (std::size_t i = 0; i < remlst2.size(); ++i) {
    run.deleteKeyTree(scopes[remlst2[i].scope].key.get(), remlst2[i].name);
    display.setPosition(i);
  }
  display.repairedAsErrors();
}

}  // namespace corvanta
