// Text boxes.
#include "ui/win32/control_kinds.h"

namespace corvanta::ui::win32 {
namespace {

class TextBox final : public ControlWindow {
 public:
  using ControlWindow::ControlWindow;

  void create(HWND parent, const RECT& bounds, HFONT font) override {
    const ControlStyle& style = model_.style();
    DWORD flags = WS_TABSTOP | ES_AUTOHSCROLL;
    if (style.multiLine)
      flags = WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL;
    if (style.readOnly) flags |= ES_READONLY;
    updating_ = true;
    hwnd_ = createNative(L"EDIT", flags, WS_EX_CLIENTEDGE, parent, bounds, model_.Text(), font);
    updating_ = false;
  }
  void update(Property property) override {
    if (property != Property::Text) return ControlWindow::update(property);
    updating_ = true;
    setWindowText(hwnd_, model_.Text());
    updating_ = false;
  }
  void command(int code) override {
    if (code == EN_CHANGE && !updating_) model_.textFromUser(windowText(hwnd_));
  }

 protected:
  // A box of many lines takes Enter for a new line, but Tab and Escape stay
  // the window's: a box that kept them would hold the keyboard in it.
  bool intercept(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    if (message != WM_GETDLGCODE || !model_.style().multiLine)
      return ControlWindow::intercept(message, wParam, lParam, result);
    result = native(message, wParam, lParam);
    const auto* key = reinterpret_cast<const MSG*>(lParam);
    if (key && (key->message == WM_KEYDOWN || key->message == WM_CHAR) &&
        (key->wParam == VK_TAB || key->wParam == VK_ESCAPE))
      result &= ~(DLGC_WANTALLKEYS | DLGC_WANTMESSAGE | DLGC_WANTTAB);
    return true;
  }
};

}  // namespace

std::unique_ptr<ControlWindow> makeTextBox(Control& model) {
  return std::make_unique<TextBox>(model);
}

}  // namespace corvanta::ui::win32
