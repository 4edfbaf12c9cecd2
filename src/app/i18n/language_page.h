// The Language page of the main window: the chooser and its Apply button.
#pragma once

namespace corvanta {

class DialogsPort;
class Localizer;
namespace ui {
class Form;
}

// Fills the chooser `combolng` with the languages on offer and selects the
// first.
void FillLanguageList(ui::Form& form);

// Stores the chooser's text as the language; nothing is re-captioned now.
void Applylangcmd_Click(ui::Form& form, Localizer& localizer, DialogsPort& dialogs);

}  // namespace corvanta
