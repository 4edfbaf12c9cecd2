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

}  // namespace corvanta
