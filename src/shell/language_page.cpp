#include "shell/language_page.h"

#include <algorithm>
#include <exception>
#include <vector>

#include "base/text.h"
#include "core/app_info.h"
#include "core/i18n/localizer.h"
#include "platform/dialogs_port.h"
#include "platform/file_port.h"
#include "ui/form.h"

namespace corvanta {
namespace {

constexpr const char* kNextStartId = "3044";

}  // namespace

std::vector<std::string> FillLanguageList(ui::Form& form, Localizer& localizer, FilePort& files) {
  std::vector<std::string> languages{kEnglish};
  std::vector<FileEntry> found;
  const std::string folder = localizer.languageFile("*");
  if (files.findFiles(folder, found) == kErrorSuccess) {
    for (const FileEntry& entry : found) {
      if ((entry.attributes & kFileAttributeDirectory) || entry.name.size() <= 4) continue;
      const std::string stem = entry.name.substr(0, entry.name.size() - 4);
      const bool known =
          std::any_of(languages.begin(), languages.end(),
                      [&](const std::string& name) { return equalsIgnoringCase(name, stem); });
      if (!known && equalsIgnoringCase(entry.name.substr(entry.name.size() - 4), ".ini") &&
          localizer.isUsable(stem)) {
        languages.push_back(stem);
      }
    }
  }
  std::vector<std::pair<std::string, std::string>> named;  // own name, file name
  for (const std::string& language : languages) named.emplace_back(localizer.ownName(language), language);
  std::sort(named.begin(), named.end(), [](const auto& a, const auto& b) {
    return displayOrder(a.first, b.first);
  });
  std::vector<std::string> shown;
  languages.clear();
  for (auto& [own, file] : named) {
    shown.push_back(std::move(own));
    languages.push_back(std::move(file));
  }
  const std::string stored = localizer.LanguageName();
  const auto selected =
      std::find_if(languages.begin(), languages.end(),
                   [&](const std::string& name) { return equalsIgnoringCase(name, stored); });
  const auto english = std::find(languages.begin(), languages.end(), kEnglish);
  const int index =
      static_cast<int>((selected != languages.end() ? selected : english) - languages.begin());
  ui::Control& chooser = form.control("combolng");
  chooser.setItems(std::move(shown));
  chooser.setListIndex(index);
  return languages;
}

void Applylangcmd_Click(ui::Form& form, Localizer& localizer, DialogsPort& dialogs,
                        const std::vector<std::string>& languages) {
  const int index = form.control("combolng").ListIndex();
  if (index < 0 || index >= static_cast<int>(languages.size())) return;
  const std::string& chosen = languages[static_cast<std::size_t>(index)];
  try {
    localizer.saveLanguageName(chosen);
    form.control("langSkinLabel1")
        .setCaption(localizer.LookupText(kNextStartId,
                                         "The new language shows the next time Corvanta starts."));
  } catch (const std::exception& error) {
    // Nothing else is at stake, but the user must not believe it was kept.
    dialogs.messageBox(
        localizer.text("8052", "The language could not be saved.%n%1", {error.what()}), kAppTitle,
        kMbIconError);
  }
}

}  // namespace corvanta
