// The form window as the keyboard's dialog: where the focus goes and comes
// back to, which button Enter presses, and the messages of the dialog
// manager that ask the window itself.
#include "ui/win32/form_window.h"

#include "ui/win32/tab_order.h"

namespace corvanta::ui::win32 {

Control* FormWindow::modelOf(HWND window) const {
  for (HWND level = window; level && level != hwnd_; level = GetParent(level)) {
    if (ControlWindow* control = windowFor(level)) return &control->model();
  }
  return nullptr;
}

void FormWindow::rememberFocus() {
  const HWND focus = GetFocus();
  if (focus && focus != hwnd_ && IsChild(hwnd_, focus)) lastFocus_ = focus;
}

// The control that had the focus, if it is still there to take it; else
// the first control. One that is disabled for now waits on the window
// itself to be enabled again (controlChanged).
void FormWindow::restoreFocus() {
  HWND target = lastFocus_;
  if (target && !(IsWindow(target) && IsChild(hwnd_, target) && IsWindowVisible(target)))
    target = nullptr;
  if (target && IsWindowEnabled(target)) {
    SetFocus(target);
  } else if (target) {
    if (GetFocus() != hwnd_) SetFocus(hwnd_);
  } else {
    focusControl(nextTabStop(hwnd_, nullptr, false));
  }
}

void FormWindow::moveFocus(bool backwards) {
  focusControl(nextTabStop(hwnd_, GetFocus(), backwards));
  scrollIntoView(GetFocus());
  SendMessageW(hwnd_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
}

bool FormWindow::dialogKey(const MSG& message) {
  if (message.message != WM_KEYDOWN) return false;
  if (message.wParam == VK_F1) {
    showHelp();
    return true;
  }
  if (message.wParam != VK_TAB || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0)
    return false;
  // A control that takes Tab itself keeps it.
  const LRESULT wants =
      SendMessageW(message.hwnd, WM_GETDLGCODE, message.wParam, reinterpret_cast<LPARAM>(&message));
  if (wants & (DLGC_WANTTAB | DLGC_WANTMESSAGE)) return false;
  moveFocus(GetKeyState(VK_SHIFT) < 0);
  return true;
}

// Asked by the dialog manager when Enter is pressed: a focused push button
// is pressed itself, the skin's own ones too; otherwise the form's default.
LRESULT FormWindow::defaultButtonId() {
  const HWND focus = GetFocus();
  if (focus && IsChild(hwnd_, focus) && !windowFor(focus) &&
      (GetWindowLongW(focus, GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW &&
      (SendMessageW(focus, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON))
    return MAKELRESULT(GetDlgCtrlID(focus), DC_HASDEFID);
  const Control* button = form_.defaultButton(modelOf(focus));
  const auto made = button ? byModel_.find(button) : byModel_.end();
  return made == byModel_.end() ? 0 : MAKELRESULT(made->second->id(), DC_HASDEFID);
}

bool FormWindow::keyboardMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case DM_GETDEFID:
      result = defaultButtonId();
      return true;
    case WM_NEXTDLGCTL:
      // From the dialog manager (an access key on a label: the control
      // after it, in the order they were made) and from controls.
      if (LOWORD(lParam)) {
        focusControl(reinterpret_cast<HWND>(wParam));
      } else if (const HWND focus = GetFocus();
                 focus && IsChild(hwnd_, focus) &&
                 (SendMessageW(focus, WM_GETDLGCODE, 0, 0) & DLGC_STATIC)) {
        focusControl(GetNextDlgTabItem(hwnd_, focus, wParam != 0));
      } else {
        moveFocus(wParam != 0);
      }
      result = 0;
      return true;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        rememberFocus();
      } else if (!HIWORD(wParam)) {
        restoreFocus();
      }
      result = 0;
      return true;
    case WM_SETFOCUS:
      restoreFocus();
      result = 0;
      return true;
    default:
      return false;
  }
}

}  // namespace corvanta::ui::win32
