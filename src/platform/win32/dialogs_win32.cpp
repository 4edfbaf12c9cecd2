#include "platform/win32/dialogs_win32.h"

#include <windows.h>

namespace corvanta {

int Win32Dialogs::messageBox(const std::string& text, const std::string& title,
                             std::uint32_t flags) {
  // Owned by the active window, so the box is modal to the program's window.
  return MessageBoxA(GetActiveWindow(), text.c_str(), title.c_str(), flags);
}

}  // namespace corvanta
