#include "health/health_form.h"

#include "app/app_context.h"
#include "app/i18n/localizer.h"
#include "app/skin_form.h"

namespace corvanta {

HealthForm::HealthForm(AppContext& app)
    : ui::Form("pchealth", "System Health", 8100, 6000), app_(app) {
  onLoad = [this] { Form_Load(); };
}

void HealthForm::Form_Load() {
  skinWindow(*this, app_.skin, app_.appFolder, "SmallForm");
  setCaption(app_.localizer.LookupText("7010"));
}

}  // namespace corvanta
