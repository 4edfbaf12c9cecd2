// The splash: a borderless picture in the middle of the screen while the
// program starts, taken from a bitmap file. It closes itself as soon as
// another window of the program is showing; a file that cannot be read
// shows no splash.
#pragma once

#include <windows.h>

#include "ui/skin.h"

namespace corvanta::ui::win32 {

class SplashWindow final : public Splash {
 public:
  SplashWindow() = default;
  ~SplashWindow() override;
  SplashWindow(const SplashWindow&) = delete;
  SplashWindow& operator=(const SplashWindow&) = delete;

  void ShowSplashFile(const std::string& path) override;
  void SplashStep(int step) override;

 private:
  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam,
                                     LPARAM lParam) noexcept;
  void paint(HDC dc);
  void close();

  HWND hwnd_ = nullptr;
  HBITMAP picture_ = nullptr;
  SIZE size_{};
  int step_ = 0;
};

}  // namespace corvanta::ui::win32
