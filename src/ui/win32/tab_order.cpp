#include "ui/win32/tab_order.h"

#include <algorithm>

#include "ui/reading_order.h"

namespace corvanta::ui::win32 {
namespace {

bool takesPart(HWND window) {
  const LONG style = GetWindowLongW(window, GWL_STYLE);
  return (style & WS_VISIBLE) && !(style & WS_DISABLED);
}

bool isContainer(HWND window) {
  return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) != 0;
}

// The stops inside `container`: its own, and those of the frames in it,
// each frame's read where the frame stands.
void collect(HWND container, std::vector<HWND>& stops) {
  std::vector<std::vector<HWND>> parts;
  std::vector<Box> boxes;
  for (HWND child = GetWindow(container, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!takesPart(child)) continue;
    std::vector<HWND> part;
    if (isContainer(child)) {
      collect(child, part);
    } else if (GetWindowLongW(child, GWL_STYLE) & WS_TABSTOP) {
      part.push_back(child);
    }
    if (part.empty()) continue;
    RECT area;
    GetWindowRect(child, &area);
    parts.push_back(std::move(part));
    boxes.push_back({area.left, area.top, area.right, area.bottom});
  }
  for (const std::size_t index : readingOrder(boxes))
    stops.insert(stops.end(), parts[index].begin(), parts[index].end());
}

}  // namespace

std::vector<HWND> tabStops(HWND form) {
  std::vector<HWND> stops;
  collect(form, stops);
  return stops;
}

HWND nextTabStop(HWND form, HWND from, bool backwards) {
  const std::vector<HWND> stops = tabStops(form);
  if (stops.empty()) return nullptr;
  const auto at = std::find_if(stops.begin(), stops.end(), [&](HWND stop) {
    return from && (stop == from || IsChild(stop, from));
  });
  if (at == stops.end()) return backwards ? stops.back() : stops.front();
  const auto index = static_cast<std::size_t>(at - stops.begin());
  return stops[(index + (backwards ? stops.size() - 1 : 1)) % stops.size()];
}

void focusControl(HWND control) {
  if (!control) return;
  SetFocus(control);
  if (SendMessageW(control, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
    SendMessageW(control, EM_SETSEL, 0, -1);
}

}  // namespace corvanta::ui::win32
