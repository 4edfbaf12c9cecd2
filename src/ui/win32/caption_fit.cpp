#include "ui/win32/caption_fit.h"

#include <algorithm>

#include "platform/win32/wide_text.h"

namespace corvanta::ui::win32 {
namespace {

constexpr int kGap = 4;  // pixels kept free to the next control or the edge

bool isStatic(HWND window) {
  wchar_t className[16] = {};
  GetClassNameW(window, className, 16);
  return lstrcmpiW(className, L"STATIC") == 0;
}

bool isCheckLike(HWND window) {
  const LONG_PTR type = GetWindowLongPtrW(window, GWL_STYLE) & BS_TYPEMASK;
  return !isStatic(window) && type != BS_OWNERDRAW && type != BS_PUSHBUTTON &&
         type != BS_DEFPUSHBUTTON && type != BS_GROUPBOX;
}

// How far right the control may reach: to its container's edge, or to the
// next control on its line that starts right of it (one it reaches under
// included).
int roomRight(HWND window) {
  HWND parent = GetParent(window);
  RECT area{};
  GetClientRect(parent, &area);
  const RECT own = boundsInParent(window);
  wchar_t className[16] = {};
  GetClassNameW(parent, className, 16);
  int limit = area.right - (lstrcmpiW(className, L"BUTTON") == 0 ? 2 * kGap : kGap);
  for (HWND sibling = GetWindow(parent, GW_CHILD); sibling;
       sibling = GetWindow(sibling, GW_HWNDNEXT)) {
    if (sibling == window) continue;
    const RECT other = boundsInParent(sibling);
    const bool sameLine = other.top < own.bottom && other.bottom > own.top;
    if (sameLine && other.left > own.left)
      limit = std::min(limit, static_cast<int>(other.left) - kGap);
  }
  return std::max(limit - static_cast<int>(own.left), 0);
}

void setClientWidth(HWND window, const RECT& client, int width) {
  RECT frame{};
  GetWindowRect(window, &frame);
  SetWindowPos(window, nullptr, 0, 0, width + (frame.right - frame.left - client.right),
               frame.bottom - frame.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

RECT boundsInParent(HWND window) {
  RECT bounds{};
  GetWindowRect(window, &bounds);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&bounds), 2);
  return bounds;
}

SIZE captionExtent(HWND window, const std::string& text, int wrapWidth) {
  // Measured on one memory DC, made once: the extent depends on the font
  // alone, and asking each window for a DC of its own costs a trip to the
  // window manager per caption (under Wine about as much as the rest of the
  // fitting together). A window without a font measures with the system
  // font, as its own DC would.
  static const HDC dc = CreateCompatibleDC(nullptr);
  const auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
  HGDIOBJ previous = SelectObject(dc, font ? font : GetStockObject(SYSTEM_FONT));
  RECT extent{0, 0, wrapWidth, 0};
  DrawTextW(dc, wide(text).c_str(), -1, &extent,
            DT_CALCRECT | (wrapWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE));
  SelectObject(dc, previous);
  return {extent.right, extent.bottom};
}

int captionMargin(HWND window) {
  if (isCheckLike(window)) return GetSystemMetrics(SM_CXMENUCHECK) + 6;
  return isStatic(window) ? 0 : 8;
}

CaptionFit fitCaption(HWND window, const std::string& text) {
  if (text.empty()) return {};
  RECT client{};
  GetClientRect(window, &client);
  const bool pushButton = !isStatic(window) && !isCheckLike(window);
  // A caption that runs under the next control is hidden there: the control
  // ends where that one starts.
  const int room = pushButton ? 0 : roomRight(window);
  if (room > 0 && client.right > room) {
    setClientWidth(window, client, room);
    GetClientRect(window, &client);
  }
  const SIZE line = captionExtent(window, text);
  const int needed = line.cx + captionMargin(window);
  const bool label = isStatic(window);
  // A label with room for more lines wraps; it fits when its lines do.
  if (label && client.bottom >= 2 * line.cy) {
    if (captionExtent(window, text, client.right).cy <= client.bottom) return {};
    return {false, text};
  }
  if (needed <= client.right) return {};
  if (!pushButton) {
    const int width = std::min(needed, room);
    if (width > client.right) {
      setClientWidth(window, client, width);
      if (width >= needed) return {};
    }
  }
  // Still too long: the end gives way to an ellipsis (push buttons draw
  // theirs), and the tooltip tells the whole.
  if (label) {
    SetWindowLongPtrW(window, GWL_STYLE, GetWindowLongPtrW(window, GWL_STYLE) | SS_ENDELLIPSIS);
    InvalidateRect(window, nullptr, TRUE);
  }
  return {false, text};
}

}  // namespace corvanta::ui::win32
