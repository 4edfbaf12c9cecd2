#include "app/i18n/language_page.h"

#include <exception>

#include "app/app_info.h"
#include "app/i18n/localizer.h"
#include "platform/dialogs_port.h"
#include "ui/form.h"

namespace corvanta {

void FillLanguageList(ui::Form& form) {
  ui::Control& chooser = form.control("combolng");
  chooser.Clear();
  chooser.AddItem("English");
  chooser.setListIndex(0);
}

void Applylangcmd_Click(ui::Form& form, Localizer& localizer, DialogsPort& dialogs) {
  const std::string chosen = form.control("combolng").Text();
  try {
    localizer.saveLanguageName(chosen);
  } catch (const std::exception& error) {
    // Nothing else is at stake, but the user must not believe it was kept.
    dialogs.messageBox("The language could not be saved.\r\n" + std::string(error.what()),
                       kAppTitle, kMbIconError);
  }
}

}  // namespace corvanta
