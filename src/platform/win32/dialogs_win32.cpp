#include "platform/win32/dialogs_win32.h"

#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>

#include <array>
#include <vector>

#include "platform/win32/com_ptr.h"
#include "platform/win32/late_bound.h"

namespace corvanta {
namespace {

// Owned by the active window, so every dialog is modal to the program's
// window.
HWND owner() { return GetActiveWindow(); }

// "a|b|c|d" as the double-zero-terminated list the file dialog takes.
std::vector<char> filterList(const std::string& filter) {
  std::vector<char> list(filter.begin(), filter.end());
  for (char& c : list) {
    if (c == '|') c = '\0';
  }
  list.push_back('\0');
  list.push_back('\0');
  return list;
}

}  // namespace

int Win32Dialogs::messageBox(const std::string& text, const std::string& title,
                             std::uint32_t flags) {
  return MessageBoxA(owner(), text.c_str(), title.c_str(), flags);
}

std::optional<std::string> Win32Dialogs::openFile(const OpenFileRequest& request) {
  std::vector<char> fileName(MAX_PATH * 4, '\0');
  request.fileName.copy(fileName.data(), fileName.size() - 1);
  const std::vector<char> filter = filterList(request.filter);
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner();
  dialog.lpstrFilter = request.filter.empty() ? nullptr : filter.data();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = fileName.data();
  dialog.nMaxFile = static_cast<DWORD>(fileName.size());
  dialog.lpstrInitialDir = request.initialFolder.empty() ? nullptr : request.initialFolder.c_str();
  dialog.lpstrTitle = request.title.empty() ? nullptr : request.title.c_str();
  dialog.Flags =
      OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER;
  static auto* const open =
      lateBound<decltype(GetOpenFileNameA)>("comdlg32.dll", "GetOpenFileNameA");
  const ComApartment apartment;
  if (!open || !open(&dialog)) return std::nullopt;
  return std::string(fileName.data());
}

std::optional<std::uint32_t> Win32Dialogs::chooseColor(std::uint32_t initial) {
  static std::array<COLORREF, 16> customColors{};  // kept for the session, as users expect
  CHOOSECOLORA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner();
  dialog.rgbResult = initial;
  dialog.lpCustColors = customColors.data();
  dialog.Flags = CC_RGBINIT | CC_FULLOPEN;
  static auto* const choose = lateBound<decltype(ChooseColorA)>("comdlg32.dll", "ChooseColorA");
  if (!choose || !choose(&dialog)) return std::nullopt;
  return dialog.rgbResult;
}

std::optional<std::string> Win32Dialogs::browseForFolder(const std::string& title) {
  static auto* const browseFolder =
      lateBound<decltype(SHBrowseForFolderA)>("shell32.dll", "SHBrowseForFolderA");
  static auto* const pathOf =
      lateBound<decltype(SHGetPathFromIDListA)>("shell32.dll", "SHGetPathFromIDListA");
  static auto* const free = lateBound<decltype(CoTaskMemFree)>("ole32.dll", "CoTaskMemFree");
  if (!browseFolder || !pathOf || !free) return std::nullopt;
  const ComApartment apartment;
  char display[MAX_PATH] = {};
  BROWSEINFOA browse{};
  browse.hwndOwner = owner();
  browse.pszDisplayName = display;
  browse.lpszTitle = title.c_str();
  browse.ulFlags = BIF_RETURNONLYFSDIRS;
  LPITEMIDLIST chosen = browseFolder(&browse);
  if (!chosen) return std::nullopt;
  char path[MAX_PATH] = {};
  const BOOL found = pathOf(chosen, path);
  free(chosen);
  if (!found) return std::nullopt;
  std::string folder = path;
  if (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
  return folder;
}

}  // namespace corvanta
