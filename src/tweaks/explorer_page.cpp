#include "tweaks/explorer_page.h"

#include <array>

#include "base/resume.h"
#include "core/app_context.h"
#include "core/changes/change_journal.h"
#include "core/i18n/localizer.h"
#include "platform/dialogs_port.h"
#include "registry/script_shell.h"
#include "tweaks/tweak_model.h"

namespace corvanta {
namespace {

using ui::ControlKind;

constexpr const char* kHomePage = "http://www.corvanta.example/";
constexpr const char* kDownloadDirectory =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\Download Directory";
constexpr const char* kBackBitmap =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\Toolbar\\BackBitmap";
constexpr const char* kPersistent =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet "
    "Settings\\Cache\\Persistent";
constexpr const char* kFullScreen =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\Main\\FullScreen";

constexpr std::array<Tweak, 3> kApplied = {{
    {"changetxt", "HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\Main\\Window Title",
     TweakType::Text},
    {"editortxt",
     "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Internet Explorer\\View Source Editor\\Editor "
     "Name\\",
     TweakType::Text},
    {"hometxt", "HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\Main\\Start Page",
     TweakType::Text},
}};

constexpr std::array<ui::ControlRow, 16> kControls = {{
    {ControlKind::SkinLabel,
     "TitleSkinLabel",
     "Change window title (IE 5.0 or higher)",
     "3013",
     {120, 300, 3060, 255}},
    {ControlKind::TextBox, "changetxt", nullptr, nullptr, {3240, 255, 3135, 315}},
    {ControlKind::SkinLabel,
     "EditorSkinLabel",
     "Source code editor",
     "3014",
     {120, 690, 3060, 255}},
    {ControlKind::TextBox, "editortxt", nullptr, nullptr, {3240, 645, 2175, 315}},
    {ControlKind::Button, "browse3cmd", "Browse", "1014", {5475, 630, 900, 345}},
    {ControlKind::SkinLabel, "homeSkinLabel", "Home page", "3015", {120, 1080, 3060, 255}},
    {ControlKind::TextBox, "hometxt", nullptr, nullptr, {3240, 1035, 3135, 315}},
    {ControlKind::SkinLabel,
     "DownloadSkinLabel",
     "Change download directory",
     "3011",
     {120, 1470, 3060, 255}},
    {ControlKind::TextBox, "txtDownloadFolder", nullptr, nullptr, {3240, 1425, 2175, 315}},
    {ControlKind::Button, "browsecmd", "Browse", "8020", {5475, 1410, 900, 345}},
    {ControlKind::SkinLabel,
     "backSkinLabel",
     "Change toolbar background wallpaper",
     "3012",
     {120, 1860, 3060, 255}},
    {ControlKind::Button, "browse2cmd", "Browse", "8021", {3240, 1800, 900, 345}},
    {ControlKind::Button, "nonecmd", "None", "1015", {4200, 1800, 900, 345}},
    {ControlKind::CheckBox,
     "EmptyCheck",
     "Empty temporary internet files folder when browser is closed",
     "5002",
     {120, 2340, 6255, 285}},
    {ControlKind::CheckBox, "FullCheck", "Full Screen", "5001", {120, 2700, 6255, 285}},
    {ControlKind::Button, "applycmd", "Apply", "1016", {5160, 3300, 1215, 375}},
}};

}  // namespace

void ExplorerPage::declare(ui::Control& frame) {
  form_.addAll(kControls, &frame);
  control("applycmd").asDefault();
  control("hometxt").setText(kHomePage);
  control("applycmd").onClick = [this] { applycmd_Click(); };
  control("EmptyCheck").onClick = [this] { EmptyCheck_Click(); };
  control("FullCheck").onClick = [this] { FullCheck_Click(); };
  control("browse2cmd").onClick = [this] { browse2cmd_Click(); };
  control("nonecmd").onClick = [this] { nonecmd_Click(); };
  control("browse3cmd").onClick = [this] { browse3cmd_Click(); };
  control("browsecmd").onClick = [this] { browsecmd_Click(); };
}

void ExplorerPage::load(ScriptShell& shell) {
  // A value that is missing leaves its field as declared (the start page's
  // placeholder); either way Apply writes only the fields the user changes.
  readTweaks(form_, shell, kApplied);
  for (const Tweak& tweak : kApplied) applied_.remember(control(tweak.control));
}

void ExplorerPage::applycmd_Click() {
  const ChangeScope changes(app_.journal, "Explorer");
  ScriptShell shell(app_.registry, app_.shortcuts);
  ApplyReport report;
  writeTweaks(form_, shell, kApplied, report, &applied_);
  report.tell(app_);
}

void ExplorerPage::writeNow(const std::string& path, const RegistryData& data, bool dword) {
  const ChangeScope changes(app_.journal, "Explorer");
  ScriptShell shell(app_.registry, app_.shortcuts);
  ApplyReport report;
  report.write(path, [&] {
    if (dword) {
      shell.RegWrite(path, data, "REG_DWORD");
    } else {
      shell.RegWrite(path, data);
    }
  });
  report.tell(app_);
}

void ExplorerPage::EmptyCheck_Click() {
  const bool emptyOnExit = ticked("EmptyCheck");
  writeNow(kPersistent, std::int64_t{emptyOnExit ? 0 : 1}, true);
}

void ExplorerPage::FullCheck_Click() {
  const bool fullScreen = ticked("FullCheck");
  writeNow(kFullScreen, std::string(fullScreen ? "yes" : "no"));
}

std::optional<std::string> ExplorerPage::chooseFile(const std::string& filter,
                                                    const std::string& title) {
  auto chosen = app_.dialogs.openFile({title, filter, "", lastFileName_});
  if (chosen) lastFileName_ = *chosen;
  return chosen;
}

void ExplorerPage::browse2cmd_Click() {
  // A cancelled choice writes nothing.
  if (const auto picture = chooseFile(app_.localizer.text("8072", "Bmp Files") + "|*.bmp",
                                      app_.localizer.text("8071", "Choose Picture File")))
    writeNow(kBackBitmap, *picture);
}

void ExplorerPage::nonecmd_Click() { writeNow(kBackBitmap, std::string()); }

void ExplorerPage::browse3cmd_Click() {
  if (const auto editor = chooseFile(app_.localizer.text("8074", "Application") + "|*.exe",
                                     app_.localizer.text("8073", "Choose Application"))) {
    control("editortxt").setText(*editor);
  }
}

void ExplorerPage::browsecmd_Click() {
  ui::Control& field = control("txtDownloadFolder");
  if (const auto folder = app_.dialogs.browseForFolder(
          app_.localizer.text("8075", "Please Select a new Dowload Folder"))) {
    field.setText(*folder);
  } else {
    // Cancelled: the current folder stays. With none set, nothing changes.
    ScriptShell shell(app_.registry, app_.shortcuts);
    std::string current;
    if (!resumeNext([&] { current = shell.RegRead(kDownloadDirectory).toText(); })) return;
    field.setText(current);
  }
  writeNow(kDownloadDirectory, field.Text());
}

}  // namespace corvanta
