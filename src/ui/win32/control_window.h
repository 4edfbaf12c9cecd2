// One realised control: a standard Windows control (or two, for a frame)
// that shows what its model says and reports the user's input back to it.
// One small class per control kind derives from this; the form window
// creates them, places them and routes their notifications. Every control
// is subclassed, so that it answers a screen reader from its model, and a
// kind may take other messages first (`intercept`).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>

#include "ui/control.h"

namespace corvanta::ui::win32 {

// Sent by a control to its form window as it is to be painted: nonzero
// when the skin has painted the control (lParam) itself.
inline constexpr UINT kMsgPaintControl = WM_APP + 3;

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
  // The control's identifier in its window, given before it is created.
  void setId(int id) { id_ = id; }
  int id() const { return id_; }
  // The dots per inch of the monitor its window is on: the control's own
  // font and a list's columns are sized for them.
  void setDpi(int dpi) { dpi_ = dpi; }
  int dpi() const { return dpi_; }

  // Held by what outlives the control and asks after it (a screen reader's
  // object): null once the control is gone.
  std::shared_ptr<const ControlWindow* const> presence() const;

 protected:
  void showOwnFont();
  HWND createNative(const wchar_t* windowClass, DWORD style, DWORD exStyle, HWND parent,
                    const RECT& bounds, const std::string& text, HFONT font);
  // A message the control handles before the native control does; true
  // when it is handled and `result` is the answer.
  virtual bool intercept(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // On WM_PAINT, for a control whose visual style keeps colours of its own:
  // asks the form's skin to paint it; true when it has.
  bool paintedBySkin() const;
  // The native control's own handling.
  LRESULT native(UINT message, WPARAM wParam, LPARAM lParam) const {
    return CallWindowProcW(native_, hwnd_, message, wParam, lParam);
  }

  Control& model_;
  HWND hwnd_ = nullptr;
  HFONT ownFont_ = nullptr;  // the model's own font, when it has one
  // Set while the model is being copied into the control, so the control's
  // own change notifications are not taken for the user's input.
  bool updating_ = false;

 private:
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam,
                                    LPARAM lParam) noexcept;

  WNDPROC native_ = nullptr;
  int id_ = 0;
  int dpi_ = 96;
  mutable std::shared_ptr<const ControlWindow*> presence_;
};

std::unique_ptr<ControlWindow> makeControlWindow(Control& model);

// The window's text, whatever its length.
std::string windowText(HWND window);
void setWindowText(HWND window, const std::string& text);
// A font of `face` (UTF-8) from a description whose other fields are set.
HFONT createFont(LOGFONTW face, const std::string& name);

}  // namespace corvanta::ui::win32
