// The skin engine as the program calls it, and the splash. Each window's
// load makes the three skin calls in order: LoadSkinFile, ApplySkinElement
// with the window itself, then ApplySkinElement for each control (SkinForm).
// The engine reports a click on one of its own elements (on the main window:
// "About" and "help") by name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace corvanta::ui {

class Skin {
 public:
  virtual ~Skin() = default;

  virtual void LoadSkinFile(const std::string& path) = 0;
  // `window` is a window's or control's handle (Form::handle, Control::handle).
  virtual void ApplySkinElement(std::uintptr_t window, const std::string& element) = 0;

  // The text each of the skin's own elements shows ("About": "&About"), by
  // name; an element not named here shows its name. Set before the window
  // that has the elements is skinned.
  std::map<std::string, std::string> elementCaptions;

  // ElementClick: the name of the skin element the user clicked.
  std::function<void(const std::string& element)> onElementClick;
  // Once per load of a skin file with lines it could not read and skipped:
  // the file's path, how many lines, and the first few as "line N: <text>"
  // (SkinFile::skippedLines).
  std::function<void(const std::string& path, std::size_t count,
                     const std::vector<std::string>& firstLines)>
      onSkippedLines;
};

class Splash {
 public:
  virtual ~Splash() = default;

  virtual void ShowSplashFile(const std::string& path) = 0;
  virtual void SplashStep(int step) = 0;
};

}  // namespace corvanta::ui
