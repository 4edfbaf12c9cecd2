// The yardstick for start-up time: the smallest Win32 program that shows a
// window, built with the same toolchain and options as the program. Built
// with CORVANTA_EMPTY_THEMED it also carries the program's manifest and
// loads the common controls, as the program does before any code of its own
// runs: the second yardstick shows what the program itself adds.
#include <windows.h>
#ifdef CORVANTA_EMPTY_THEMED
#include <commctrl.h>
#endif

namespace {

LRESULT CALLBACK emptyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
#ifdef CORVANTA_EMPTY_THEMED
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
#endif
  // Wide, as the program's windows are.
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = emptyProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = L"CorvantaEmpty";
  RegisterClassW(&windowClass);
  HWND window = CreateWindowExW(0, L"CorvantaEmpty", L"Empty", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, 620, 426, nullptr, nullptr, instance, nullptr);
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}
