// A frame holds other controls, moves and hides them with itself, and shows
// its caption on a border: a group box (a standard BUTTON) that is also the
// parent of the controls it holds. Windows' group box would keep its
// children's notifications and never paint its inside, so it is subclassed
// to pass notifications up to the form window, which knows the control they
// came from, and to paint its inside with the form's background. Every
// message to a frame passes here: what it needs it keeps in the window's
// user data, as reading a window property costs a trip to the window
// manager each time under Wine.
#include "ui/win32/control_kinds.h"
#include "ui/win32/form_window.h"

namespace corvanta::ui::win32 {
namespace {

class Frame final : public ControlWindow {
 public:
  using ControlWindow::ControlWindow;

  void create(HWND parent, const RECT& bounds, HFONT font) override {
    hwnd_ = createNative(L"BUTTON", BS_GROUPBOX, WS_EX_CONTROLPARENT, parent, bounds,
                         model_.Caption(), font);
  }
  HWND container() const override { return hwnd_; }

 protected:
  bool intercept(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
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
        result = SendMessageW(GetAncestor(hwnd_, GA_ROOT), message, wParam, lParam);
        return true;
      case WM_PAINT:
        if (!paintedBySkin()) return ControlWindow::intercept(message, wParam, lParam, result);
        result = 0;
        return true;
      case WM_ERASEBKGND: {
        RECT area;
        GetClientRect(hwnd_, &area);
        const auto brush = reinterpret_cast<HBRUSH>(SendMessageW(
            GetAncestor(hwnd_, GA_ROOT), kMsgBackgroundBrush, 0, reinterpret_cast<LPARAM>(hwnd_)));
        FillRect(reinterpret_cast<HDC>(wParam), &area,
                 brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
        result = 1;
        return true;
      }
      case WM_PRINTCLIENT: {
        // A themed control inside asks its parent to draw the background
        // into the control's own DC, after selecting its font there; the
        // group box selects its own face and leaves it, and the control's
        // caption came out in the frame's bold face, wider than it was
        // measured. The DC goes back as it came.
        const auto dc = reinterpret_cast<HDC>(wParam);
        const int saved = SaveDC(dc);
        result = native(message, wParam, lParam);
        RestoreDC(dc, saved);
        return true;
      }
      default:
        return ControlWindow::intercept(message, wParam, lParam, result);
    }
  }
};

}  // namespace

std::unique_ptr<ControlWindow> makeFrame(Control& model) { return std::make_unique<Frame>(model); }

}  // namespace corvanta::ui::win32
