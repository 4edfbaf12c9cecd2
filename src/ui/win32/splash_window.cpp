#include "ui/win32/splash_window.h"

#include "platform/win32/wide_text.h"

namespace corvanta::ui::win32 {
namespace {

constexpr UINT_PTR kWatchTimer = 1;
constexpr const wchar_t* kSplashClass = L"CorvantaSplash";

struct WindowSearch {
  HWND splash;
  bool found;
};

BOOL CALLBACK noteShowingWindow(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<WindowSearch*>(data);
  if (window != search.splash && IsWindowVisible(window) && !GetWindow(window, GW_OWNER)) {
    search.found = true;
  }
  return !search.found;
}

// True when a window of this thread other than `splash` is showing.
bool anotherWindowShowing(HWND splash) {
  WindowSearch search{splash, false};
  EnumThreadWindows(GetCurrentThreadId(), noteShowingWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

SplashWindow::~SplashWindow() { close(); }

void SplashWindow::ShowSplashFile(const std::string& path) {
  if (hwnd_) return;
  picture_ =
      static_cast<HBITMAP>(LoadImageW(nullptr, wide(path).c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
  if (!picture_) return;
  BITMAP info{};
  GetObjectW(picture_, sizeof info, &info);
  size_ = {info.bmWidth, info.bmHeight};

  static const ATOM registered = [] {
    WNDCLASSW window{};
    window.lpfnWndProc = &SplashWindow::windowProc;
    window.hInstance = GetModuleHandleW(nullptr);
    window.hCursor = LoadCursor(nullptr, IDC_APPSTARTING);
    window.lpszClassName = kSplashClass;
    return RegisterClassW(&window);
  }();
  if (!registered) return;
  const int left = (GetSystemMetrics(SM_CXSCREEN) - size_.cx) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - size_.cy) / 2;
  hwnd_ = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kSplashClass, L"Corvanta",
                          WS_POPUP | WS_BORDER, left, top, size_.cx + 2, size_.cy + 2, nullptr,
                          nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!hwnd_) return;
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
  UpdateWindow(hwnd_);
  SetTimer(hwnd_, kWatchTimer, 50, nullptr);
}

void SplashWindow::SplashStep(int step) {
  step_ = step;
  if (hwnd_) {
    InvalidateRect(hwnd_, nullptr, FALSE);
    UpdateWindow(hwnd_);
  }
}

void SplashWindow::paint(HDC dc) {
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(source, picture_);
  BitBlt(dc, 0, 0, size_.cx, size_.cy, source, 0, 0, SRCCOPY);
  SelectObject(source, old);
  DeleteDC(source);
  // A thin progress line along the bottom: one tenth per step.
  RECT line{0, size_.cy - 3, size_.cx * (step_ + 1) / 10, size_.cy};
  HBRUSH fill = CreateSolidBrush(RGB(0xCF, 0xE0, 0xF2));
  FillRect(dc, &line, fill);
  DeleteObject(fill);
}

void SplashWindow::close() {
  if (hwnd_) {
    KillTimer(hwnd_, kWatchTimer);
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
    hwnd_ = nullptr;
  }
  if (picture_) {
    DeleteObject(picture_);
    picture_ = nullptr;
  }
}

LRESULT CALLBACK SplashWindow::windowProc(HWND window, UINT message, WPARAM wParam,
                                          LPARAM lParam) noexcept {
  auto* self = reinterpret_cast<SplashWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      self->paint(dc);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_TIMER:
      if (anotherWindowShowing(window)) self->close();
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace corvanta::ui::win32
