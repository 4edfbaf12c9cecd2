// The composition root: the Win32 implementations of every port, the window
// system and the skin, wired into the program; then the main window runs
// until the program's last window is closed.
#include <windows.h>

#include <shellapi.h>

#include <exception>
#include <string>
#include <vector>

#include "core/app_info.h"
#include "platform/win32/late_bound.h"
#include "platform/win32/startup_trace.h"
#include "platform/win32/wide_text.h"
#include "shell/command_line.h"
#include "shell/console_dialogs.h"
#include "shell/main_form.h"
#include "shell/win32_program.h"

namespace {

// Where the command line's lines go: the standard output the program was
// given (a file or pipe it was redirected to), else the console of the
// program that started it; nowhere when there is neither.
class ConsoleOutput {
 public:
  ConsoleOutput() {
    out_ = GetStdHandle(STD_OUTPUT_HANDLE);
    if ((out_ == nullptr || out_ == INVALID_HANDLE_VALUE) && AttachConsole(ATTACH_PARENT_PROCESS)) {
      out_ = CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
    }
    DWORD mode = 0;
    console_ = out_ != INVALID_HANDLE_VALUE && out_ != nullptr && GetConsoleMode(out_, &mode);
  }
  void line(const std::string& text) {
    if (out_ == nullptr || out_ == INVALID_HANDLE_VALUE) return;
    const std::string whole = text + "\r\n";
    DWORD written = 0;
    if (console_) {
      // A console shows UTF-16 whatever its code page.
      const std::wstring units = corvanta::wide(whole);
      WriteConsoleW(out_, units.data(), static_cast<DWORD>(units.size()), &written, nullptr);
    } else {
      WriteFile(out_, whole.data(), static_cast<DWORD>(whole.size()), &written, nullptr);
    }
  }

 private:
  HANDLE out_ = nullptr;
  bool console_ = false;
};

// The arguments after the program's name, as Windows splits them. The
// shell's splitter is bound only when there is something after the name, so
// that a start without arguments does not load the shell.
std::vector<std::string> arguments() {
  std::vector<std::string> args;
  const wchar_t* line = GetCommandLineW();
  const wchar_t* rest = line;
  if (*rest == L'"') {
    for (++rest; *rest && *rest != L'"'; ++rest) {
    }
    if (*rest) ++rest;
  } else {
    while (*rest && *rest != L' ' && *rest != L'\t') ++rest;
  }
  while (*rest == L' ' || *rest == L'\t') ++rest;
  if (!*rest) return args;
  const auto split =
      corvanta::lateBound<decltype(CommandLineToArgvW)>(L"shell32.dll", "CommandLineToArgvW");
  int count = 0;
  if (LPWSTR* list = split ? split(line, &count) : nullptr) {
    for (int i = 1; i < count; ++i) args.push_back(corvanta::narrow(list[i]));
    LocalFree(list);
  }
  return args;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  using namespace corvanta;
  tracePhase("winmain");
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
  if (const std::vector<std::string> args = arguments(); !args.empty()) {
    ConsoleOutput console;
    const auto print = [&console](const std::string& text) { console.line(text); };
    try {
      ConsoleDialogs dialogs(print);
      Win32Program program({}, &dialogs);
      return runCommandLine(program.context(), args, print);
    } catch (const std::exception& error) {
      print(std::string("Corvanta stopped: ") + error.what());
      return kExitInternal;
    }
  }
  int exitCode = 0;
  try {
    Win32Program program;
    AppContext& app = program.context();
    MainForm main(app);
    tracePhase("services");
    app.forms.Load(main);
    tracePhase("loaded");
    app.forms.Show(main);
    program.windows().run();
    writeStartupTrace();
  } catch (const std::exception& error) {
    MessageBoxW(nullptr, wide(error.what()).c_str(), wide(kAppTitle).c_str(), MB_ICONERROR | MB_OK);
    exitCode = 1;
  }
  return exitCode;
}
