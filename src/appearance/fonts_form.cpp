// Geometry is in twips, as designed.
#include "appearance/fonts_form.h"

#include <algorithm>
#include <array>

#include "appearance/font_file.h"
#include "base/text.h"
#include "core/app_context.h"
#include "core/app_info.h"
#include "core/changes/change_journal.h"
#include "core/elevation.h"
#include "core/i18n/localizer.h"
#include "core/skin_form.h"
#include "platform/desktop_port.h"
#include "platform/dialogs_port.h"
#include "platform/file_port.h"
#include "platform/registry_port.h"
#include "platform/system_port.h"
#include "ui/forms.h"

namespace corvanta {
namespace {

using ui::ControlKind;

constexpr const char* kPreviewText = "\r\nABCXYZabcxyz";
constexpr int kFirstSize = 12;

constexpr std::array<ui::ControlRow, 3> kList = {{
    {ControlKind::ListBox, "lstSystemFonts", nullptr, nullptr, {120, 120, 2775, 3855}},
    {ControlKind::TextBox, "Label1", nullptr, nullptr, {3000, 120, 4020, 1935}},
    {ControlKind::Frame, "FontFrame1", "Font Properties", "2002", {3000, 2160, 4020, 1575}},
}};

constexpr std::array<ui::ControlRow, 6> kProperties = {{
    {ControlKind::SkinLabel, "Label2", "Size", "8300", {120, 360, 600, 255}},
    {ControlKind::TextBox, "sizetxt", nullptr, nullptr, {780, 300, 735, 315}},
    {ControlKind::UpDown, "UpDown1", nullptr, nullptr, {1515, 300, 255, 315}},
    {ControlKind::CheckBox, "Check1", "Strikeout", "5005", {2160, 300, 1740, 285}},
    {ControlKind::CheckBox, "Check2", "Bold", "5006", {2160, 660, 1740, 285}},
    {ControlKind::CheckBox, "Check3", "Italic", "5007", {2160, 1020, 1740, 285}},
}};

std::string fontsKey(SystemPort& system) {
  OsVersion version;
  const bool nt = !system.getVersionEx(version) || version.platformId == kVerPlatformWin32Nt;
  return nt ? "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts"
            : "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Fonts";
}

}  // namespace

int leadingNumber(const std::string& text) {
  std::size_t end = 0;
  while (end < text.size() && end < 6 && text[end] >= '0' && text[end] <= '9') ++end;
  return end == 0 ? 0 : std::stoi(text.substr(0, end));
}

FontsForm::FontsForm(AppContext& app) : ui::Form("Fontsfrm", "Fonts", 7260, 4950), app_(app) {
  setResizable(true);
  setTag("7004");
  addAll(kList);
  addAll(kProperties, &control("FontFrame1"));
  add(ControlKind::Button, "Command1")
      .caption("Install new fonts")
      .tag("1017")
      .at(3000, 3900, 2055, 375);
  add(ControlKind::Button, "Command2")
      .caption("Close")
      .tag("1018")
      .at(5805, 3900, 1215, 375)
      .asDefault()
      .asCancel();
  control("Label1").withStyle({.multiLine = true}).named("Sample text", "8310");
  setHelpTopic("fonts.html");
  control("UpDown1").withStyle({.vertical = true}).range(6, 72).steps(1, 1, 1);
  control("UpDown1").setValue(kFirstSize);

  onLoad = [this] { Form_Load(); };
  control("lstSystemFonts").onClick = [this] { lstSystemFonts_Click(); };
  control("UpDown1").onChange = [this] { UpDown1_Change(); };
  control("Check1").onClick = [this] { Check1_Click(); };
  control("Check2").onClick = [this] { Check2_Click(); };
  control("Check3").onClick = [this] { Check3_Click(); };
  control("Command1").onClick = [this] { Command1_Click(); };
  control("Command2").onClick = [this] { Command2_Click(); };
}

void FontsForm::Form_Load() {
  skinWindow(*this, app_.skin, app_.appFolder, "SmallForm");
  FillFontList();
  // The preview starts in the list's second font, or its only one, or the
  // window's own when there is none.
  const auto& fonts = control("lstSystemFonts").items();
  control("Label1").setText(kPreviewText);
  preview_.name = fonts.size() >= 2 ? fonts[1] : fonts.empty() ? std::string() : fonts[0];
  preview_.size = control("UpDown1").Value();
  control("sizetxt").setText(std::to_string(preview_.size));
  showPreview();
}

// Each family once (a family comes once per character set), sorted; the
// vertical variants ("@Name") are the same faces turned on their side.
void FontsForm::FillFontList() {
  // Sorted and made unique by their folded names, each folded once.
  std::vector<std::pair<std::string, std::string>> families;
  for (std::string& family : app_.desktop.fontFamilies()) {
    if (family.empty() || family[0] == '@') continue;
    std::string folded = foldCase(family);
    families.emplace_back(std::move(folded), std::move(family));
  }
  std::sort(families.begin(), families.end());
  families.erase(std::unique(families.begin(), families.end(),
                             [](const auto& a, const auto& b) { return a.first == b.first; }),
                 families.end());
  std::vector<std::string> names;
  names.reserve(families.size());
  for (auto& family : families) names.push_back(std::move(family.second));
  std::stable_sort(names.begin(), names.end(),
                   [](const std::string& a, const std::string& b) { return displayOrder(a, b); });
  control("lstSystemFonts").setItems(std::move(names));
}

void FontsForm::showPreview() {
  if (!preview_.name.empty()) control("Label1").setFont(preview_);
}

void FontsForm::lstSystemFonts_Click() {
  const auto& list = control("lstSystemFonts");
  if (list.ListIndex() < 0) return;
  // A size of 0, or none, keeps the size shown.
  if (const int size = leadingNumber(control("sizetxt").Text()); size > 0) preview_.size = size;
  preview_.name = list.items()[static_cast<std::size_t>(list.ListIndex())];
  showPreview();
}

void FontsForm::UpDown1_Change() {
  preview_.size = control("UpDown1").Value();
  control("sizetxt").setText(std::to_string(preview_.size));
  applyBox("Check1", &ui::FontSpec::strikeout);
  applyBox("Check2", &ui::FontSpec::bold);
  applyBox("Check3", &ui::FontSpec::italic);
  showPreview();
}

void FontsForm::applyBox(const char* box, bool ui::FontSpec::*attribute) {
  const int value = control(box).Value();
  if (value == ui::kChecked) preview_.*attribute = true;
  if (value == ui::kUnchecked) preview_.*attribute = false;
}

void FontsForm::Check1_Click() {
  applyBox("Check1", &ui::FontSpec::strikeout);
  showPreview();
}
void FontsForm::Check2_Click() {
  applyBox("Check2", &ui::FontSpec::bold);
  showPreview();
}
void FontsForm::Check3_Click() {
  applyBox("Check3", &ui::FontSpec::italic);
  showPreview();
}

void FontsForm::Command1_Click() {
  Localizer& texts = app_.localizer;
  const auto chosen = app_.dialogs.openFile(
      {texts.text("8301", "Add Font"), texts.text("8302", "True Type Fonts") + "|*.ttf", "c:", ""});
  if (!chosen || !haveAdministratorRights(app_, texts.text("8303", "Installing a font"))) return;
  const ChangeScope changes(app_.journal, "Fonts");
  if (const std::string failure = InstallFonts(*chosen); !failure.empty()) {
    app_.dialogs.messageBox(failure, kAppTitle, kMbOk | kMbIconError);
  }
}

std::string FontsForm::InstallFonts(const std::string& source) {
  Localizer& texts = app_.localizer;
  const std::string fileName = source.substr(source.find_last_of("\\/:") + 1);
  const std::string target = app_.system.windowsDirectory() + "\\Fonts\\" + fileName;
  // Only "not found" means absent: a folder that cannot be read may well
  // hold the file, and an installed font is never overwritten.
  if (const long found = app_.files.anyMatch(target);
      found != kErrorFileNotFound && found != kErrorPathNotFound) {
    return found == kErrorSuccess
               ? texts.text("8304",
                            "A font file named %1 is already in the fonts folder; nothing was "
                            "installed.",
                            {fileName})
               : texts.text("8305",
                            "Whether the fonts folder already holds %1 cannot be told (error "
                            "%2); nothing was installed.",
                            {fileName, std::to_string(found)});
  }
  std::string bytes;
  const auto name =
      app_.files.readFile(source, bytes) == kErrorSuccess ? fontFullName(bytes) : std::nullopt;
  if (!name || app_.desktop.addFontResource(source) == 0) {
    return texts.text("8306",
                      "%1 is not a font this system can use, or its name cannot be read whole; "
                      "nothing was installed.",
                      {source});
  }
  app_.desktop.removeFontResource(source);

  if (const long copied = app_.files.copyFile(source, target, true); copied != kErrorSuccess) {
    return copied == kErrorAccessDenied
               ? texts.text("8307",
                            "There are no rights to write to the fonts folder: installing a "
                            "font needs an administrator.")
               : texts.text("8308", "The font could not be copied to the fonts folder (error %1).",
                            {std::to_string(copied)});
  }
  RegKey fonts = 0;
  const std::string valueName = *name + " (TrueType)";
  const bool registered =
      app_.registry.createKeyEx(kHkeyLocalMachine, fontsKey(app_.system), "", 0, kKeySetValue,
                                fonts, nullptr) == kErrorSuccess &&
      [&] {
        const ScopedRegKey key(app_.registry, fonts);
        return app_.registry.setValueEx(key.get(), valueName, kRegSz,
                                        reinterpret_cast<const std::uint8_t*>(fileName.c_str()),
                                        static_cast<std::uint32_t>(fileName.size() + 1)) ==
               kErrorSuccess;
      }();
  if (!registered) {
    app_.files.deleteFile(target);  // nothing half-done
    return texts.text("8309",
                      "The font could not be registered: installing a font needs an "
                      "administrator.");
  }
  app_.desktop.addFontResource(target);
  app_.desktop.broadcastFontChange();
  FillFontList();
  return {};
}

void FontsForm::Command2_Click() { app_.forms.Unload(*this); }

}  // namespace corvanta
