// A scripted desktop: colours, parameters and fonts kept in memory, and a
// log of what was set, in order.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/desktop_port.h"

namespace corvanta::testing {

class FakeDesktop final : public DesktopPort {
 public:
  std::map<int, std::uint32_t> colors{{1, 0x00A56E3A}};
  std::vector<std::string> calls;  // "mouse speed 10", "wallpaper C:\...", ...
  std::vector<std::string> families{"Tahoma", "Arial", "Arial", "Courier New", "Marlett"};
  std::set<std::string> fontFiles;    // paths AddFontResource accepts
  std::set<std::string> loadedFonts;  // added and not removed
  long resolutionResult = kDispChangeSuccessful;
  std::map<std::string, std::string> decodable;  // picture path -> bitmap text written
  std::map<std::string, std::string> written;    // bitmap files written

  std::optional<bool> smoothing = false;  // nothing: Windows will not say
  std::optional<int> trails = 0;
  int doubleClick = 500;
  std::map<std::string, int> speeds{{"mouse speed", 10}, {"keyboard speed", 31}, {"keyboard delay", 1}};
  bool swapped = false;
  std::string wallpaperPath;
  bool refuseAll = false;  // every setter fails, as for a user Windows refuses
  bool contrast = false;
  int contrastReads = 0;
  bool dark = false;

  std::uint32_t sysColor(int index) override { return colors[index]; }
  std::optional<bool> fontSmoothing() override { return smoothing; }
  std::optional<int> mouseTrails() override { return trails; }
  int doubleClickTime() override { return doubleClick; }
  std::optional<int> mouseSpeed() override { return speeds["mouse speed"]; }
  std::optional<int> keyboardSpeed() override { return speeds["keyboard speed"]; }
  std::optional<int> keyboardDelay() override { return speeds["keyboard delay"]; }
  bool mouseButtonSwap() override { return swapped; }
  std::optional<std::string> wallpaper() override { return wallpaperPath; }
  bool highContrast() override {
    ++contrastReads;
    return contrast;
  }
  bool appsUseDarkTheme() override { return dark; }
  bool setSysColor(int index, std::uint32_t color) override {
    colors[index] = color;
    return log("color " + std::to_string(index) + " " + std::to_string(color));
  }
  bool setWallpaper(const std::string& path) override {
    wallpaperPath = path;
    return log("wallpaper " + path);
  }
  bool setFontSmoothing(bool on) override {
    smoothing = on;
    return log(std::string("smoothing ") + (on ? "1" : "0"));
  }
  bool setMouseSpeed(int speed) override { return setSpeed("mouse speed", speed); }
  bool setKeyboardSpeed(int speed) override { return setSpeed("keyboard speed", speed); }
  bool setKeyboardDelay(int delay) override { return setSpeed("keyboard delay", delay); }
  bool setMouseButtonSwap(bool swap) override {
    swapped = swap;
    return log(std::string("swap ") + (swap ? "1" : "0"));
  }
  bool setMouseTrails(int images) override {
    trails = images;
    return log("trails " + std::to_string(images));
  }
  bool setDoubleClickTime(int milliseconds) override {
    doubleClick = milliseconds;
    return log("double click " + std::to_string(milliseconds));
  }
  long changeResolution(int width, int height) override {
    log("resolution " + std::to_string(width) + "x" + std::to_string(height));
    return resolutionResult;
  }
  std::vector<std::string> fontFamilies() override { return families; }
  int addFontResource(const std::string& path) override {
    if (!fontFiles.count(path)) return 0;
    loadedFonts.insert(path);
    return 1;
  }
  bool removeFontResource(const std::string& path) override { return loadedFonts.erase(path) > 0; }
  void broadcastFontChange() override { log("font change"); }
  long convertToBitmap(const std::string& source, const std::string& target) override {
    const auto found = decodable.find(source);
    if (found == decodable.end()) return 13;  // ERROR_INVALID_DATA
    written[target] = found->second;
    return 0;
  }

 private:
  bool setSpeed(const std::string& name, int value) {
    speeds[name] = value;
    return log(name + " " + std::to_string(value));
  }
  bool log(std::string call) {
    calls.push_back(std::move(call));
    return !refuseAll;
  }
};

}  // namespace corvanta::testing
