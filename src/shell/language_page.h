// The Language page of the main window: the chooser and its Apply button.
#pragma once

#include <string>
#include <vector>

namespace corvanta {

class DialogsPort;
class FilePort;
class Localizer;
namespace ui {
class Form;
}

// Fills the chooser `combolng` with English and every language file beside
// the program that holds a "Corvanta" section, each by its own name, sorted,
// and selects the stored language (English when it is not on offer).
// Returns the languages' file names in the chooser's order.
std::vector<std::string> FillLanguageList(ui::Form& form, Localizer& localizer, FilePort& files);

// Stores the chooser's language (of `languages`, in the chooser's order) for
// the next start, and says so on the page; nothing is re-captioned now.
void Applylangcmd_Click(ui::Form& form, Localizer& localizer, DialogsPort& dialogs,
                        const std::vector<std::string>& languages);

}  // namespace corvanta
