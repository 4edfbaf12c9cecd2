#include "ui/win32/hand_drawn.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "platform/win32/wide_text.h"
#include "ui/win32/control_window.h"

namespace corvanta::ui::win32 {
namespace {

// Access keys are underlined only while the user is using the keyboard, as
// Windows draws them.
UINT prefixFlag(HWND window) {
  return (SendMessageW(window, WM_QUERYUISTATE, 0, 0) & UISF_HIDEACCEL) ? DT_HIDEPREFIX : 0;
}

// A one-pixel line along the edges of `box` that `edges` names (BF_LEFT...).
void outline(HDC dc, RECT box, HBRUSH brush, UINT edges) {
  if (edges & BF_LEFT) {
    const RECT line{box.left, box.top, box.left + 1, box.bottom};
    FillRect(dc, &line, brush);
  }
  if (edges & BF_TOP) {
    const RECT line{box.left, box.top, box.right, box.top + 1};
    FillRect(dc, &line, brush);
  }
  if (edges & BF_RIGHT) {
    const RECT line{box.right - 1, box.top, box.right, box.bottom};
    FillRect(dc, &line, brush);
  }
  if (edges & BF_BOTTOM) {
    const RECT line{box.left, box.bottom - 1, box.right, box.bottom};
    FillRect(dc, &line, brush);
  }
}

// The control's area filled with what it stands on, and its font selected
// into the DC for as long as this lives.
class Canvas {
 public:
  Canvas(HWND control, HDC dc, HBRUSH back) : dc_(dc) {
    GetClientRect(control, &area);
    FillRect(dc, &area, back);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    oldFont_ = font ? SelectObject(dc, font) : nullptr;
  }
  ~Canvas() {
    if (oldFont_) SelectObject(dc_, oldFont_);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  RECT area{};

 private:
  HDC dc_;
  HGDIOBJ oldFont_;
};

}  // namespace

void paintGroupBox(HWND box, HDC dc, const HandDrawnLook& look) {
  const Canvas canvas(box, dc, look.back);
  const RECT& area = canvas.area;
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  // The border runs through the middle of the caption's line, as Windows
  // draws a group box.
  RECT border = area;
  border.top += metrics.tmHeight / 2;
  outline(dc, border, look.border, BF_RECT);
  const std::wstring caption = wide(windowText(box));
  if (!caption.empty()) {
    const int indent = MulDiv(8, look.dpi, 96);
    const int pad = MulDiv(2, look.dpi, 96);
    RECT text{area.left + indent, area.top, area.right - indent, area.top + metrics.tmHeight};
    DrawTextW(dc, caption.c_str(), -1, &text, DT_SINGLELINE | DT_CALCRECT);
    text.right = std::min(text.right, area.right - indent);
    RECT gap{text.left - pad, text.top, text.right + pad, text.bottom};
    FillRect(dc, &gap, look.back);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, IsWindowEnabled(box) ? look.text : GetSysColor(COLOR_GRAYTEXT));
    DrawTextW(dc, caption.c_str(), -1, &text, DT_SINGLELINE | DT_END_ELLIPSIS | prefixFlag(box));
  }
}

void paintTabStrip(HWND tabs, HDC dc, const HandDrawnLook& look) {
  const Canvas canvas(tabs, dc, look.back);
  const RECT& area = canvas.area;
  const int count = static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
  const int chosen = static_cast<int>(SendMessageW(tabs, TCM_GETCURSEL, 0, 0));
  const int lift = MulDiv(2, look.dpi, 96);
  // The body: everything below the row of tabs.
  RECT body = area;
  RECT first{};
  if (count > 0 && SendMessageW(tabs, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first)))
    body.top = first.bottom;
  outline(dc, body, look.border, BF_RECT);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, IsWindowEnabled(tabs) ? look.text : GetSysColor(COLOR_GRAYTEXT));
  for (int index = 0; index < count; ++index) {
    RECT tab{};
    if (!SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index),
                      reinterpret_cast<LPARAM>(&tab)))
      continue;
    const bool selected = index == chosen;
    if (selected) {
      // The chosen tab stands a little taller and opens onto the body.
      InflateRect(&tab, lift, 0);
      tab.top -= lift;
      tab.bottom += 1;
    }
    FillRect(dc, &tab, selected ? look.back : look.face);
    outline(dc, tab, look.border, BF_LEFT | BF_TOP | BF_RIGHT);
    wchar_t text[256] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 256;
    SendMessageW(tabs, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    RECT label = tab;
    DrawTextW(dc, text, -1, &label,
              DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_END_ELLIPSIS | prefixFlag(tabs));
    if (selected && GetFocus() == tabs &&
        !(SendMessageW(tabs, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS)) {
      InflateRect(&label, -lift, -lift);
      DrawFocusRect(dc, &label);
    }
  }
}

}  // namespace corvanta::ui::win32
