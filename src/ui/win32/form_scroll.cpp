// The form window when it is smaller than its design: on a small or highly
// scaled screen a window opens no larger than the work area, and a window
// the user may resize can be made smaller. Its controls keep their designed
// places, the content scrolls under the window's own scroll bars, the wheel
// and the focus; the skin's top strip stays where it is.
#include <algorithm>

#include "ui/win32/form_window.h"

namespace corvanta::ui::win32 {
namespace {

constexpr int kLinePixels = 16;  // a click on a scroll bar's arrow, at 96 dpi

}  // namespace

SIZE FormWindow::contentSize() const {
  RECT frame{0, 0, 0, 0};
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE));
  AdjustWindowRectEx(&frame, style & ~(WS_HSCROLL | WS_VSCROLL), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE)));
  return {pixels(form_.Width()) - (frame.right - frame.left),
          pixels(form_.Height()) + topInset_ - (frame.bottom - frame.top)};
}

void FormWindow::updateScrollBars() {
  if (fittingScroll_) return;
  // Showing or hiding a bar resizes the client area, which comes back here
  // through WM_SIZE: that is left to this pass.
  fittingScroll_ = true;
  const SIZE content = contentSize();
  // Twice: a bar that appears takes room that may call for the other.
  for (int pass = 0; pass < 2; ++pass) {
    RECT client{};
    GetClientRect(hwnd_, &client);
    SCROLLINFO bar{};
    bar.cbSize = sizeof bar;
    bar.fMask = SIF_RANGE | SIF_PAGE;
    bar.nMax = content.cx - 1;
    bar.nPage = static_cast<UINT>(std::max<LONG>(client.right, 0));
    SetScrollInfo(hwnd_, SB_HORZ, &bar, TRUE);
    bar.nMax = content.cy - 1;
    bar.nPage = static_cast<UINT>(std::max<LONG>(client.bottom, 0));
    SetScrollInfo(hwnd_, SB_VERT, &bar, TRUE);
  }
  fittingScroll_ = false;
  scrollTo(scroll_);
}

void FormWindow::scrollTo(POINT to) {
  RECT client{};
  GetClientRect(hwnd_, &client);
  const SIZE content = contentSize();
  to.x = std::clamp<LONG>(to.x, 0, std::max<LONG>(content.cx - client.right, 0));
  to.y = std::clamp<LONG>(to.y, 0, std::max<LONG>(content.cy - client.bottom, 0));
  if (to.x == scroll_.x && to.y == scroll_.y) return;
  scroll_ = to;
  SetScrollPos(hwnd_, SB_HORZ, scroll_.x, TRUE);
  SetScrollPos(hwnd_, SB_VERT, scroll_.y, TRUE);
  for (const auto& window : controls_) {
    if (!window->model().parent()) place(*window);
  }
  InvalidateRect(hwnd_, nullptr, TRUE);
}

bool FormWindow::scrollMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const int line = MulDiv(kLinePixels, dpi_, 96);
  if (message == WM_MOUSEWHEEL) {
    if (!(GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_VSCROLL)) return false;
    const int notches = GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA;
    scrollTo({scroll_.x, scroll_.y - notches * 3 * line});
    return true;
  }
  // A control's own scroll bar (a slider's) is the control's.
  if (lParam != 0) return false;
  const bool vertical = message == WM_VSCROLL;
  SCROLLINFO bar{};
  bar.cbSize = sizeof bar;
  bar.fMask = SIF_ALL;
  GetScrollInfo(hwnd_, vertical ? SB_VERT : SB_HORZ, &bar);
  int position = bar.nPos;
  switch (LOWORD(wParam)) {
    case SB_LINEUP: position -= line; break;
    case SB_LINEDOWN: position += line; break;
    case SB_PAGEUP: position -= static_cast<int>(bar.nPage); break;
    case SB_PAGEDOWN: position += static_cast<int>(bar.nPage); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: position = bar.nTrackPos; break;
    case SB_TOP: position = bar.nMin; break;
    case SB_BOTTOM: position = bar.nMax; break;
    default: return true;
  }
  scrollTo(vertical ? POINT{scroll_.x, position} : POINT{position, scroll_.y});
  return true;
}

void FormWindow::scrollIntoView(HWND control) {
  if (!control || !IsChild(hwnd_, control)) return;
  RECT client{};
  GetClientRect(hwnd_, &client);
  client.top += topInset_;
  RECT at{};
  GetWindowRect(control, &at);
  MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&at), 2);
  // The far edge into view first, then the near one, which wins.
  const auto shift = [](LONG nearEdge, LONG farEdge, LONG viewNear, LONG viewFar) {
    LONG by = farEdge > viewFar ? farEdge - viewFar : 0;
    if (nearEdge - by < viewNear) by = nearEdge - viewNear;
    return by;
  };
  const POINT to{scroll_.x + shift(at.left, at.right, client.left, client.right),
                 scroll_.y + shift(at.top, at.bottom, client.top, client.bottom)};
  scrollTo(to);
}

}  // namespace corvanta::ui::win32
