// Captions from the language files: one INI file per language in the
// "languages" folder beside the program, every text in its "Corvanta"
// section under its language ID. A control whose tag holds an ID takes the
// text of that ID when its window loads; the language is the one stored in
// the settings, English when none is.
#pragma once

#include <string>

namespace corvanta {

class SettingsStore;
class SystemPort;
namespace ui {
class Form;
}

class Localizer {
 public:
  Localizer(SystemPort& system, SettingsStore& settings, std::string appFolder)
      : system_(system), settings_(settings), appFolder_(std::move(appFolder)) {}

  // The stored language, "English" when none is stored or it is empty.
  std::string LanguageName();
  // Stores the language every window loaded from now on uses.
  void saveLanguageName(const std::string& name);
  std::string languageFile(const std::string& languageName) const;

  // The text of a language ID in the current language; empty when the file,
  // the section or the ID is missing. At most 254 characters.
  std::string LookupText(const std::string& id);
  // Gives every tagged control of the window the text of its ID (empty when
  // missing: the design text is no fallback). Untagged controls keep theirs.
  void ApplyLanguage(ui::Form& form, const std::string& languageName);

 private:
  std::string lookup(const std::string& id, const std::string& file);

  SystemPort& system_;
  SettingsStore& settings_;
  std::string appFolder_;
};

}  // namespace corvanta
