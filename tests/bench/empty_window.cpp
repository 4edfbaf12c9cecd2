// The yardstick for start-up time: the smallest Win32 program that shows a
// window, built with the same toolchain and options as the program. Built
// with CORVANTA_EMPTY_THEMED it also carries the program's manifest and
// loads the common controls, as the program does before any code of its own
// runs: the second yardstick shows what the program itself adds.
#include <windows.h>
#ifdef CORVANTA_EMPTY_THEMED
#include <commctrl.h>
#endif

#include "platform/win32/startup_trace.h"

namespace {

LRESULT CALLBACK emptyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  if (message == WM_PAINT) {
    static bool painted = false;
    if (!painted) corvanta::tracePhase("first paint");
    painted = true;
  }
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  corvanta::tracePhase("winmain");
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
  corvanta::tracePhase("created");
  ShowWindow(window, SW_SHOW);
  corvanta::tracePhase("visible");
  UpdateWindow(window);
  corvanta::tracePhase("updated");
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  corvanta::writeStartupTrace();
  return 0;
}
