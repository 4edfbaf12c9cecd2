#include "app/app_context.h"
#include "health/health_checks.h"
#include "health/registry_scope.h"
#include "health/repair_backup.h"

namespace corvanta {

HealthRun::HealthRun(AppContext& context, ui::Form& window)
    : app(context),
      form(window),
      routines(context.registry, context.system),
      presence(context.files, context.drives) {}

void HealthRun::deleteKeyTree(RegKey root, const std::string& path) {
  DeleteKeyTree(routines, app.registry, app.forms, root, path);
}

bool HealthRun::backUpRegistry(const std::string& check,
                               const std::function<bool(RegExport&)>& gather) {
  RepairBackup backup(app, check);
  if (gather(backup.registry()) && backup.writeRegistry()) return true;
  backup.tellFailure();
  return false;
}

bool HealthRun::backUpKeyTrees(const std::string& check, const std::vector<RegistryScope>& scopes,
                               const std::vector<ScopedEntry>& keys) {
  return keys.empty() || backUpRegistry(check, [&](RegExport& out) {
           for (const ScopedEntry& key : keys) {
             const RegistryScope& scope = scopes[key.scope];
             if (!out.addKeyTree(scope.key.get(), scope.name, key.name)) return false;
           }
           return true;
         });
}

bool HealthRun::backUpValues(const std::string& check, const std::vector<RegistryScope>& scopes,
                             const std::vector<ScopedEntry>& values) {
  return values.empty() || backUpRegistry(check, [&](RegExport& out) {
           for (const ScopedEntry& value : values) {
             const RegistryScope& scope = scopes[value.scope];
             if (!out.addValues(scope.key.get(), scope.name, "", {value.name})) return false;
           }
           return true;
         });
}

}  // namespace corvanta
