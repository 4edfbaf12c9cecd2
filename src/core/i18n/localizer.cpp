#include "core/i18n/localizer.h"

#include "base/resume.h"
#include "base/text.h"
#include "platform/file_port.h"
#include "registry/settings_store.h"
#include "ui/form.h"
#include "ui/forms.h"

namespace corvanta {
namespace {

constexpr const char* kSettingsSection = "Language";
constexpr const char* kSettingsKey = "lng";
constexpr const char* kTextSection = "Corvanta";
constexpr std::size_t kLongestText = 254;  // characters: a 255-character buffer and its terminator
constexpr std::size_t kLongestName = 64;

// Cuts `text` after `most` UTF-16 units, never inside a character.
void cutToCharacters(std::string& text, std::size_t most) {
  std::size_t units = 0;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t start = at;
    units += nextCodePoint(text, at) >= 0x10000 ? 2 : 1;
    if (units > most) {
      text.resize(start);
      return;
    }
  }
}

}  // namespace

bool isLanguageName(const std::string& name) {
  if (name.empty() || name.size() > kLongestName || name.front() == '.') return false;
  for (const char c : name) {
    const bool letterOrDigit = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                               (c >= '0' && c <= '9') || static_cast<unsigned char>(c) >= 0x80;
    if (!letterOrDigit && c != ' ' && c != '-' && c != '_' && c != '.') return false;
  }
  return true;
}

std::string Localizer::LanguageName() {
  if (!fixedLanguage_.empty()) return fixedLanguage_;
  std::string name;
  resumeNext(
      [&] { name = settings_.GetSetting(kSettingsApplication, kSettingsSection, kSettingsKey); });
  return isLanguageName(name) ? name : kEnglish;
}

void Localizer::saveLanguageName(const std::string& name) {
  settings_.SaveSetting(kSettingsApplication, kSettingsSection, kSettingsKey, name);
}

std::string Localizer::languageFile(const std::string& languageName) const {
  return appFolder_ + "\\languages\\" + languageName + ".ini";
}

const ProfileText* Localizer::texts(const std::string& languageName) {
  const std::string key = foldCase(languageName);
  auto found = loaded_.find(key);
  if (found == loaded_.end()) {
    std::string bytes;
    std::optional<ProfileText> read;
    if (files_.readFile(languageFile(languageName), bytes) == kErrorSuccess) {
      // Files of earlier versions are in the Western code page.
      ProfileText parsed(utf8FromStoredText(bytes));
      if (parsed.hasSection(kTextSection)) read = std::move(parsed);
    }
    found = loaded_.emplace(key, std::move(read)).first;
  }
  return found->second ? &*found->second : nullptr;
}

bool Localizer::isUsable(const std::string& languageName) {
  return isLanguageName(languageName) && texts(languageName) != nullptr;
}

std::string Localizer::ownName(const std::string& languageName) {
  const ProfileText* file = texts(languageName);
  std::string name = file ? trimBlanks(file->value("Language", "Name").value_or("")) : "";
  cutToCharacters(name, kLongestName);
  return name.empty() ? languageName : name;
}

std::optional<std::string> Localizer::lookup(const std::string& id,
                                             const std::string& languageName) {
  for (const std::string& language : {languageName, std::string(kEnglish)}) {
    if (const ProfileText* file = texts(language)) {
      if (auto text = file->value(kTextSection, id)) {
        cutToCharacters(*text, kLongestText);
        return text;
      }
    }
  }
  return std::nullopt;
}

std::string Localizer::LookupText(const std::string& id, const std::string& fallback) {
  return lookup(id, LanguageName()).value_or(fallback);
}

std::string Localizer::text(const std::string& id, const std::string& english,
                            std::initializer_list<std::string_view> values) {
  return fillIn(LookupText(id, english), values);
}

void Localizer::ApplyLanguage(ui::Form& form, const std::string& languageName) {
  const auto textOf = [&](const std::string& id, const std::string& declared) {
    return id.empty() ? declared : lookup(id, languageName).value_or(declared);
  };
  if (!form.Tag().empty()) form.setCaption(textOf(form.Tag(), form.DesignCaption()));
  for (const auto& control : form.controls()) {
    // A control that cannot take a caption is passed over; the walk goes on.
    if (!control->Tag().empty())
      resumeNext([&] { control->setCaption(textOf(control->Tag(), control->DesignCaption())); });
    if (!control->NameTag().empty())
      control->setDeclaredName(textOf(control->NameTag(), control->DesignName()));
    if (control->kind() == ui::ControlKind::ListView) {
      std::vector<ui::ListColumn> columns = control->columns();
      for (ui::ListColumn& column : columns) column.caption = textOf(column.tag, column.caption);
      control->setColumns(std::move(columns));
    } else if (control->kind() == ui::ControlKind::TabStrip && !control->tabTags().empty()) {
      std::vector<std::string> tabs = control->tabs();
      for (std::size_t i = 0; i < tabs.size() && i < control->tabTags().size(); ++i)
        tabs[i] = textOf(control->tabTags()[i], tabs[i]);
      const int selected = control->SelectedTab();
      control->setTabs(std::move(tabs), control->tabTags());
      if (selected > 0) control->setSelectedTab(selected);
    }
  }
}

void translateEveryWindow(ui::Forms& forms, Localizer& localizer) {
  forms.onLoading = [&localizer](ui::Form& form) {
    localizer.ApplyLanguage(form, localizer.LanguageName());
  };
}

}  // namespace corvanta
