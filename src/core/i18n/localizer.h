// Texts from the language files: one INI file per language in the
// "languages" folder beside the program, every text in its "Corvanta"
// section under its language ID. Every window takes its language as it
// loads (translateEveryWindow): its title, each control whose tag holds an
// ID, and each tagged list column and tab. A text the program makes as it
// runs (a message, a count, a finding's reason) is looked up by its ID with
// its blanks filled (text). The language is the one stored in the settings,
// English when none (or no usable name) is stored.
//
// A text the language's file lacks comes from the English file, and a text
// neither has is the control's designed one: a missing or partial language
// file never leaves the program without captions. Each file is read once.
#pragma once

#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "base/profile_text.h"

namespace corvanta {

class FilePort;
class SettingsStore;
namespace ui {
class Form;
class Forms;
}  // namespace ui

inline constexpr const char* kEnglish = "English";

// A language name is a plain file stem: letters, digits, blanks, dashes,
// underscores and dots (not first), at most 64 characters.
bool isLanguageName(const std::string& name);

class Localizer {
 public:
  Localizer(FilePort& files, SettingsStore& settings, std::string appFolder)
      : files_(files), settings_(settings), appFolder_(std::move(appFolder)) {}

  // The stored language, "English" when none is stored, it is empty or it
  // is no plain language name.
  std::string LanguageName();
  // Stores the language every window loaded from now on uses.
  void saveLanguageName(const std::string& name);
  // Speaks `name` from now on, whatever is stored: the command line speaks
  // English, as its reports and its own lines do.
  void useLanguage(const std::string& name) { fixedLanguage_ = name; }
  std::string languageFile(const std::string& languageName) const;
  // Whether the language's file is there with its "Corvanta" section.
  bool isUsable(const std::string& languageName);
  // The language's own name, as its file gives it ("Polski", "Русский"),
  // else the file's name.
  std::string ownName(const std::string& languageName);

  // The text of a language ID in the current language, else in English,
  // else `fallback`. At most 254 characters.
  std::string LookupText(const std::string& id, const std::string& fallback = "");
  // The same, `english` being the text when no file has the ID, with its
  // blanks filled by `values` ("%1", "%n": base/text.h's fillIn).
  std::string text(const std::string& id, const std::string& english,
                   std::initializer_list<std::string_view> values = {});
  // Gives the window's tagged title, every tagged control, list column and
  // tab the text of its ID in that language (else English, else what it was
  // declared with). What has no tag keeps its text.
  void ApplyLanguage(ui::Form& form, const std::string& languageName);

 private:
  // The file's texts, read on first use; null when it cannot be read.
  const ProfileText* texts(const std::string& languageName);
  std::optional<std::string> lookup(const std::string& id, const std::string& languageName);

  FilePort& files_;
  SettingsStore& settings_;
  std::string appFolder_;
  std::string fixedLanguage_;
  std::map<std::string, std::optional<ProfileText>> loaded_;  // by language name
};

// Has every window `forms` loads from now on take the stored language as it
// loads, before it is made: the composition root wires this once, and no
// window translates itself.
void translateEveryWindow(ui::Forms& forms, Localizer& localizer);

}  // namespace corvanta
