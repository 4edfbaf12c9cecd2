#include "platform/win32/file_win32.h"

#include <windows.h>

#include <string_view>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_handles.h"

namespace corvanta {
namespace {

// A 32-bit program on 64-bit Windows is shown SysWOW64 where a path names
// System32 (and the like) unless it asks otherwise. Each call of this port
// asks, for its own length only, so that the file a call tests, copies or
// deletes is the file the path names. Nothing loads a DLL meanwhile.
class RealFileSystem {
 public:
  RealFileSystem() {
#if !defined(_WIN64)
    static const auto disable = bind<BOOL WINAPI(PVOID*)>("Wow64DisableWow64FsRedirection");
    active_ = disable && disable(&previous_);
#endif
  }
  ~RealFileSystem() {
#if !defined(_WIN64)
    static const auto revert = bind<BOOL WINAPI(PVOID)>("Wow64RevertWow64FsRedirection");
    if (active_ && revert) revert(previous_);
#endif
  }
  RealFileSystem(const RealFileSystem&) = delete;
  RealFileSystem& operator=(const RealFileSystem&) = delete;

 private:
  template <class Function>
  static Function* bind(const char* name) {
    return reinterpret_cast<Function*>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), name)));
  }
  PVOID previous_ = nullptr;
  bool active_ = false;
};

long lastError() { return static_cast<long>(GetLastError()); }

long writeAll(HANDLE file, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD written = 0;
    if (!WriteFile(file, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &written,
                   nullptr)) {
      return lastError();
    }
    done += written;
  }
  return ERROR_SUCCESS;
}

// The lock is a one-byte range far past any data, so that it keeps out
// only the other holders' appends, never a reader.
class Win32SharedFile final : public SharedFile {
 public:
  Win32SharedFile(UniqueFileHandle file, std::wstring path)
      : file_(std::move(file)), path_(std::move(path)) {}
  long lock() override {
    // Another process's append holds it for microseconds: wait for it, but
    // not for ever.
    constexpr DWORD kPatienceMs = 5000;
    constexpr DWORD kPauseMs = 5;
    for (DWORD waited = 0;; waited += kPauseMs) {
      OVERLAPPED range = lockRange();
      if (LockFileEx(file_.get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                     &range))
        return ERROR_SUCCESS;
      const DWORD error = GetLastError();
      if (error != ERROR_LOCK_VIOLATION || waited >= kPatienceMs) return static_cast<long>(error);
      Sleep(kPauseMs);
    }
  }
  void unlock() override {
    OVERLAPPED range = lockRange();
    UnlockFileEx(file_.get(), 0, 1, 0, &range);
  }
  std::uint64_t size() override {
    LARGE_INTEGER size{};
    return GetFileSizeEx(file_.get(), &size) ? static_cast<std::uint64_t>(size.QuadPart) : 0;
  }
  long readAt(std::uint64_t offset, std::size_t count, std::string& bytes) override {
    std::string read(count, '\0');
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    DWORD got = 0;
    if (!ReadFile(file_.get(), read.data(), static_cast<DWORD>(count), &got, &at) &&
        GetLastError() != ERROR_HANDLE_EOF)
      return lastError();
    read.resize(got);
    bytes = std::move(read);
    return ERROR_SUCCESS;
  }
  // Opened to append only: every write lands at the end, wherever another
  // holder left it.
  long append(const std::string& bytes) override { return writeAll(file_.get(), bytes); }
  // Through a handle of its own that writes where it is told: this one
  // appends only.
  long rewrite(const std::string& bytes) override {
    const UniqueFileHandle file(CreateFileW(path_.c_str(), GENERIC_WRITE,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return lastError();
    long status = writeAll(file.get(), bytes);
    if (status == ERROR_SUCCESS && (!SetEndOfFile(file.get()) || !FlushFileBuffers(file.get())))
      status = lastError();
    return status;
  }

 private:
  static OVERLAPPED lockRange() {
    OVERLAPPED range{};
    range.OffsetHigh = 0x7FFFFFFF;
    return range;
  }
  UniqueFileHandle file_;
  std::wstring path_;
};

}  // namespace

long Win32Files::openShared(const std::string& path, std::unique_ptr<SharedFile>& file) {
  const RealFileSystem real;
  UniqueFileHandle opened(CreateFileW(wide(path).c_str(), GENERIC_READ | FILE_APPEND_DATA,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!opened.valid()) return lastError();
  file = std::make_unique<Win32SharedFile>(std::move(opened), wide(path));
  return ERROR_SUCCESS;
}

long Win32Files::replaceFile(const std::string& path, const std::string& bytes) {
  const RealFileSystem real;
  const std::wstring target = wide(path);
  const std::wstring beside = target + L"." + std::to_wstring(GetCurrentProcessId()) + L".new";
  long status = ERROR_SUCCESS;
  {
    const UniqueFileHandle file(CreateFileW(beside.c_str(), GENERIC_WRITE, 0, nullptr,
                                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return lastError();
    status = writeAll(file.get(), bytes);
    if (status == ERROR_SUCCESS && !FlushFileBuffers(file.get())) status = lastError();
  }
  if (status == ERROR_SUCCESS && !MoveFileExW(beside.c_str(), target.c_str(),
                                              MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    status = lastError();
  if (status != ERROR_SUCCESS) DeleteFileW(beside.c_str());
  return status;
}

long Win32Files::appendToFile(const std::string& path, const std::string& bytes) {
  // FILE_APPEND_DATA alone makes every write land at the end, whoever else
  // has the file open.
  const RealFileSystem real;
  const UniqueFileHandle file(CreateFileW(wide(path).c_str(), FILE_APPEND_DATA,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return lastError();
  return writeAll(file.get(), bytes);
}

long Win32Files::readFile(const std::string& path, std::string& bytes) {
  const RealFileSystem real;
  // Shared for writing too: a reader must not keep the journal's appends out.
  const UniqueFileHandle file(CreateFileW(wide(path).c_str(), GENERIC_READ,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return lastError();
  std::string content;
  char chunk[65536];
  DWORD read = 0;
  for (;;) {
    if (!ReadFile(file.get(), chunk, sizeof chunk, &read, nullptr)) return lastError();
    if (read == 0) break;
    content.append(chunk, read);
  }
  bytes = std::move(content);
  return ERROR_SUCCESS;
}

long Win32Files::createNewFile(const std::string& path, const std::string& bytes) {
  const RealFileSystem real;
  const UniqueFileHandle file(CreateFileW(wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return lastError();
  return writeAll(file.get(), bytes);
}

long Win32Files::findFiles(const std::string& pattern, std::vector<FileEntry>& found) {
  const RealFileSystem real;
  WIN32_FIND_DATAW entry;
  const HANDLE search = FindFirstFileW(wide(pattern).c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return lastError();
  std::vector<FileEntry> entries;
  do {
    const std::wstring_view name = entry.cFileName;
    if (name != L"." && name != L"..")
      entries.push_back(
          {narrow(name), entry.dwFileAttributes,
           static_cast<std::uint64_t>(entry.nFileSizeHigh) << 32 | entry.nFileSizeLow});
  } while (FindNextFileW(search, &entry));
  const DWORD ended = GetLastError();
  FindClose(search);
  if (ended != ERROR_NO_MORE_FILES) return static_cast<long>(ended);
  if (entries.empty()) return ERROR_FILE_NOT_FOUND;
  found = std::move(entries);
  return ERROR_SUCCESS;
}

long Win32Files::anyMatch(const std::string& pattern) {
  const RealFileSystem real;
  // One path (no wildcard, not a folder's entries, not "." or ".."): its
  // attributes tell, in one call where a search takes three. A check asks
  // this of every path it judges.
  const std::size_t name = pattern.find_last_of('\\') + 1;
  const std::string_view last = std::string_view(pattern).substr(name);
  if (pattern.find_first_of("*?") == std::string::npos && !last.empty() && last != "." &&
      last != "..") {
    return GetFileAttributesW(wide(pattern).c_str()) != INVALID_FILE_ATTRIBUTES ? ERROR_SUCCESS
                                                                                : lastError();
  }
  WIN32_FIND_DATAW entry;
  const HANDLE search = FindFirstFileW(wide(pattern).c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return lastError();
  long status = ERROR_SUCCESS;
  // A folder's own "." and ".." are not entries of it.
  while (std::wstring_view(entry.cFileName) == L"." ||
         std::wstring_view(entry.cFileName) == L"..") {
    if (!FindNextFileW(search, &entry)) {
      const DWORD ended = GetLastError();
      status = ended == ERROR_NO_MORE_FILES ? ERROR_FILE_NOT_FOUND : static_cast<long>(ended);
      break;
    }
  }
  FindClose(search);
  return status;
}

long Win32Files::createDirectory(const std::string& path) {
  const RealFileSystem real;
  return CreateDirectoryW(wide(path).c_str(), nullptr) ? ERROR_SUCCESS : lastError();
}

long Win32Files::removeDirectory(const std::string& path) {
  const RealFileSystem real;
  return RemoveDirectoryW(wide(path).c_str()) ? ERROR_SUCCESS : lastError();
}

long Win32Files::setFileAttributes(const std::string& path, std::uint32_t attributes) {
  const RealFileSystem real;
  return SetFileAttributesW(wide(path).c_str(), attributes) ? ERROR_SUCCESS : lastError();
}

long Win32Files::deleteFile(const std::string& path) {
  const RealFileSystem real;
  return DeleteFileW(wide(path).c_str()) ? ERROR_SUCCESS : lastError();
}

long Win32Files::moveFile(const std::string& from, const std::string& to) {
  const RealFileSystem real;
  return MoveFileExW(wide(from).c_str(), wide(to).c_str(), MOVEFILE_WRITE_THROUGH) ? ERROR_SUCCESS
                                                                                   : lastError();
}

long Win32Files::copyFile(const std::string& from, const std::string& to, bool failIfExists) {
  const RealFileSystem real;
  return CopyFileW(wide(from).c_str(), wide(to).c_str(), failIfExists) ? ERROR_SUCCESS
                                                                       : lastError();
}

}  // namespace corvanta
