// Calls into DLLs the program needs only for some actions (the shell, COM,
// the common dialogs) are bound the first time they are made: starting the
// program then does not pay for loading and starting those DLLs.
#pragma once

#include <windows.h>

namespace corvanta {

// The function `name` of `dll`, loading the DLL if need be; null when either
// cannot be found.
template <class Function>
Function* lateBound(const char* dll, const char* name) {
  HMODULE module = GetModuleHandleA(dll);
  if (!module) module = LoadLibraryA(dll);
  if (!module) return nullptr;
  return reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace corvanta
