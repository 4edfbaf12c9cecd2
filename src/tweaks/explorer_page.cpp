#include "tweaks/explorer_page.h"

#include <array>

#include "app/app_context.h"
#include "base/resume.h"
#include "platform/dialogs_port.h"
#include "registry/script_shell.h"
#include "tweaks/tweak_model.h"
#include "ui/form.h"

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

}  // namespace

void ExplorerPage::declare(ui::Control& frame) {
  const auto label = [&](const char* name, const char* caption, const char* tag, int top) {
    form_.add(ControlKind::SkinLabel, name)
        .caption(caption)
        .tag(tag)
        .at(120, top + 45, 3060, 255)
        .in(frame);
  };
  const auto button = [&](const char* name, const char* caption, const char* tag, int left,
                          int top) {
    form_.add(ControlKind::Button, name)
        .caption(caption)
        .tag(tag)
        .at(left, top - 15, 900, 345)
        .in(frame);
  };
  label("TitleSkinLabel", "Change window title (IE 5.0 or higher)", "3013", 255);
  form_.add(ControlKind::TextBox, "changetxt").at(3240, 255, 3135, 315).in(frame);
  label("EditorSkinLabel", "Source code editor", "3014", 645);
  form_.add(ControlKind::TextBox, "editortxt").at(3240, 645, 2175, 315).in(frame);
  button("browse3cmd", "Browse", "1014", 5475, 645);
  label("homeSkinLabel", "Home page", "3015", 1035);
  form_.add(ControlKind::TextBox, "hometxt").at(3240, 1035, 3135, 315).in(frame).setText(kHomePage);
  label("DownloadSkinLabel", "Change download directory", "3011", 1425);
  form_.add(ControlKind::TextBox, "txtDownloadFolder").at(3240, 1425, 2175, 315).in(frame);
  button("browsecmd", "Browse", "1014", 5475, 1425);
  label("backSkinLabel", "Change toolbar background wallpaper", "3012", 1815);
  button("browse2cmd", "Browse", "1014", 3240, 1815);
  button("nonecmd", "None", "1015", 4200, 1815);
  form_.add(ControlKind::CheckBox, "EmptyCheck")
      .caption("Empty temporary internet files folder when browser is closed")
      .tag("5002")
      .at(120, 2340, 6255, 285)
      .in(frame);
  form_.add(ControlKind::CheckBox, "FullCheck")
      .caption("Full Screen")
      .tag("5001")
      .at(120, 2700, 6255, 285)
      .in(frame);
  form_.add(ControlKind::Button, "applycmd")
      .caption("Apply")
      .tag("1016")
      .at(5160, 3300, 1215, 375)
      .in(frame);

  form_.control("applycmd").onClick = [this] { applycmd_Click(); };
  form_.control("EmptyCheck").onClick = [this] { EmptyCheck_Click(); };
  form_.control("FullCheck").onClick = [this] { FullCheck_Click(); };
  form_.control("browse2cmd").onClick = [this] { browse2cmd_Click(); };
  form_.control("nonecmd").onClick = [this] { nonecmd_Click(); };
  form_.control("browse3cmd").onClick = [this] { browse3cmd_Click(); };
  form_.control("browsecmd").onClick = [this] { browsecmd_Click(); };
}

void ExplorerPage::applycmd_Click() {
  // This Apply passes over a write that fails and goes on, as designed: the
  // machine-wide editor value is often not the user's to write.
  ScriptShell shell(app_.registry, app_.shortcuts);
  ApplyReport passedOver;
  writeTweaks(form_, shell, kApplied, passedOver);
}

void ExplorerPage::writeNow(const std::string& path, const RegistryData& data, bool dword) {
  ScriptShell shell(app_.registry, app_.shortcuts);
  ApplyReport report;
  report.write(path, [&] {
    if (dword) {
      shell.RegWrite(path, data, "REG_DWORD");
    } else {
      shell.RegWrite(path, data);
    }
  });
  report.tell(app_.dialogs);
}

void ExplorerPage::EmptyCheck_Click() {
  const bool emptyOnExit = form_.control("EmptyCheck").Value() == ui::kChecked;
  writeNow(kPersistent, std::int64_t{emptyOnExit ? 0 : 1}, true);
}

void ExplorerPage::FullCheck_Click() {
  const bool fullScreen = form_.control("FullCheck").Value() == ui::kChecked;
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
  if (const auto picture = chooseFile("Bmp Files|*.bmp", "Choose Picture File"))
    writeNow(kBackBitmap, *picture);
}

void ExplorerPage::nonecmd_Click() { writeNow(kBackBitmap, std::string()); }

void ExplorerPage::browse3cmd_Click() {
  if (const auto editor = chooseFile("Application|*.exe", "Choose Application")) {
    form_.control("editortxt").setText(*editor);
  }
}

void ExplorerPage::browsecmd_Click() {
  ui::Control& field = form_.control("txtDownloadFolder");
  if (const auto folder = app_.dialogs.browseForFolder("Please Select a new Dowload Folder")) {
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
