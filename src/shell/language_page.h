// The Language page of the main window: the chooser and its Apply button.
#pragma once

namespace corvanta {

class DialogsPort;
class FilePort;
class Localizer;
namespace ui {
class Form;
}

// Fills the chooser `combolng` with English and every language file beside
// the program that holds a "Corvanta" section, by name, sorted, and selects
// the stored language (English when it is not on offer).
void FillLanguageList(ui::Form& form, Localizer& localizer, FilePort& files);

// Stores the chooser's language for the next start, and says so on the
// page; nothing is re-captioned now.
void Applylangcmd_Click(ui::Form& form, Localizer& localizer, DialogsPort& dialogs);

}  // namespace corvanta
