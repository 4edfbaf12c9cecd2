// What a control answers a screen reader that asks for it (WM_GETOBJECT):
// the accessible object Windows makes for a control of its kind, with the
// name, value, role and state the form model gives it (ui/accessibility.h).
#pragma once

#include <windows.h>

namespace corvanta::ui::win32 {

class ControlWindow;

// The answer to WM_GETOBJECT for the control's client object; 0 to leave
// the asking to Windows.
LRESULT answerAccessibleObject(const ControlWindow& control, WPARAM wParam);

// Tells screen readers the control's value or state changed.
void announceValueChange(HWND control);
void announceStateChange(HWND control);

}  // namespace corvanta::ui::win32
