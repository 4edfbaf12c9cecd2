// The form window when it is smaller than its design: on a small or highly
// scaled screen a window opens no larger than the work area, and a window
// the user may resize can be made smaller. Its controls keep their designed
// places, the content scrolls under the window's own scroll bars, the wheel
// and the focus; the skin's top strip stays where it is. A window whose
// controls follow it (Control::grows) can also be made larger: they move or
// stretch by what it grew.
#include <algorithm>

#include "platform/win32/late_bound.h"
#include "ui/win32/form_window.h"

namespace corvanta::ui::win32 {
namespace {

constexpr int kLinePixels = 16;  // a click on a scroll bar's arrow, at 96 dpi

// A scroll bar's width (SM_CXVSCROLL) or height (SM_CYHSCROLL) at `dpi`: a
// per-monitor window draws its own at its monitor's dots per inch (Windows
// 10 1607 on), an older Windows every window at the system's.
int scrollBarSpan(int metric, int dpi) {
  using Call = int WINAPI(int, UINT);
  static auto* const forDpi = lateBound<Call>(L"user32.dll", "GetSystemMetricsForDpi");
  return forDpi ? forDpi(metric, static_cast<UINT>(dpi)) : GetSystemMetrics(metric);
}

}  // namespace

SIZE FormWindow::contentSize() const {
  // The designed size is the window's, frame included: the content is what
  // is left inside the frame as it is drawn now, at this DPI, less the
  // scroll bars that come and go with the content.
  RECT window{};
  RECT client{};
  GetWindowRect(hwnd_, &window);
  GetClientRect(hwnd_, &client);
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE));
  const LONG frameWidth = (window.right - window.left) - client.right -
                          ((style & WS_VSCROLL) ? scrollBarSpan(SM_CXVSCROLL, dpi_) : 0);
  const LONG frameHeight = (window.bottom - window.top) - client.bottom -
                           ((style & WS_HSCROLL) ? scrollBarSpan(SM_CYHSCROLL, dpi_) : 0);
  return {pixels(form_.Width()) - frameWidth, pixels(form_.Height()) + topInset_ - frameHeight};
}

void FormWindow::updateScrollBars() {
  if (fittingScroll_) return;
  // Showing or hiding a bar resizes the client area, which comes back here
  // through WM_SIZE: that is left to this pass.
  fittingScroll_ = true;
  const SIZE content = contentSize();
  RECT client{};
  GetClientRect(hwnd_, &client);
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE));
  const int barWidth = scrollBarSpan(SM_CXVSCROLL, dpi_);
  const int barHeight = scrollBarSpan(SM_CYHSCROLL, dpi_);
  // The room there is with neither bar: measured with a bar that shows, it
  // would keep that bar when the content now fits.
  LONG width = client.right + ((style & WS_VSCROLL) ? barWidth : 0);
  LONG height = client.bottom + ((style & WS_HSCROLL) ? barHeight : 0);
  bool across = content.cx > width;
  bool down = content.cy > height;
  // A bar takes room that may call for the other.
  if (across && !down) down = content.cy > height - barHeight;
  if (down && !across) across = content.cx > width - barWidth;
  if (across) height -= barHeight;
  if (down) width -= barWidth;
  SCROLLINFO bar{};
  bar.cbSize = sizeof bar;
  bar.fMask = SIF_RANGE | SIF_PAGE;
  // A page as large as the range hides the bar.
  bar.nMax = content.cx - 1;
  bar.nPage = static_cast<UINT>(std::max<LONG>(width, 0));
  SetScrollInfo(hwnd_, SB_HORZ, &bar, TRUE);
  bar.nMax = content.cy - 1;
  bar.nPage = static_cast<UINT>(std::max<LONG>(height, 0));
  SetScrollInfo(hwnd_, SB_VERT, &bar, TRUE);
  fittingScroll_ = false;
  scrollTo(scroll_);
}

void FormWindow::followSize() {
  SIZE grown{0, 0};
  if (form_.growable()) {
    RECT client{};
    GetClientRect(hwnd_, &client);
    const SIZE content = contentSize();
    grown = {std::max<LONG>(client.right - content.cx, 0),
             std::max<LONG>(client.bottom - content.cy, 0)};
  }
  if (grown.cx == grown_.cx && grown.cy == grown_.cy) return;
  grown_ = grown;
  for (const auto& window : controls_) {
    if (!window->model().parent()) place(*window);
  }
  InvalidateRect(hwnd_, nullptr, TRUE);
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
