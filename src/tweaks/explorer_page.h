// The Explorer Options tab of the Explorer page: browser window title,
// source editor and start page, written by Apply; the download folder, the
// toolbar bitmap, full-screen start and the cache on exit, written at once
// when used. Nothing here is read back at load.
#pragma once

#include <optional>
#include <string>

#include "registry/value_data.h"

namespace corvanta {

struct AppContext;
namespace ui {
class Control;
class Form;
}  // namespace ui

class ExplorerPage {
 public:
  ExplorerPage(ui::Form& form, AppContext& app) : form_(form), app_(app) {}

  void declare(ui::Control& frame);
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

  ui::Form& form_;
  AppContext& app_;
  std::string lastFileName_;
};

}  // namespace corvanta
