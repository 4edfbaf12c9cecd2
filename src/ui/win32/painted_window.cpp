#include "ui/win32/painted_window.h"

#include <set>
#include <string>

namespace corvanta::ui::win32 {

PaintedWindow::~PaintedWindow() = default;

void PaintedWindow::createPainted(const wchar_t* windowClass, DWORD exStyle, HWND parent,
                                  const RECT& bounds, const std::string& text, HFONT font) {
  static std::set<std::wstring> registered;
  if (!registered.count(windowClass)) {
    WNDCLASSW window{};
    window.lpfnWndProc = &PaintedWindow::windowProc;
    window.hInstance = GetModuleHandleW(nullptr);
    window.hCursor = LoadCursor(nullptr, IDC_ARROW);
    window.lpszClassName = windowClass;
    if (!RegisterClassW(&window)) return;
    registered.insert(windowClass);
  }
  hwnd_ = createNative(windowClass, 0, exStyle, parent, bounds, text, font);
}

void PaintedWindow::paintBuffered(HDC target) const {
  RECT area{};
  GetClientRect(hwnd_, &area);
  if (area.right <= 0 || area.bottom <= 0) return;
  HDC memory = CreateCompatibleDC(target);
  HBITMAP bitmap = CreateCompatibleBitmap(target, area.right, area.bottom);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  paint(memory, area);
  BitBlt(target, 0, 0, area.right, area.bottom, memory, 0, 0, SRCCOPY);
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
}

LRESULT CALLBACK PaintedWindow::windowProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) noexcept {
  // The control's user data, from the moment it is made until it goes
  // (control_window.cpp); null before and after.
  auto* self = static_cast<PaintedWindow*>(
      reinterpret_cast<ControlWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA)));
  if (LRESULT result = 0; self && self->answer(message, result)) return result;
  switch (message) {
    case WM_SIZE:
      if (self) self->resized(LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the paint covers everything
    case WM_PAINT: {
      PAINTSTRUCT paintStruct;
      HDC dc = BeginPaint(window, &paintStruct);
      if (self) self->paintBuffered(dc);
      EndPaint(window, &paintStruct);
      return 0;
    }
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace corvanta::ui::win32
