// The desktop's settings the tweak pages and the appearance windows change:
// system colours, keyboard and mouse parameters, the wallpaper, font
// smoothing, the display mode and the installed fonts (user32 and gdi32).
// Every setter that stores a parameter does so for good and tells the
// other programs (SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvanta {

// ChangeDisplaySettingsA's answers.
inline constexpr long kDispChangeSuccessful = 0;
inline constexpr long kDispChangeBadMode = -2;

class DesktopPort {
 public:
  virtual ~DesktopPort() = default;

  virtual std::uint32_t sysColor(int index) = 0;
  // SetSysColors for one element, for the running session.
  virtual bool setSysColor(int index, std::uint32_t color) = 0;

  // The parameters the pages read back, and the record of changes keeps;
  // nothing when Windows will not say.
  virtual std::optional<bool> fontSmoothing() = 0;
  virtual std::optional<int> mouseTrails() = 0;
  virtual int doubleClickTime() = 0;
  virtual std::optional<int> mouseSpeed() = 0;
  virtual std::optional<int> keyboardSpeed() = 0;
  virtual std::optional<int> keyboardDelay() = 0;
  virtual bool mouseButtonSwap() = 0;
  virtual std::optional<std::string> wallpaper() = 0;
  // Whether the user has asked for high contrast; off when Windows will not
  // say.
  virtual bool highContrast() = 0;
  // Whether the user has asked apps for a dark look (Personalize's
  // AppsUseLightTheme = 0); light when the value is absent, as on Windows
  // before 10.
  virtual bool appsUseDarkTheme() = 0;

  virtual bool setWallpaper(const std::string& path) = 0;
  virtual bool setFontSmoothing(bool on) = 0;
  // The speed travels in both of SystemParametersInfoA's arguments: Windows
  // reads it from the pointer argument, Wine from the number.
  virtual bool setMouseSpeed(int speed) = 0;
  virtual bool setKeyboardSpeed(int speed) = 0;
  virtual bool setKeyboardDelay(int delay) = 0;
  virtual bool setMouseButtonSwap(bool swapped) = 0;
  virtual bool setMouseTrails(int trails) = 0;
  virtual bool setDoubleClickTime(int milliseconds) = 0;

  // The primary display to width x height: EnumDisplaySettingsA over every
  // mode, then ChangeDisplaySettingsA with the size alone, for this session.
  virtual long changeResolution(int width, int height) = 0;

  // The screen's font families, as EnumFontFamiliesExA reports them (a
  // family may come once per character set).
  virtual std::vector<std::string> fontFamilies() = 0;
  // AddFontResourceA: the number of fonts added, 0 when the file is none.
  virtual int addFontResource(const std::string& path) = 0;
  virtual bool removeFontResource(const std::string& path) = 0;
  // WM_FONTCHANGE to every top-level window.
  virtual void broadcastFontChange() = 0;

  // Decodes a BMP, JPEG or GIF picture with the system's own image services
  // and writes it as a Windows bitmap file. 0, or the failure's status.
  virtual long convertToBitmap(const std::string& source, const std::string& target) = 0;
};

}  // namespace corvanta
