#include "app/i18n/localizer.h"

#include "base/resume.h"
#include "platform/system_port.h"
#include "registry/settings_store.h"
#include "ui/form.h"

namespace corvanta {
namespace {

constexpr const char* kSettingsApplication = "Corvanta";
constexpr const char* kSettingsSection = "Language";
constexpr const char* kSettingsKey = "lng";
constexpr const char* kDefaultLanguage = "English";
constexpr const char* kTextSection = "Corvanta";
constexpr std::uint32_t kTextBuffer = 255;

}  // namespace

std::string Localizer::LanguageName() {
  std::string name;
  resumeNext(
      [&] { name = settings_.GetSetting(kSettingsApplication, kSettingsSection, kSettingsKey); });
  return name.empty() ? kDefaultLanguage : name;
}

void Localizer::saveLanguageName(const std::string& name) {
  settings_.SaveSetting(kSettingsApplication, kSettingsSection, kSettingsKey, name);
}

std::string Localizer::languageFile(const std::string& languageName) const {
  return appFolder_ + "\\languages\\" + languageName + ".ini";
}

std::string Localizer::lookup(const std::string& id, const std::string& file) {
  return system_.getPrivateProfileString(kTextSection, id, "", kTextBuffer, file);
}

std::string Localizer::LookupText(const std::string& id) {
  return lookup(id, languageFile(LanguageName()));
}

void Localizer::ApplyLanguage(ui::Form& form, const std::string& languageName) {
  const std::string file = languageFile(languageName);
  for (const auto& control : form.controls()) {
    if (control->Tag().empty()) continue;
    // A control that cannot take a caption is passed over; the walk goes on.
    resumeNext([&] { control->setCaption(lookup(control->Tag(), file)); });
  }
}

}  // namespace corvanta
