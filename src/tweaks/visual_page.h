// The Visual Options tab: screen resolution, wallpaper with its preview, font
// smoothing, applied together; and the buttons of the Fonts and System
// Colors windows.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "core/tab_page.h"
#include "tweaks/tweak_model.h"

namespace corvanta {

// "1024x768" as width and height, both positive whole numbers; nothing for
// any other text.
std::optional<std::pair<int, int>> parseResolution(const std::string& text);

class VisualPage : private TabPage {
 public:
  using TabPage::TabPage;

  void declare(ui::Control& frame);
  // Start-up reads the desktop colour and the wallpaper, for the preview (in
  // two steps, around the other tabs' reads), and font smoothing.
  void loadDesktopColour();
  void load(ScriptShell& shell);

  void ResolutionCheck_Click();
  void RCombo_Change();
  void wallpaperCheck_Click();
  void wallpapercmd_Click();
  void applyvisualcmd_Click();

  // The Fonts and System Colors buttons: the windows they open are another
  // feature's, so the main window says how to open them.
  std::function<void()> openFonts;
  std::function<void()> openSystemColors;

 private:
  std::string wallpaperFile() const;

  int width_ = 0;
  int height_ = 0;
  bool wallpaperPrepared_ = false;
  AppliedState applied_;
};

}  // namespace corvanta
