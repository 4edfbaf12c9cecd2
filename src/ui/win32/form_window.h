// A window of the form model made real: a top-level window whose controls
// are standard Windows controls, kept in step with the model both ways. It
// places controls by their twips at the screen's resolution, routes each
// control's notifications to it, runs the window's timers, and hands close
// requests to the program's window collection. It is a dialog to the
// keyboard: Tab goes through its controls in reading order, Enter presses
// its default button and Escape its cancel button (ui/form.h), F1 opens the
// help of the page the focus is on, and the focus comes back to where it was
// when the window is active again. No exception crosses its window
// procedure: an error a handler lets escape is shown and the program goes on.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "ui/form.h"
#include "ui/win32/control_window.h"

namespace corvanta::ui {
class Forms;
}

namespace corvanta::ui::win32 {

// Asked of a form window by the frames inside it: the brush to erase with.
// lParam is the asking window; the result is an HBRUSH.
inline constexpr UINT kMsgBackgroundBrush = WM_APP + 1;
// Posted to a form window once it has shown and painted: its controls'
// tooltips are made then, not before the window is up, and the form's work
// that waits for that runs, before the input queued behind it.
inline constexpr UINT kMsgShown = WM_APP + 2;

// What the skin engine adds to a window's painting.
class SkinPainter {
 public:
  // The brush a window or control is drawn on; null for the system's.
  virtual HBRUSH background(HWND window) = 0;
  // Paints a form window's background (its title band included); false to
  // leave it to the plain background.
  virtual bool eraseForm(HWND form, HDC dc) = 0;
  // Text colour and brush for a static-like control; false to leave it be.
  virtual bool controlColors(HWND control, HDC dc, HBRUSH& brush) = 0;
  // The same for an edit field or a list box (WM_CTLCOLOREDIT,
  // WM_CTLCOLORLISTBOX), which draw on a field's colour, not the window's.
  virtual bool fieldColors(HWND control, HDC dc, HBRUSH& brush) = 0;
  // A control was made: the painter gives it the colours it keeps itself
  // rather than asking its parent for (a list view's).
  virtual void controlMade(HWND control) = 0;
  // Paints an owner-drawn button; false to leave it to the default look.
  virtual bool drawItem(const DRAWITEMSTRUCT& item) = 0;
  // Paints a group box or a tab strip whose visual style would draw it in
  // colours of its own, not the skin's (WM_PAINT); false to leave it be.
  virtual bool paintControl(HWND control) = 0;
  // A click on a child window that is none of the form's controls: one of
  // the skin's own elements. False when it is not the skin's.
  virtual bool elementCommand(HWND child) = 0;
  // Draws the control with the skin's element of that name from now on.
  virtual void skinControl(HWND control, const std::string& element) = 0;
  // The window is going away.
  virtual void forget(HWND window) = 0;
  // The window moved to a monitor of other dots per inch: what the skin
  // made for the old ones (its band, its fonts) is made again.
  virtual void dpiChanged(HWND form) = 0;
  // The window's client area changed size: what the skin keeps at its
  // right edge (the band's buttons) moves with it.
  virtual void resized(HWND form) = 0;
  // The system's colours, its high contrast or its dark setting may have
  // changed:
  // the painter looks again and has every window it paints redrawn when its
  // look has changed.
  virtual void systemLookChanged() = 0;

 protected:
  ~SkinPainter() = default;
};

class FormWindow final : public FormObserver {
 public:
  FormWindow(Form& form, HWND owner, Forms& forms, SkinPainter* skin);
  ~FormWindow();
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;

  // Creates the window and every control, hidden. False if Windows refused.
  bool create();
  void show();
  void destroy();
  bool alive() const { return hwnd_ != nullptr; }
  HWND hwnd() const { return hwnd_; }
  HWND owner() const { return owner_; }
  Form& form() const { return form_; }

  // Room the skin takes along the top of the window, in pixels: controls
  // move down by it and the window grows by it.
  void setTopInset(int pixels);
  int topInset() const { return topInset_; }
  int pixels(int twips) const;
  // The dots per inch of the monitor the window is on.
  int dpi() const { return dpi_; }

  static FormWindow* fromHandle(HWND window);

  // A key the window takes before the dialog manager sees it (Tab, whose
  // order is the window's own, and F1); false to leave it to the manager.
  bool dialogKey(const MSG& message);
  // Keeps the control that has the focus, to give it back when the window
  // is active again.
  void rememberFocus();

  void controlChanged(Control& control, Property property) override;
  void formChanged(Form& form, FormProperty property) override;

 private:
  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam,
                                     LPARAM lParam) noexcept;
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
  template <class Event>
  void guard(Event&& event) noexcept;

  void createControls();
  // A control's native window is made when it first shows (its ancestors
  // first), with every property its model has by then.
  static bool showing(const Control& control);
  ControlWindow* realise(Control& model);
  // Makes the windows of every control that shows now, inside `container`.
  void realiseShowing(const Control& container);
  RECT boundsOf(const Control& control) const;
  void place(ControlWindow& window);
  // The window at its designed size, but never larger than the work area
  // of its monitor, nor outside it; what does not show then scrolls.
  void applySize();
  // Scrolling (form_scroll.cpp): the client area at the designed size, the
  // scroll bars for the client area there is, and the content moved to
  // `to` (clamped to what can be scrolled).
  SIZE contentSize() const;
  void updateScrollBars();
  void scrollTo(POINT to);
  // The window's size changed: what follows it is placed again.
  void followSize();
  // A form scroll bar's or the wheel's message; false for a control's.
  bool scrollMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // Scrolls so that `control` (the focus) shows whole, if it can.
  void scrollIntoView(HWND control);
  // Lays the window out again for `dpi`: its font, every control's place,
  // font and columns, the skin's band, captions fitted again; the window
  // takes the `suggested` rectangle, or its own size at `dpi`.
  void changeDpi(int dpi, const RECT* suggested);
  void syncTimers();
  void showToolTip(ControlWindow& window);
  // Labels, boxes and buttons show their whole caption (caption_fit.h).
  void fitCaptionOf(ControlWindow& window);
  void fitMadeCaptions();
  ControlWindow* windowFor(HWND window) const;
  // The model of the control that is or holds `window`; null for none.
  Control* modelOf(HWND window) const;
  void restoreFocus();
  void moveFocus(bool backwards);
  LRESULT defaultButtonId();
  void showHelp();
  // The messages of the dialog manager and of activation; false for others.
  bool keyboardMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  HBRUSH backgroundBrush(HWND window);

  Form& form_;
  HWND owner_;
  Forms& forms_;
  SkinPainter* skin_;
  HWND hwnd_ = nullptr;
  HFONT font_ = nullptr;
  HWND toolTips_ = nullptr;
  int dpi_ = 96;
  int topInset_ = 0;
  POINT scroll_{0, 0};       // how far the content is scrolled, in pixels
  bool fittingScroll_ = false;  // scroll bars being set: their WM_SIZE waits
  SIZE grown_{0, 0};            // how much larger than its design the user made it, in pixels
  int nextId_ = 100;  // above IDOK, IDCANCEL and the skin's own buttons
  HWND lastFocus_ = nullptr;
  std::vector<ControlWindow*> unfitted_;  // made, caption not fitted yet
  bool controlsMade_ = false;
  bool toolTipsReady_ = false;
  std::vector<std::unique_ptr<ControlWindow>> controls_;
  std::unordered_map<HWND, ControlWindow*> byHandle_;
  std::unordered_map<const Control*, ControlWindow*> byModel_;
  std::vector<UINT_PTR> runningTimers_;
  // The full text of captions that had to give way to an ellipsis.
  std::unordered_map<HWND, std::string> clippedCaptions_;
};

}  // namespace corvanta::ui::win32
