#include "platform/win32/file_win32.h"

#include <windows.h>

#include "platform/win32/win32_handles.h"

namespace corvanta {

long Win32Files::appendToFile(const std::string& path, const std::string& bytes) {
  // FILE_APPEND_DATA alone makes every write land at the end, whoever else
  // has the file open.
  const UniqueFileHandle file(CreateFileA(path.c_str(), FILE_APPEND_DATA,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return static_cast<long>(GetLastError());
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD written = 0;
    if (!WriteFile(file.get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done),
                   &written, nullptr)) {
      return static_cast<long>(GetLastError());
    }
    done += written;
  }
  return ERROR_SUCCESS;
}

}  // namespace corvanta
