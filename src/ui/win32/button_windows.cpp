// Push buttons are owner-drawn so the skin can paint them, and stay BUTTON
// controls: their text is their caption, Space and Enter press them, and
// BN_CLICKED reports the press. Check boxes use the three-state style so the
// grey state can be shown; the program, not the control, decides what a
// click makes of the state, as the designed controls did (a click never
// leads to grey).
#include "ui/win32/control_kinds.h"

namespace corvanta::ui::win32 {
namespace {

class PushButton final : public ControlWindow {
 public:
  using ControlWindow::ControlWindow;

  void create(HWND parent, const RECT& bounds, HFONT font) override {
    hwnd_ = createNative(L"BUTTON", BS_OWNERDRAW | WS_TABSTOP, 0, parent, bounds, model_.Caption(),
                         font);
  }
  void command(int code) override {
    if (code == BN_CLICKED) model_.click();
  }
};

class CheckButton final : public ControlWindow {
 public:
  using ControlWindow::ControlWindow;

  void create(HWND parent, const RECT& bounds, HFONT font) override {
    const DWORD style = model_.kind() == ControlKind::OptionButton ? BS_RADIOBUTTON : BS_3STATE;
    hwnd_ = createNative(L"BUTTON", style | WS_TABSTOP, 0, parent, bounds, model_.Caption(), font);
    showValue();
  }
  void update(Property property) override {
    if (property == Property::Value) {
      showValue();
    } else {
      ControlWindow::update(property);
    }
  }
  void command(int code) override {
    if (code != BN_CLICKED) return;
    const int value = model_.kind() == ControlKind::OptionButton
                          ? 1
                          : (model_.Value() == kChecked ? kUnchecked : kChecked);
    SendMessageW(hwnd_, BM_SETCHECK, static_cast<WPARAM>(value), 0);
    model_.valueFromUser(value);
  }

 private:
  void showValue() { SendMessageW(hwnd_, BM_SETCHECK, static_cast<WPARAM>(model_.Value()), 0); }
};

class Label final : public ControlWindow {
 public:
  using ControlWindow::ControlWindow;

  void create(HWND parent, const RECT& bounds, HFONT font) override {
    hwnd_ = createNative(L"STATIC", SS_LEFT, 0, parent, bounds, model_.Caption(), font);
  }
};

}  // namespace

std::unique_ptr<ControlWindow> makePushButton(Control& model) {
  return std::make_unique<PushButton>(model);
}
std::unique_ptr<ControlWindow> makeCheckButton(Control& model) {
  return std::make_unique<CheckButton>(model);
}
std::unique_ptr<ControlWindow> makeLabel(Control& model) { return std::make_unique<Label>(model); }

}  // namespace corvanta::ui::win32
