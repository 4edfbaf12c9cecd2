// Where Tab takes the focus in a form window: through every control that
// takes it (shown, enabled, a tab stop), frames included, in the order a
// reader takes them (ui/reading_order.h), whatever order the windows were
// made and are stacked in.
#pragma once

#include <windows.h>

#include <vector>

namespace corvanta::ui::win32 {

std::vector<HWND> tabStops(HWND form);
// The stop after (or before) the one that is or holds `from`; the first (or
// last) when `from` is none of them. Null when the window has no stop.
HWND nextTabStop(HWND form, HWND from, bool backwards);
// Gives `control` the focus as Tab does: a text field's text is selected.
void focusControl(HWND control);

}  // namespace corvanta::ui::win32
