#include "platform/win32/dialogs_win32.h"

#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>

#include <array>
#include <cwchar>
#include <vector>

#include "platform/win32/com_ptr.h"
#include "platform/win32/late_bound.h"
#include "platform/win32/wide_text.h"

namespace corvanta {
namespace {

// Owned by the active window, so every dialog is modal to the program's
// window.
HWND owner() { return GetActiveWindow(); }

// "a|b|c|d" as the double-zero-terminated list the file dialog takes.
std::wstring filterList(const std::string& filter) {
  std::wstring list = wide(filter);
  for (wchar_t& c : list) {
    if (c == L'|') c = L'\0';
  }
  list.push_back(L'\0');  // the string's own terminator is the second
  return list;
}

}  // namespace

int Win32Dialogs::messageBox(const std::string& text, const std::string& title,
                             std::uint32_t flags) {
  return MessageBoxW(owner(), wide(text).c_str(), wide(title).c_str(), flags);
}

std::optional<std::string> Win32Dialogs::openFile(const OpenFileRequest& request) {
  std::vector<wchar_t> fileName(MAX_PATH * 4, L'\0');
  wide(request.fileName).copy(fileName.data(), fileName.size() - 1);
  const std::wstring filter = filterList(request.filter);
  const std::wstring initialFolder = wide(request.initialFolder), title = wide(request.title);
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner();
  dialog.lpstrFilter = request.filter.empty() ? nullptr : filter.data();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = fileName.data();
  dialog.nMaxFile = static_cast<DWORD>(fileName.size());
  dialog.lpstrInitialDir = request.initialFolder.empty() ? nullptr : initialFolder.c_str();
  dialog.lpstrTitle = request.title.empty() ? nullptr : title.c_str();
  dialog.Flags =
      OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER;
  static auto* const open =
      lateBound<decltype(GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW");
  const ComApartment apartment;
  if (!open || !open(&dialog)) return std::nullopt;
  return narrow(fileName.data(), std::wcslen(fileName.data()));
}

std::optional<std::uint32_t> Win32Dialogs::chooseColor(std::uint32_t initial) {
  static std::array<COLORREF, 16> customColors{};  // kept for the session, as users expect
  CHOOSECOLORW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner();
  dialog.rgbResult = initial;
  dialog.lpCustColors = customColors.data();
  dialog.Flags = CC_RGBINIT | CC_FULLOPEN;
  static auto* const choose = lateBound<decltype(ChooseColorW)>(L"comdlg32.dll", "ChooseColorW");
  if (!choose || !choose(&dialog)) return std::nullopt;
  return dialog.rgbResult;
}

std::optional<std::string> Win32Dialogs::browseForFolder(const std::string& title) {
  static auto* const browseFolder =
      lateBound<decltype(SHBrowseForFolderW)>(L"shell32.dll", "SHBrowseForFolderW");
  static auto* const pathOf =
      lateBound<decltype(SHGetPathFromIDListW)>(L"shell32.dll", "SHGetPathFromIDListW");
  static auto* const free = lateBound<decltype(CoTaskMemFree)>(L"ole32.dll", "CoTaskMemFree");
  if (!browseFolder || !pathOf || !free) return std::nullopt;
  const ComApartment apartment;
  wchar_t display[MAX_PATH] = {};
  const std::wstring caption = wide(title);
  BROWSEINFOW browse{};
  browse.hwndOwner = owner();
  browse.pszDisplayName = display;
  browse.lpszTitle = caption.c_str();
  browse.ulFlags = BIF_RETURNONLYFSDIRS;
  LPITEMIDLIST chosen = browseFolder(&browse);
  if (!chosen) return std::nullopt;
  wchar_t path[MAX_PATH] = {};
  const BOOL found = pathOf(chosen, path);
  free(chosen);
  if (!found) return std::nullopt;
  std::string folder = narrow(path);
  if (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
  return folder;
}

}  // namespace corvanta
