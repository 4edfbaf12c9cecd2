// The composition root: the Win32 implementations of every port, the window
// system and the skin, wired into the program; then the main window runs
// until the program's last window is closed.
#include <windows.h>

#include <exception>
#include <string>

#include "core/app_info.h"
#include "platform/win32/wide_text.h"
#include "shell/main_form.h"
#include "shell/win32_program.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  using namespace corvanta;
  // First of all: every DLL loaded from here on comes from System32, never
  // from the program's own folder, where anyone may have put a file of the
  // same name. (Windows 7 without its 2011 update lacks the call; there the
  // late-bound DLLs are loaded by full path.)
  using SetDirectories = BOOL WINAPI(DWORD);
  if (auto* setDirectories = reinterpret_cast<SetDirectories*>(reinterpret_cast<void*>(
          GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")))) {
    setDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  }
  // No COM here: the few calls that use it join an apartment for their own
  // scope, so starting the program does not load it.
  int exitCode = 0;
  try {
    Win32Program program;
    AppContext& app = program.context();
    MainForm main(app);
    app.forms.Show(main);
    program.windows().run();
  } catch (const std::exception& error) {
    MessageBoxW(nullptr, wide(error.what()).c_str(), wide(kAppTitle).c_str(), MB_ICONERROR | MB_OK);
    exitCode = 1;
  }
  return exitCode;
}
