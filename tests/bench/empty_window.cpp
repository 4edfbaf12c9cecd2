// The yardstick for start-up time: the smallest Win32 program that shows a
// window, built with the same toolchain and options as the program. Built
// with CORVANTA_EMPTY_THEMED it also carries the program's manifest and
// loads the common controls, as the program does before any code of its own
// runs: the second yardstick shows what the program itself adds. Built with
// CORVANTA_EMPTY_CONTROLS as well, it also carries the controls of the
// program's first page that a user works with (buttons, check boxes, the
// resolution list, the tab strip), made bare with no code of the program's:
// what Wine charges for those windows alone.
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
#ifdef CORVANTA_EMPTY_CONTROLS
  struct Native {
    const wchar_t* windowClass;
    DWORD style;
    RECT at;
  };
  constexpr DWORD kButton = WS_TABSTOP, kCheck = BS_AUTOCHECKBOX | WS_TABSTOP;
  const Native page[] = {
      {L"BUTTON", BS_OWNERDRAW | kButton, {2, 32, 130, 51}},
      {L"BUTTON", BS_OWNERDRAW | kButton, {2, 70, 130, 89}},
      {L"BUTTON", kCheck, {160, 60, 353, 79}},
      {L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, {176, 84, 321, 300}},
      {L"BUTTON", kCheck, {160, 116, 353, 135}},
      {L"BUTTON", kButton, {176, 140, 217, 161}},
      {L"BUTTON", kCheck, {160, 172, 353, 191}},
      {L"BUTTON", kButton, {160, 204, 249, 229}},
      {L"BUTTON", kButton, {256, 204, 353, 229}},
      {L"BUTTON", kButton, {498, 252, 579, 277}},
      {WC_TABCONTROLW, WS_TABSTOP, {150, 20, 600, 300}},
  };
  const HFONT font = CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                                 L"Tahoma");
  for (const Native& native : page) {
    HWND control = CreateWindowExW(0, native.windowClass, L"Caption",
                                   native.style | WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                                   native.at.left, native.at.top, native.at.right - native.at.left,
                                   native.at.bottom - native.at.top, window, nullptr, instance,
                                   nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (native.windowClass[0] == L'C') {
      for (const wchar_t* item : {L"640 x 480", L"800 x 600", L"1024 x 768"})
        SendMessageW(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }
  }
  corvanta::tracePhase("controls");
#endif
  ShowWindow(window, SW_SHOW);
  corvanta::tracePhase("visible");
  UpdateWindow(window);
  corvanta::tracePhase("updated");
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  corvanta::writeStartupTrace();
  return 0;
}
