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

long Win32Files::findFiles(const std::string& pattern, std::vector<FileEntry>& found) {
  WIN32_FIND_DATAA entry;
  const HANDLE search = FindFirstFileA(pattern.c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return static_cast<long>(GetLastError());
  std::vector<FileEntry> entries;
  do {
    const std::string name = entry.cFileName;
    if (name != "." && name != "..") entries.push_back({name, entry.dwFileAttributes});
  } while (FindNextFileA(search, &entry));
  const DWORD ended = GetLastError();
  FindClose(search);
  if (ended != ERROR_NO_MORE_FILES) return static_cast<long>(ended);
  if (entries.empty()) return ERROR_FILE_NOT_FOUND;
  found = std::move(entries);
  return ERROR_SUCCESS;
}

long Win32Files::createDirectory(const std::string& path) {
  return CreateDirectoryA(path.c_str(), nullptr) ? ERROR_SUCCESS : static_cast<long>(GetLastError());
}

long Win32Files::removeDirectory(const std::string& path) {
  return RemoveDirectoryA(path.c_str()) ? ERROR_SUCCESS : static_cast<long>(GetLastError());
}

}  // namespace corvanta
