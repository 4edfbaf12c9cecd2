// One realised control: a standard Windows control (or two, for a frame)
// that shows what its model says and reports the user's input back to it.
// One small class per control kind derives from this; the form window
// creates them, places them and routes their notifications.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>

#include "ui/control.h"

namespace corvanta::ui::win32 {

class ControlWindow {
 public:
  explicit ControlWindow(Control& model) : model_(model) {}
  ControlWindow(const ControlWindow&) = delete;
  ControlWindow& operator=(const ControlWindow&) = delete;
  virtual ~ControlWindow();

  // Creates the native control inside `parent` at `bounds` (pixels), showing
  // the model's state.
  virtual void create(HWND parent, const RECT& bounds, HFONT font) = 0;
  // The rectangle the native control takes for the model's `bounds`: a
  // combo box's includes its dropped-down list.
  virtual RECT nativeBounds(const RECT& bounds) const { return bounds; }
  // The model changed. Geometry is the form window's business.
  virtual void update(Property property);
  // Notifications from the native control.
  virtual void command(int /*code*/) {}
  virtual LRESULT notify(const NMHDR& /*header*/) { return 0; }
  virtual void scroll(int /*code*/) {}

  // Where controls placed inside this one go (frames only).
  virtual HWND container() const { return nullptr; }
  HWND hwnd() const { return hwnd_; }
  Control& model() const { return model_; }

 protected:
  void showOwnFont();
  HWND createNative(const wchar_t* windowClass, DWORD style, DWORD exStyle, HWND parent,
                    const RECT& bounds, const std::string& text, HFONT font);

  Control& model_;
  HWND hwnd_ = nullptr;
  HFONT ownFont_ = nullptr;  // the model's own font, when it has one
  // Set while the model is being copied into the control, so the control's
  // own change notifications are not taken for the user's input.
  bool updating_ = false;
};

std::unique_ptr<ControlWindow> makeControlWindow(Control& model);

// The window's text, whatever its length.
std::string windowText(HWND window);
void setWindowText(HWND window, const std::string& text);
// A font of `face` (UTF-8) from a description whose other fields are set.
HFONT createFont(LOGFONTW face, const std::string& name);

}  // namespace corvanta::ui::win32
