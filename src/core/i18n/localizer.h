// Captions from the language files: one INI file per language in the
// "languages" folder beside the program, every text in its "Corvanta"
// section under its language ID. A control whose tag holds an ID takes the
// text of that ID when its window loads. The language is the one stored in
// the settings, English when none (or no usable name) is stored.
//
// A text the language's file lacks comes from the English file, and a text
// neither has is the control's designed one: a missing or partial language
// file never leaves the program without captions. Each file is read once.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "base/profile_text.h"

namespace corvanta {

class FilePort;
class SettingsStore;
namespace ui {
class Form;
}

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
  std::string languageFile(const std::string& languageName) const;
  // Whether the language's file is there with its "Corvanta" section.
  bool isUsable(const std::string& languageName);
  // The language's own name, as its file gives it ("Polski", "Русский"),
  // else the file's name.
  std::string ownName(const std::string& languageName);

  // The text of a language ID in the current language, else in English,
  // else `fallback`. At most 254 characters.
  std::string LookupText(const std::string& id, const std::string& fallback = "");
  // Gives every tagged control of the window the text of its ID in that
  // language (else English, else its designed caption). Untagged controls
  // keep theirs.
  void ApplyLanguage(ui::Form& form, const std::string& languageName);

 private:
  // The file's texts, read on first use; null when it cannot be read.
  const ProfileText* texts(const std::string& languageName);
  std::optional<std::string> lookup(const std::string& id, const std::string& languageName);

  FilePort& files_;
  SettingsStore& settings_;
  std::string appFolder_;
  std::map<std::string, std::optional<ProfileText>> loaded_;  // by language name
};

}  // namespace corvanta
