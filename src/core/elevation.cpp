#include "core/elevation.h"

#include "core/app_context.h"
#include "core/app_info.h"
#include "core/i18n/localizer.h"
#include "platform/dialogs_port.h"
#include "platform/shell_port.h"
#include "platform/system_port.h"
#include "ui/forms.h"

namespace corvanta {

bool haveAdministratorRights(AppContext& app, const std::string& action) {
  if (app.system.hasAdministratorRights()) return true;
  const int answer = app.dialogs.messageBox(
      app.localizer.text("8090",
                         "%1 needs administrator rights, which Corvanta does not have now; "
                         "nothing was changed.%n%nStart Corvanta again as administrator?",
                         {action}),
      kAppTitle, kMbYesNo | kMbIconQuestion);
  if (answer != kIdYes) return false;
  // The new start must be able to claim the single-instance name.
  app.system.releaseSingleInstance();
  if (app.shell.runElevated(0, app.system.moduleFileName()) > 32) {
    app.forms.End();
  } else {
    app.system.claimSingleInstance(kSingleInstanceName);
  }
  return false;
}

}  // namespace corvanta
