// Calls into DLLs the program needs only for some actions (the shell, COM,
// the common dialogs) are bound the first time they are made: starting the
// program then does not pay for loading and starting those DLLs.
//
// Such a DLL is only ever taken from the system folder: searched for by
// name, a file of that name beside the program (in a Downloads folder, say)
// would be loaded into it, and into the elevated instance too.
#pragma once

#include <windows.h>

#include <string>

namespace corvanta {

// A system DLL from System32, never from the program's folder or the path.
inline HMODULE loadSystemLibrary(const wchar_t* dll) {
  if (HMODULE module = LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) return module;
  if (GetLastError() != ERROR_INVALID_PARAMETER) return nullptr;
  // A Windows that does not know the flag (7 without its 2011 update): the
  // full path then.
  wchar_t system[MAX_PATH];
  const UINT length = GetSystemDirectoryW(system, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  return LoadLibraryW((std::wstring(system, length) + L'\\' + dll).c_str());
}

// The function `name` of `dll`, loading the DLL if need be; null when either
// cannot be found.
template <class Function>
Function* lateBound(const wchar_t* dll, const char* name) {
  HMODULE module = GetModuleHandleW(dll);
  if (!module) module = loadSystemLibrary(dll);
  if (!module) return nullptr;
  return reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace corvanta
