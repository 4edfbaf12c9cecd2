// The yardstick for start-up time: the smallest Win32 program that shows a
// window, built with the same toolchain and options as the program.
#include <windows.h>

namespace {

LRESULT CALLBACK emptyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = emptyProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = "CorvantaEmpty";
  RegisterClassA(&windowClass);
  HWND window = CreateWindowExA(0, "CorvantaEmpty", "Empty", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, 620, 426, nullptr, nullptr, instance, nullptr);
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  return 0;
}
