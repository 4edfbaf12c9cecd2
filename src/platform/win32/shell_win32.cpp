#include "platform/win32/shell_win32.h"

#include <windows.h>
#include <shellapi.h>

namespace corvanta {

std::intptr_t Win32Shell::shellExecute(std::uintptr_t owner, const std::string& file,
                                       const std::string& parameters, const std::string& folder,
                                       int showCommand) {
  const HINSTANCE result = ShellExecuteA(reinterpret_cast<HWND>(owner), nullptr, file.c_str(),
                                         parameters.empty() ? nullptr : parameters.c_str(),
                                         folder.empty() ? nullptr : folder.c_str(), showCommand);
  return reinterpret_cast<std::intptr_t>(result);
}

}  // namespace corvanta
