// The Explorer Options tab of the Explorer page: browser window title,
// source editor and start page, read back at load and written by Apply when
// the user changed them; the download folder, the toolbar bitmap,
// full-screen start and the cache on exit, written at once when used.
#pragma once

#include <optional>
#include <string>

#include "core/tab_page.h"
#include "registry/value_data.h"
#include "tweaks/tweak_model.h"

namespace corvanta {

class ExplorerPage : private TabPage {
 public:
  using TabPage::TabPage;

  void declare(ui::Control& frame);
  void load(ScriptShell& shell);
  void applycmd_Click();
  void EmptyCheck_Click();
  void FullCheck_Click();
  void browse2cmd_Click();
  void nonecmd_Click();
  void browse3cmd_Click();
  void browsecmd_Click();

 private:
  // The tab's one file dialog: it offers the last file chosen in it.
  std::optional<std::string> chooseFile(const std::string& filter, const std::string& title);
  // Writes one value now; a failure is told at once.
  void writeNow(const std::string& path, const RegistryData& data, bool dword = false);

  std::string lastFileName_;
  AppliedState applied_;
};

}  // namespace corvanta
