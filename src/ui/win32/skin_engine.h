// Corvanta's skin engine: reads a skin file (ui/skin_file.h) and gives each
// window and control the look of the skin element it is given: colours,
// fonts, owner-drawn buttons. A main window ("Form") gets a title band along
// its top holding the skin's own elements "About" and "help" as real
// buttons, which report their clicks through ElementClick. While Windows'
// high contrast is on, the skin steps aside: every window is drawn in the
// system's colours (its fonts and its band's buttons stay), so that text
// keeps the contrast the user asked for. While Windows asks apps for a dark
// look, the skin's dark variant is loaded instead (the file beside it named
// "-dark"), the windows' title bars are asked to be dark, and a change of
// the setting while they are open restyles them.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <unordered_map>

#include "platform/desktop_port.h"
#include "ui/skin.h"
#include "ui/skin_file.h"
#include "ui/win32/form_window.h"

namespace corvanta::ui::win32 {

class SkinEngine final : public Skin, public SkinPainter {
 public:
  explicit SkinEngine(DesktopPort& desktop);
  ~SkinEngine() override;
  SkinEngine(const SkinEngine&) = delete;
  SkinEngine& operator=(const SkinEngine&) = delete;

  void LoadSkinFile(const std::string& path) override;
  void ApplySkinElement(std::uintptr_t window, const std::string& element) override;

  HBRUSH background(HWND window) override;
  bool eraseForm(HWND form, HDC dc) override;
  bool controlColors(HWND control, HDC dc, HBRUSH& brush) override;
  bool fieldColors(HWND control, HDC dc, HBRUSH& brush) override;
  void controlMade(HWND control) override;
  bool drawItem(const DRAWITEMSTRUCT& item) override;
  bool paintControl(HWND control) override;
  bool elementCommand(HWND child) override;
  void skinControl(HWND control, const std::string& element) override;
  void forget(HWND window) override;
  void dpiChanged(HWND form) override;
  void resized(HWND form) override;
  void systemLookChanged() override;

  // DwmSetWindowAttribute, bound late: Windows without dwmapi has no dark
  // title bar to ask for. Replaceable so that what is asked can be seen.
  std::function<long(HWND window, DWORD attribute, const void* value, DWORD size)>
      setWindowAttribute;

 private:
  // Parses the skin file asked for, or its dark variant while dark is on.
  void readFile();
  // Every skinned window and control takes the look of the file read now.
  void restyle();
  void titleBar(HWND window);
  void listColors(HWND list);
  void progressColors(HWND bar);
  // Gives every control in the window that keeps its colours itself (list
  // views, progress bars) the skin's.
  void ownColorsIn(HWND window);
  // The dark look is shown: dark asked for, its file found, and high
  // contrast off.
  bool showingDark() const { return darkLoaded_ && !highContrast_; }
  HBRUSH brush(Rgb color);
  // The style's font at the dots per inch of the window `shownIn`'s form.
  HFONT font(const SkinStyle& style, HWND shownIn);
  const SkinStyle* styleOf(HWND window) const;
  void addBand(FormWindow& form, const SkinStyle& style);
  // The band's height and its buttons' sizes at the window's dots per inch.
  void sizeBand(FormWindow& form, const SkinStyle& style);

  DesktopPort& desktop_;
  // Read as the skin loads and when the system says its look changed: never
  // on a paint.
  bool highContrast_ = false;
  bool dark_ = false;
  bool darkLoaded_ = false;  // the dark variant is the file read
  SkinFile file_;
  std::string loadedPath_;                          // as asked for: the light file's
  std::unordered_map<HWND, SkinStyle> styles_;      // by window skinned
  std::unordered_map<HWND, std::string> skinnedAs_;  // their elements
  std::set<HWND> unstyled_;    // controls drawn without the visual style while dark
  std::set<HWND> darkTitles_;  // windows whose title bar was made dark
  std::unordered_map<HWND, std::string> elements_;  // the band's own buttons: their names
  std::unordered_map<HWND, HWND> bands_;            // form -> one of its band buttons
  std::map<Rgb, HBRUSH> brushes_;
  std::map<std::string, HFONT> fonts_;
};

}  // namespace corvanta::ui::win32
