// Group boxes and tab strips drawn by hand, for a skin whose colours their
// visual style would not take: a themed group box writes its caption, and a
// themed tab strip paints its tabs and border, in the style's own colours,
// which are light; on a dark skin's back the caption could not be read.
#pragma once

#include <windows.h>

namespace corvanta::ui::win32 {

struct HandDrawnLook {
  HBRUSH back;    // what the control stands on
  HBRUSH face;    // a tab not chosen
  HBRUSH border;  // lines
  COLORREF text;
  int dpi;
};

// Each paints the whole of the control into `dc`: the caller has begun
// the paint and ends it.
void paintGroupBox(HWND box, HDC dc, const HandDrawnLook& look);
void paintTabStrip(HWND tabs, HDC dc, const HandDrawnLook& look);

}  // namespace corvanta::ui::win32
