// Text boxes and up-down arrows.
#include "ui/win32/control_kinds.h"

namespace corvanta::ui::win32 {
namespace {

std::string windowText(HWND window) {
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

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
    hwnd_ = createNative("EDIT", flags, WS_EX_CLIENTEDGE, parent, bounds, model_.Text(), font);
    updating_ = false;
  }
  void update(Property property) override {
    if (property != Property::Text) return ControlWindow::update(property);
    updating_ = true;
    SetWindowTextA(hwnd_, model_.Text().c_str());
    updating_ = false;
  }
  void command(int code) override {
    if (code == EN_CHANGE && !updating_) model_.textFromUser(windowText(hwnd_));
  }
};

class UpDown final : public ControlWindow {
 public:
  using ControlWindow::ControlWindow;

  void create(HWND parent, const RECT& bounds, HFONT font) override {
    const DWORD orientation = model_.style().vertical ? 0 : UDS_HORZ;
    hwnd_ = createNative(UPDOWN_CLASSA, orientation | UDS_ARROWKEYS | WS_TABSTOP, 0, parent, bounds,
                         "", font);
    showRange();
  }
  void update(Property property) override {
    if (property == Property::Value || property == Property::Range) {
      showRange();
    } else {
      ControlWindow::update(property);
    }
  }
  void scroll(int) override {
    const auto position = static_cast<int>(SendMessageA(hwnd_, UDM_GETPOS32, 0, 0));
    if (position != model_.Value()) model_.valueFromUser(position);
  }

 private:
  void showRange() {
    SendMessageA(hwnd_, UDM_SETRANGE32, static_cast<WPARAM>(model_.Min()), model_.Max());
    SendMessageA(hwnd_, UDM_SETPOS32, 0, model_.Value());
  }
};

}  // namespace

std::unique_ptr<ControlWindow> makeTextBox(Control& model) {
  return std::make_unique<TextBox>(model);
}
std::unique_ptr<ControlWindow> makeUpDown(Control& model) {
  return std::make_unique<UpDown>(model);
}

}  // namespace corvanta::ui::win32
