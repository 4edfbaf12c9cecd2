// Geometry is in twips, as designed. The page frames and the navigation
// column are declared here; each page's own controls and start-up reads are
// added by that page's unit.
#include "shell/main_form.h"

#include <array>

#include "appearance/fonts_form.h"
#include "appearance/syscolors_form.h"
#include "core/app_context.h"
#include "core/app_info.h"
#include "core/i18n/localizer.h"
#include "core/log/error_log.h"
#include "core/policies.h"
#include "core/skin_form.h"
#include "health/health_form.h"
#include "platform/dialogs_port.h"
#include "platform/file_port.h"
#include "platform/shell_port.h"
#include "platform/system_port.h"
#include "registry/script_shell.h"
#include "shell/about_form.h"
#include "shell/changes_form.h"
#include "shell/language_page.h"
#include "ui/forms.h"
#include "ui/skin.h"

namespace corvanta {
namespace {

using ui::ControlKind;

constexpr int kWidth = 9300;

// The page frames, in the order start-up hides them.
constexpr std::array<const char*, 7> kPages = {"SMframe", "drivesframe", "EXPFrame",   "Inputframe",
                                               "SIFrame", "langFrame",   "VisualFrame"};

// The navigation column, top to bottom: each button, the page it shows
// (none: it opens a window) and the name a policy turns the page off by.
struct NavButton {
  const char* name;
  const char* text;
  const char* tag;
  int top;
  const char* page;
  const char* pageId;
};
constexpr std::array<NavButton, 7> kNavigation = {{
    {"Command4", "Visual", "1002", 165, "VisualFrame", "visual"},
    {"Command5", "Drives", "1003", 660, "drivesframe", "drives"},
    {"Command6", "Input", "1004", 1140, "Inputframe", "input"},
    {"Command1", "Explorer", " 7003", 1620, "EXPFrame", "explorer"},
    {"Command2", "System info", "1006", 2130, "SIFrame", "sysinfo"},
    {"Command3", "System Health", "1007", 2625, "", "health"},
    {"Command7", "Language", "1026", 3105, "langFrame", "language"},
}};

}  // namespace

MainForm::MainForm(AppContext& app)
    : ui::Form("mainform", "Corvanta", kWidth, kStartHeight),
      app_(app),
      startMenu_(*this, app),
      desktop_(*this, app),
      explorer_(*this, app),
      privacy_(*this, app),
      monitor_(*this, app),
      visual_(*this, app),
      input_(*this, app),
      drives_(*this, app),
      systemInfo_(*this, app) {
  setResizable(true);
  declareControls();
  attachHandlers();
}

MainForm::~MainForm() {
  app_.forms.onHelp = nullptr;
}

void MainForm::declareControls() {
  add(ControlKind::Button, "cpucmd").caption("CPU && Memory").tag("1001").at(30, 1050, 1920, 285);
  add(ControlKind::Button, "syscmd").caption("System >>").tag("1000").at(30, 480, 1920, 285);
  control("syscmd").setExpanded(false);
  setHelpTopic("index.html");

  auto& nav = add(ControlKind::Frame, "Frame1").at(60, 1860, 1635, 3555).hidden();
  for (const auto& button : kNavigation) {
    add(ControlKind::Button, button.name)
        .caption(button.text)
        .tag(button.tag)
        .at(90, button.top, 1500, 375)
        .in(nav);
  }

  auto& explorer =
      add(ControlKind::Frame, "EXPFrame").caption("Explorer").tag("8000").at(1995, 420, 6975, 4695);
  auto& explorerOptions = add(ControlKind::Frame, "OptionsFrame", 0)
                              .caption("Explorer Options")
                              .tag("7016")
                              .at(240, 720, 6495, 3795)
                              .in(explorer)
                              .help("explorer-options.html");
  explorer_.declare(explorerOptions);
  add(ControlKind::TabStrip, "ExpTab")
      .at(120, 300, 6735, 4275)
      .in(explorer)
      .setTabs({"Explorer Options", "Privacy"}, {"7016", "4002"});
  auto& privacy = add(ControlKind::Frame, "OptionsFrame", 1)
                      .caption("Privacy")
                      .tag("4002")
                      .at(240, 720, 6495, 3795)
                      .in(explorer)
                      .help("privacy.html");
  privacy_.declare(privacy);

  input_.declare(add(ControlKind::Frame, "Inputframe")
                     .caption("Input")
                     .tag("7008")
                     .at(1980, 450, 7095, 4815)
                     .help("input.html"));
  drives_.declare(add(ControlKind::Frame, "drivesframe")
                      .caption("Drives")
                      .tag("7001")
                      .at(1965, 435, 7095, 4815)
                      .help("drives.html"));

  auto& visual = add(ControlKind::Frame, "VisualFrame")
                     .caption("Visual")
                     .tag("8003")
                     .at(1965, 435, 7125, 4695);
  visual_.declare(add(ControlKind::Frame, "VoptionsFrame", 0)
                      .tag("7014")
                      .at(240, 720, 6645, 3795)
                      .in(visual)
                      .help("visual-options.html"));
  add(ControlKind::TabStrip, "TabStrip1")
      .at(120, 300, 6885, 4275)
      .in(visual)
      .setTabs({"Visual Options", "Start Menu", "Desktop"}, {"8004", "8005", "8006"});
  auto& startMenu = add(ControlKind::Frame, "VoptionsFrame", 1)
                        .tag("7015")
                        .at(240, 720, 6645, 3795)
                        .in(visual)
                        .help("start-menu.html");
  startMenu_.declare(startMenu);
  auto& desktop = add(ControlKind::Frame, "VoptionsFrame", 2)
                      .tag("4006")
                      .at(240, 720, 6645, 3795)
                      .in(visual)
                      .help("desktop.html");
  desktop_.declare(desktop);

  auto& monitoring = add(ControlKind::Frame, "SMframe")
                         .caption("System Monitoring")
                         .tag("7000")
                         .at(2025, 240, 5055, 5910)
                         .help("monitoring.html");
  monitor_.declare(monitoring);

  auto& language = add(ControlKind::Frame, "langFrame")
                       .caption("Language")
                       .tag("8001")
                       .at(1995, 465, 4575, 1455)
                       .help("language.html");
  add(ControlKind::SkinLabel, "langSkinLabel1")
      .caption("Select your language")
      .tag("3043")
      .at(240, 360, 4095, 255)
      .in(language);
  add(ControlKind::ImageCombo, "combolng")
      .at(240, 720, 2775, 330)
      .in(language)
      .withStyle({.dropDownList = true});
  add(ControlKind::Button, "Applylangcmd")
      .caption("Apply")
      .tag("1016")
      .at(3240, 720, 1095, 375)
      .in(language)
      .asDefault();

  systemInfo_.declare(add(ControlKind::Frame, "SIFrame")
                          .caption("System Information")
                          .tag("8002")
                          .at(1980, 420, 7095, 4335)
                          .help("system-information.html"));
}

void MainForm::attachHandlers() {
  onLoad = [this] { Form_Load(); };
  onShown = [this] { Form_Shown(); };
  visual_.openFonts = [this] {
    FontsForm fonts(app_);
    app_.forms.ShowModal(fonts, *this);
  };
  visual_.openSystemColors = [this] {
    SystemColorsForm colors(app_);
    app_.forms.ShowModal(colors, *this);
  };
  onQueryUnload = [this](bool&) { Form_QueryUnload(); };
  // F1 in any of the program's windows.
  app_.forms.onHelp = [this](const std::string& topic) { openHelp(topic); };
  control("Command1").onClick = [this] { Command1_Click(); };
  control("Command2").onClick = [this] { Command2_Click(); };
  control("Command3").onClick = [this] { Command3_Click(); };
  control("Command4").onClick = [this] { Command4_Click(); };
  control("Command5").onClick = [this] { Command5_Click(); };
  control("Command6").onClick = [this] { Command6_Click(); };
  control("Command7").onClick = [this] { Command7_Click(); };
  control("cpucmd").onClick = [this] { cpucmd_Click(); };
  control("syscmd").onClick = [this] { syscmd_Click(); };
  control("TabStrip1").onClick = [this] { TabStrip1_Click(); };
  control("ExpTab").onClick = [this] { ExpTab_Click(); };
  control("Applylangcmd").onClick = [this] {
    Applylangcmd_Click(*this, app_.localizer, app_.dialogs, languages_);
  };
}

void MainForm::Form_Load() {
  // 1. One instance only: a second start ends here, silently.
  if (!app_.system.claimSingleInstance(kSingleInstanceName)) {
    app_.forms.End();
    return;
  }
  // 2-6. Splash, start height, every page hidden, then the Visual page.
  app_.splash.ShowSplashFile(app_.appFolder + "\\Splash.spl");
  setHeight(kStartHeight);
  hideAllPages();
  app_.splash.SplashStep(0);
  showPermittedPages();

  // 7. Skin, its own elements in the language too.
  app_.skin.elementCaptions = {{"Changes", app_.localizer.LookupText("8007", "Changes")},
                               {"About", app_.localizer.LookupText("8008", "About")},
                               {"help", app_.localizer.LookupText("8009", "help")}};
  app_.skin.onElementClick = [this](const std::string& element) { Skin1_ElementClick(element); };
  app_.skin.onSkippedLines = [this](const std::string& path, std::size_t count,
                                    const std::vector<std::string>& firstLines) {
    ErrorLog log = programLog(app_);
    log.AppendLogLine("SKIN: skipped " + std::to_string(count) + (count == 1 ? " line" : " lines") +
                      " of " + path + " it cannot read" +
                      (count > firstLines.size()
                           ? ", the first " + std::to_string(firstLines.size())
                           : std::string()) +
                      ":");
    for (const std::string& line : firstLines) log.AppendLogLine("SKIN:   " + line);
  };
  skinWindow(*this, app_.skin, app_.appFolder, "Form");

  // 8-9. The window took its language as it loaded (translateEveryWindow).
  // A language whose file is gone or unreadable: English, said once.
  const std::string language = app_.localizer.LanguageName();
  if (!app_.localizer.isUsable(language)) {
    app_.dialogs.messageBox(
        app_.localizer.text("8050",
                            "The language file %1 is missing or cannot be read.%nCorvanta "
                            "shows its texts in English.",
                            {app_.localizer.languageFile(language)}),
        kAppTitle, kMbOk | kMbIconInformation);
  }

  // The Visual Options tab shows first: its desktop colour, wallpaper,
  // resolution and font smoothing are read before the window shows; the
  // pages and tabs not yet open are filled once it has (Form_Shown).
  visual_.loadDesktopColour();
  {
    ScriptShell shell(app_.registry, app_.shortcuts);
    visual_.load(shell);
  }
  // Each tab strip starts on its first tab, with that tab's sub-frame shown.
  TabStrip1_Click();
  ExpTab_Click();
}

// The rest of start-up, in its order, once the window is up and before it
// takes any input: it fills what the first sight of the window does not show.
void MainForm::Form_Shown() {
  // 10. The monitoring page: the sampler, the total memory, the timers.
  monitor_.load();

  // 11. The Drives page, for c:.
  drives_.load();

  // 12. The Input page.
  {
    ScriptShell shell(app_.registry, app_.shortcuts);
    input_.load(shell);
  }

  // 13. The System Information page.
  systemInfo_.load();

  // 14. The Start Menu and Desktop tabs' settings, through one shell
  // object, then the Explorer Options tab's fields (Privacy reads nothing).
  {
    ScriptShell shell(app_.registry, app_.shortcuts);
    startMenu_.load(shell);
    desktop_.load(shell);
    explorer_.load(shell);
  }

  // 15. The chooser.
  languages_ = FillLanguageList(*this, app_.localizer, app_.files);

  // 17. The Drives page's figures once more.
  drives_.refresh();
}

void MainForm::showPermittedPages() {
  const Policies policies = readPolicies(app_.registry);
  // A page the organisation turned off loses its button; those below move
  // up, so that the column has no gaps.
  std::size_t slot = 0;
  const char* first = nullptr;
  for (const NavButton& button : kNavigation) {
    const bool shown = !policies.pageDisabled(button.pageId);
    control(button.name).setVisible(shown);
    if (!shown) continue;
    control(button.name).setTop(kNavigation[slot++].top);
    if (!first && *button.page) first = button.page;
  }
  if (policies.pageDisabled("monitor")) control("cpucmd").setVisible(false);
  // The Visual page first, or the first page left.
  if (first) control(first).setVisible(true);
}

void MainForm::hideAllPages() {
  for (const char* page : kPages) control(page).setVisible(false);
}

void MainForm::showPage(const std::string& page) {
  // Each page takes its own height: the monitoring page is the tall one.
  setHeight(page == "SMframe" ? kMonitoringHeight : kStartHeight);
  for (const char* other : kPages) {
    if (page != other) control(other).setVisible(false);
  }
  control(page).setVisible(true);
}

void MainForm::Command3_Click() {
  hideAllPages();
  // Each opening starts afresh: empty counts, the current drive.
  health_ = std::make_unique<HealthForm>(app_);
  app_.forms.ShowModal(*health_, *this);
}

void MainForm::cpucmd_Click() {
  showPage("SMframe");
}

void MainForm::syscmd_Click() {
  ui::Control& expander = control("syscmd");
  ui::Control& navigation = control("Frame1");
  ui::Control& monitoring = control("cpucmd");
  // Both markers are looked for in one reading of the caption.
  const std::string caption = expander.Caption();
  const bool openRequest = caption.find(">>") != std::string::npos;
  const bool closeRequest = caption.find("<<") != std::string::npos;
  const auto swapMarker = [&](const char* marker) {
    const std::string& now = expander.Caption();
    expander.setCaption(now.substr(0, now.size() - 2) + marker);
  };
  if (openRequest) {
    navigation.setGeometry({160, expander.Height() + 370, navigation.Width(), navigation.Height()});
    navigation.setVisible(true);
    monitoring.setTop(expander.Height() + 370 + navigation.Height());
    swapMarker("<<");
    expander.setExpanded(true);
  }
  if (closeRequest) {
    navigation.setGeometry({240, 3400, navigation.Width(), navigation.Height()});
    navigation.setVisible(false);
    monitoring.setTop(expander.Top() + expander.Height() + 50);
    swapMarker(">>");
    expander.setExpanded(false);
  }
  control("SMframe").setVisible(false);
}

void MainForm::switchSubPages(const std::string& tabStrip, const std::string& frames) {
  const ui::Control& strip = control(tabStrip);
  const int count = static_cast<int>(strip.tabs().size());
  for (int tab = 1; tab <= count; ++tab) {
    ui::Control& frame = control(frames, tab - 1);
    const bool selected = tab == strip.SelectedTab();
    frame.setVisible(selected);
    frame.setEnabled(selected);
    if (selected) frame.ZOrderToFront();
  }
  // F1 on the tab strip is for the tab it shows.
  const int selected = strip.SelectedTab();
  control(tabStrip).setHelpTopic(selected >= 1 && selected <= count
                                     ? control(frames, selected - 1).HelpTopic()
                                     : std::string());
}

void MainForm::Skin1_ElementClick(const std::string& element) {
  if (element == "About") {
    AboutForm about(app_);
    app_.forms.ShowModal(about, *this);
  } else if (element == "Changes") {
    ChangesForm changes(app_);
    app_.forms.ShowModal(changes, *this);
  } else if (element == "help") {
    openHelp("");
  }
}

// A page of the help is opened by the help viewer of Windows, given the file
// and the page; the file alone opens at its first page.
void MainForm::openHelp(const std::string& topic) {
  const std::string help = app_.appFolder + "\\newhelp.chm";
  if (app_.files.anyMatch(help) != kErrorSuccess) {
    app_.dialogs.messageBox(app_.localizer.text("8051", "The help file %1 is missing.", {help}),
                            kAppTitle, kMbOk | kMbIconError);
    return;
  }
  if (topic.empty()) {
    app_.shell.shellExecute(handle(), help, "", "C:\\", kSwShowMaximized);
  } else {
    app_.shell.shellExecute(handle(), app_.system.windowsDirectory() + "\\hh.exe",
                            help + "::/" + topic, "C:\\", kSwShowMaximized);
  }
}

void MainForm::Form_QueryUnload() {
  // Every window of the program goes, this one included, in the order of
  // the window collection.
  const auto windows = app_.forms.loaded();
  for (ui::Form* window : windows) app_.forms.Unload(*window);
}

}  // namespace corvanta
