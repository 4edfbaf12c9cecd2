// A frame holds other controls, moves and hides them with itself, and shows
// its caption on a border. Windows' group box draws the border and caption
// but cannot hold controls (their notifications would go to it), so a frame
// is a plain panel holding a group box and the frame's controls. The panel
// passes every notification up to the form window, which knows the control
// it came from.
#include "ui/win32/control_kinds.h"
#include "ui/win32/form_window.h"

namespace corvanta::ui::win32 {
namespace {

LRESULT CALLBACK panelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_DRAWITEM:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      return SendMessageA(GetAncestor(window, GA_ROOT), message, wParam, lParam);
    case WM_ERASEBKGND: {
      RECT area;
      GetClientRect(window, &area);
      const auto brush = reinterpret_cast<HBRUSH>(SendMessageA(
          GetAncestor(window, GA_ROOT), kMsgBackgroundBrush, 0, reinterpret_cast<LPARAM>(window)));
      FillRect(reinterpret_cast<HDC>(wParam), &area,
               brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
      return 1;
    }
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

class Frame final : public ControlWindow {
 public:
  using ControlWindow::ControlWindow;

  void create(HWND parent, const RECT& bounds, HFONT font) override {
    // No WS_CLIPCHILDREN: the group box covers the panel and paints only its
    // border, so the panel must paint the inside beneath it.
    panel_ = createNative(framePanelClass(), 0, WS_EX_CONTROLPARENT, parent, bounds, "", font);
    const RECT inside{0, 0, bounds.right - bounds.left, bounds.bottom - bounds.top};
    hwnd_ =
        createNative("BUTTON", BS_GROUPBOX | WS_VISIBLE, 0, panel_, inside, model_.Caption(), font);
  }
  HWND container() const override { return panel_; }
  HWND outer() const override { return panel_; }

 private:
  HWND panel_ = nullptr;
};

}  // namespace

const char* framePanelClass() {
  static const ATOM registered = [] {
    WNDCLASSA panel{};
    panel.lpfnWndProc = panelProc;
    panel.hInstance = GetModuleHandleA(nullptr);
    panel.hCursor = LoadCursor(nullptr, IDC_ARROW);
    panel.lpszClassName = "CorvantaFrame";
    return RegisterClassA(&panel);
  }();
  return registered ? "CorvantaFrame" : "STATIC";
}

std::unique_ptr<ControlWindow> makeFrame(Control& model) { return std::make_unique<Frame>(model); }

}  // namespace corvanta::ui::win32
