// The main window, mainform: every page of the program as a frame, one shown
// at a time, chosen from a column of navigation buttons that the "System"
// expander opens and closes. Its load handler runs the whole start-up.
#pragma once

#include <memory>
#include <string>

#include "drives/drives_page.h"
#include "drives/system_info_page.h"
#include "monitor/monitor_page.h"
#include "tweaks/desktop_page.h"
#include "tweaks/explorer_page.h"
#include "tweaks/input_page.h"
#include "tweaks/privacy_page.h"
#include "tweaks/start_menu_page.h"
#include "tweaks/visual_page.h"
#include "ui/form.h"

namespace corvanta {

struct AppContext;
class HealthForm;

class MainForm : public ui::Form {
 public:
  explicit MainForm(AppContext& app);
  ~MainForm() override;

  static constexpr int kStartHeight = 6390;
  static constexpr int kMonitoringHeight = 8745;

  void Form_Load();
  void Form_Shown();
  void Form_QueryUnload();
  void Command1_Click() { showPage("EXPFrame"); }
  void Command2_Click() { showPage("SIFrame"); }
  void Command3_Click();
  void Command4_Click() { showPage("VisualFrame"); }
  void Command5_Click() { showPage("drivesframe"); }
  void Command6_Click() { showPage("Inputframe"); }
  void Command7_Click() { showPage("langFrame"); }
  void cpucmd_Click();
  void syscmd_Click();
  void TabStrip1_Click() { switchSubPages("TabStrip1", "VoptionsFrame"); }
  void ExpTab_Click() { switchSubPages("ExpTab", "OptionsFrame"); }
  void Skin1_ElementClick(const std::string& element);
  // Opens the help file, at `topic` when one is given (a page of it).
  void openHelp(const std::string& topic);

 private:
  void declareControls();
  void attachHandlers();
  // Shows the named page frame and hides the other six.
  void showPage(const std::string& page);
  void hideAllPages();
  // The pages the organisation left on: their buttons, and the first shown.
  void showPermittedPages();
  // Sub-frame i-1 is shown, enabled and brought to the front exactly when
  // tab i is the selected tab.
  void switchSubPages(const std::string& tabStrip, const std::string& frames);

  AppContext& app_;
  StartMenuPage startMenu_;
  DesktopPage desktop_;
  ExplorerPage explorer_;
  PrivacyPage privacy_;
  MonitorPage monitor_;
  VisualPage visual_;
  InputPage input_;
  DrivesPage drives_;
  SystemInfoPage systemInfo_;
  std::unique_ptr<HealthForm> health_;
  std::vector<std::string> languages_;  // the language chooser's, by file name
};

}  // namespace corvanta
