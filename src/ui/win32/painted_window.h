// A control the program draws itself (the histogram, the picture box): a
// window class of its own, and a paint that goes through a memory bitmap
// copied in one go, so that it never flickers.
#pragma once

#include "ui/win32/control_window.h"

namespace corvanta::ui::win32 {

class PaintedWindow : public ControlWindow {
 public:
  using ControlWindow::ControlWindow;
  ~PaintedWindow() override;

 protected:
  // Creates the window of class `windowClass` (registered on first use).
  void createPainted(const wchar_t* windowClass, DWORD exStyle, HWND parent, const RECT& bounds,
                     const std::string& text, HFONT font);
  // Draws the whole client area `area` into `dc`.
  virtual void paint(HDC dc, const RECT& area) const = 0;
  void repaint() const { InvalidateRect(hwnd_, nullptr, FALSE); }
  // A message the control answers itself, as the standard control it
  // stands for would; false to leave it to the default.
  virtual bool answer(UINT /*message*/, LRESULT& /*result*/) const { return false; }
  // The window's client area is now `width` by `height`.
  virtual void resized(int /*width*/, int /*height*/) {}

 private:
  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam,
                                     LPARAM lParam) noexcept;
  void paintBuffered(HDC target) const;
};

}  // namespace corvanta::ui::win32
