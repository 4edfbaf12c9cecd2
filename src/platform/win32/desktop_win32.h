// The desktop port over user32 and gdi32.
#pragma once

#include "platform/desktop_port.h"

namespace corvanta {

class Win32Desktop final : public DesktopPort {
 public:
  std::uint32_t sysColor(int index) override;
  bool setSysColor(int index, std::uint32_t color) override;
  std::optional<bool> fontSmoothing() override;
  std::optional<int> mouseTrails() override;
  int doubleClickTime() override;
  std::optional<int> mouseSpeed() override;
  std::optional<int> keyboardSpeed() override;
  std::optional<int> keyboardDelay() override;
  bool mouseButtonSwap() override;
  std::optional<std::string> wallpaper() override;
  bool highContrast() override;
  bool appsUseDarkTheme() override;
  bool setWallpaper(const std::string& path) override;
  bool setFontSmoothing(bool on) override;
  bool setMouseSpeed(int speed) override;
  bool setKeyboardSpeed(int speed) override;
  bool setKeyboardDelay(int delay) override;
  bool setMouseButtonSwap(bool swapped) override;
  bool setMouseTrails(int trails) override;
  bool setDoubleClickTime(int milliseconds) override;
  long changeResolution(int width, int height) override;
  std::vector<std::string> fontFamilies() override;
  int addFontResource(const std::string& path) override;
  bool removeFontResource(const std::string& path) override;
  void broadcastFontChange() override;
  long convertToBitmap(const std::string& source, const std::string& target) override;
};

}  // namespace corvanta
