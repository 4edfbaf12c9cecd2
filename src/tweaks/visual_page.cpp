// Geometry is in twips, inside the tab's sub-frame VoptionsFrame(0).
#include "tweaks/visual_page.h"

#include <array>

#include "base/resume.h"
#include "base/text.h"
#include "core/app_context.h"
#include "core/app_info.h"
#include "core/changes/change_journal.h"
#include "core/i18n/localizer.h"
#include "core/program_folders.h"
#include "platform/desktop_port.h"
#include "platform/dialogs_port.h"
#include "platform/file_port.h"
#include "platform/system_port.h"
#include "registry/registry_helpers.h"
#include "registry/script_shell.h"
#include "registry/settings_store.h"

namespace corvanta {
namespace {

using ui::ControlKind;

constexpr int kColorBackground = 1;
constexpr const char* kResolutionPlaceholder = "Select resolution";
constexpr std::uint32_t kMonitorColor = 0x00404040;

// The preview is three boxes on top of each other: the wallpaper, the
// screen in the desktop colour, the monitor around it (the first declared
// is the one on top).
constexpr std::array<ui::ControlRow, 12> kControls = {{
    {ControlKind::CheckBox, "ResolutionCheck", "Change resolution", "5011", {240, 360, 2895, 285}},
    {ControlKind::ComboBox, "RCombo", nullptr, nullptr, {480, 720, 2175, 315}},
    {ControlKind::CheckBox,
     "wallpaperCheck",
     "Change windows wallpaper",
     "5012",
     {240, 1200, 2895, 285}},
    {ControlKind::Button, "wallpapercmd", "...", "1023", {480, 1560, 615, 315}},
    {ControlKind::CheckBox, "fsmooth", "Font Smoothing", "5013", {240, 2040, 2895, 285}},
    {ControlKind::Button, "fontcmd", "Fonts", "1021", {240, 2520, 1335, 375}},
    {ControlKind::Button, "systemcolorcmd", "System Colors", "1022", {1680, 2520, 1455, 375}},
    {ControlKind::Picture, "Image1", nullptr, nullptr, {3720, 600, 2415, 1575}},
    {ControlKind::Picture, "Picture2", nullptr, nullptr, {3600, 480, 2655, 1815}},
    {ControlKind::Picture, "visualPicture1", nullptr, nullptr, {3480, 360, 2895, 2295}},
    {ControlKind::SkinLabel, "visuallbl", nullptr, "3042 ", {240, 3300, 4800, 255}},
    {ControlKind::Button, "applyvisualcmd", "Apply", "1016", {5160, 3240, 1215, 375}},
}};

bool isWholePositive(const std::string& text) {
  const std::string trimmed = trimSpaces(text);
  if (trimmed.empty() || trimmed.size() > 6) return false;
  for (const char c : trimmed) {
    if (c < '0' || c > '9') return false;
  }
  return std::stoi(trimmed) > 0;
}

}  // namespace

std::optional<std::pair<int, int>> parseResolution(const std::string& text) {
  const std::size_t x = foldCase(text).find('X');
  if (x == std::string::npos) return std::nullopt;
  const std::string width = text.substr(0, x);
  std::string height = text.substr(x + 1);
  height = height.substr(0, foldCase(height).find('X'));
  if (!isWholePositive(width) || !isWholePositive(height)) return std::nullopt;
  return std::pair{std::stoi(trimSpaces(width)), std::stoi(trimSpaces(height))};
}

void VisualPage::declare(ui::Control& frame) {
  form_.addAll(kControls, &frame);
  control("applyvisualcmd").asDefault();
  control("wallpapercmd").named("Choose wallpaper", "8092");
  auto& resolutions = control("RCombo").named("Resolution", "8091");
  resolutions.setItems({"800x600", "1024x768", "1152x864"});
  resolutions.setText(kResolutionPlaceholder);
  resolutions.setEnabled(false);
  control("wallpapercmd").setEnabled(false);
  control("visualPicture1").setBackColor(kMonitorColor);

  control("ResolutionCheck").onClick = [this] { ResolutionCheck_Click(); };
  resolutions.onChange = resolutions.onClick = [this] { RCombo_Change(); };
  control("wallpaperCheck").onClick = [this] { wallpaperCheck_Click(); };
  control("wallpapercmd").onClick = [this] { wallpapercmd_Click(); };
  control("applyvisualcmd").onClick = [this] { applyvisualcmd_Click(); };
  control("fontcmd").onClick = [this] {
    if (openFonts) openFonts();
  };
  control("systemcolorcmd").onClick = [this] {
    if (openSystemColors) openSystemColors();
  };
}

// The screen and the margins of a wallpaper that does not fill it show the
// desktop colour, as the desktop itself does.
void VisualPage::loadDesktopColour() {
  resumeNext([&] {
    const std::uint32_t desktop = app_.desktop.sysColor(kColorBackground);
    control("Picture2").setBackColor(desktop);
    control("Image1").setBackColor(desktop);
  });
}

void VisualPage::load(ScriptShell& shell) {
  control("RCombo").setText(app_.localizer.text("8010", kResolutionPlaceholder));
  const std::string tip = app_.localizer.text("8011", "Current desktop background");
  for (const char* tipped : {"visualPicture1", "Image1"}) control(tipped).setToolTipText(tip);
  const std::string wallpaper =
      ReadShellRegistryValue(shell, "HKEY_CURRENT_USER\\Control Panel\\Desktop\\Wallpaper");
  if (wallpaper != "Error" && !equalsIgnoringCase(wallpaper, "(none)")) {
    control("Image1").setPicturePath(wallpaper);
  }
  if (const auto smoothing = app_.desktop.fontSmoothing()) {
    control("fsmooth").setValue(*smoothing ? ui::kChecked : ui::kUnchecked);
  }
  applied_.remember(control("fsmooth"));
}

// Under the user's application data: standard users cannot write the
// Windows folder, and the picture is the user's own. Empty when that folder
// is not known.
std::string VisualPage::wallpaperFile() const {
  const std::string data = app_.folders.data();
  return data.empty() ? std::string() : data + "\\wallpaper.bmp";
}

void VisualPage::ResolutionCheck_Click() {
  control("RCombo").setEnabled(ticked("ResolutionCheck"));
}

void VisualPage::wallpaperCheck_Click() {
  control("wallpapercmd").setEnabled(ticked("wallpaperCheck"));
}

// A text that is not two positive whole numbers keeps the last ones.
void VisualPage::RCombo_Change() {
  if (const auto size = parseResolution(control("RCombo").Text())) {
    width_ = size->first;
    height_ = size->second;
  }
}

void VisualPage::wallpapercmd_Click() {
  const auto chosen = app_.dialogs.openFile(
      {"", app_.localizer.text("8076", "All Image Files") + "|*.jpg;*.gif;*.bmp", "", ""});
  if (!chosen) return;
  const std::string wallpaper = wallpaperFile();
  // Its folder is made when a picture is first saved there.
  const bool folderReady =
      !wallpaper.empty() &&
      makeFolderTree(app_.files, wallpaper.substr(0, wallpaper.find_last_of('\\')));
  const long status =
      folderReady ? app_.desktop.convertToBitmap(*chosen, wallpaper) : kErrorPathNotFound;
  if (status != kErrorSuccess) {
    app_.dialogs.messageBox(
        app_.localizer.text(
            "8053", "%1%ncould not be read as a picture or saved as %2 (error %3).",
            {*chosen, wallpaper.empty() ? "wallpaper.bmp" : wallpaper, std::to_string(status)}),
        kAppTitle, kMbOk | kMbIconError);
    return;
  }
  control("Image1").setPicturePath(*chosen);
  wallpaperPrepared_ = true;
}

void VisualPage::applyvisualcmd_Click() {
  const ChangeScope changes(app_.journal, "Visual");
  Localizer& texts = app_.localizer;
  if (ticked("ResolutionCheck")) {
    if (width_ <= 0 || height_ <= 0) {
      app_.dialogs.messageBox(
          texts.text("8054", "Choose or type a resolution such as 1024x768 first."), kAppTitle,
          kMbOk | kMbIconInformation);
    } else if (const long result = app_.desktop.changeResolution(width_, height_);
               result != kDispChangeSuccessful) {
      app_.dialogs.messageBox(
          texts.text("8055", "The display did not accept %1x%2 (answer %3).",
                     {std::to_string(width_), std::to_string(height_), std::to_string(result)}),
          kAppTitle, kMbOk | kMbIconError);
    }
  }
  if (ticked("wallpaperCheck")) {
    const std::string wallpaper = wallpaperFile();
    if (wallpaperPrepared_ ||
        (!wallpaper.empty() && app_.files.anyMatch(wallpaper) == kErrorSuccess)) {
      app_.desktop.setWallpaper(wallpaper);
    } else {
      app_.dialogs.messageBox(
          texts.text("8056",
                     "No wallpaper was set: choose a picture with the \"...\" button first."),
          kAppTitle, kMbOk | kMbIconInformation);
    }
  }
  // Font smoothing only when the user changed the box: its state was read
  // from Windows, and writing it back unasked could only undo a change made
  // elsewhere since.
  const ui::Control& smoothBox = control("fsmooth");
  if (applied_.changed(smoothBox)) {
    const bool smooth = ticked("fsmooth");
    ApplyReport report;
    if (app_.desktop.setFontSmoothing(smooth)) {
      applied_.remember(smoothBox);
    } else {
      report.failed(texts.text("8058", "Font smoothing"));
    }
    report.write(texts.text("8059", "Font smoothing (setting)"), [&] {
      app_.settings.SaveSetting("Halvorn utilities", "visual", "smooth", smooth ? "1" : "0");
    });
    report.tell(app_);
  }
}

}  // namespace corvanta
