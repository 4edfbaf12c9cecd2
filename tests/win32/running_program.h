// The real program started as a user starts it, and its windows as another
// program sees them: texts, classes and visibility of every child.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/wide_text.h"

namespace corvanta::testing {

inline std::string programPath() {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  folder.erase(folder.find_last_of('\\'));  // ...\tests
  folder.erase(folder.find_last_of('\\'));  // the build folder
  return folder + "\\release\\corvanta.exe";
}

// A window's text as UTF-8, read wide so that any alphabet survives, and
// asked of the window itself: GetWindowText does not ask another program's
// edit fields for their contents.
inline std::string textOf(HWND window) {
  wchar_t text[256] = {};
  const auto length = static_cast<std::size_t>(
      SendMessageW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text)));
  return narrow(text, length);
}

struct Found {
  std::string text;
  std::string className;
  HWND window;
  bool visible;
};

inline BOOL CALLBACK collect(HWND window, LPARAM list) {
  char className[64] = {};
  GetClassNameA(window, className, sizeof className);
  reinterpret_cast<std::vector<Found>*>(list)->push_back(
      {textOf(window), className, window, IsWindowVisible(window) != 0});
  return TRUE;
}

inline std::vector<Found> childrenOf(HWND window) {
  std::vector<Found> children;
  EnumChildWindows(window, collect, reinterpret_cast<LPARAM>(&children));
  return children;
}

inline BOOL CALLBACK countMainWindows(HWND window, LPARAM count) {
  char className[64] = {};
  GetClassNameA(window, className, sizeof className);
  if (std::string(className) == "CorvantaForm" && textOf(window) == "Corvanta")
    ++*reinterpret_cast<int*>(count);
  return TRUE;
}

class RunningProgram {
 public:
  explicit RunningProgram(const std::string& program = programPath()) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string command = "\"" + program + "\"";
    started_ = CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                              &startup, &process_);
  }
  ~RunningProgram() {
    if (!started_) return;
    if (HWND window = mainWindow(0)) PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_.hProcess, 10000) != WAIT_OBJECT_0)
      TerminateProcess(process_.hProcess, 1);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
  bool started() const { return started_; }
  HANDLE process() const { return process_.hProcess; }

  // The program's main window once it is showing, or null.
  HWND mainWindow(int waitMilliseconds = 20000) const {
    for (int waited = 0;; waited += 50) {
      HWND window = FindWindowA("CorvantaForm", "Corvanta");
      if (window && IsWindowVisible(window)) return window;
      if (waited >= waitMilliseconds || WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0)
        return nullptr;
      Sleep(50);
    }
  }

 private:
  PROCESS_INFORMATION process_{};
  bool started_ = false;
};

// A caption as it shows: "&x" underlines x, "&&" is one "&".
inline std::string shownText(const std::string& text) {
  std::string shown;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (text[at] == '&' && at + 1 < text.size()) ++at;
    shown += text[at];
  }
  return shown;
}

// The child whose text shows as `text` does, whichever letter each makes its
// access key.
inline HWND childWithText(HWND window, const std::string& text, bool visibleOnly = false) {
  const std::string wanted = shownText(text);
  for (const auto& child : childrenOf(window)) {
    if (shownText(child.text) == wanted && (child.visible || !visibleOnly)) return child.window;
  }
  return nullptr;
}

// Goes to the Start Menu tab as the keyboard would (a right arrow on the
// visible tab strip); its controls are made when it first shows. Returns
// the tab strip, or null when none shows.
inline HWND showStartMenuTab(HWND main) {
  HWND tabs = nullptr;
  for (const auto& child : childrenOf(main)) {
    if (child.className == "SysTabControl32" && IsWindowVisible(child.window)) tabs = child.window;
  }
  if (!tabs) return nullptr;
  SendMessageW(tabs, WM_KEYDOWN, VK_RIGHT, 0);
  SendMessageW(tabs, WM_KEYUP, VK_RIGHT, 0xC0000000);
  return tabs;
}

}  // namespace corvanta::testing
