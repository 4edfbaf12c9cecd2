#include "platform/win32/shortcut_win32.h"

#include <windows.h>
#include <shlobj.h>

#include <cwchar>
#include <string>

#include "platform/win32/com_ptr.h"
#include "platform/win32/late_bound.h"
#include "platform/win32/wide_text.h"

namespace corvanta {
namespace {

struct Link {
  ComPtr<IShellLinkW> link;
  ComPtr<IPersistFile> file;
};

HRESULT createLink(Link& out) {
  static auto* const createInstance =
      lateBound<decltype(CoCreateInstance)>(L"ole32.dll", "CoCreateInstance");
  if (!createInstance) return kEFail;
  HRESULT result = createInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  out.link.put());
  if (SUCCEEDED(result)) result = out.link->QueryInterface(IID_IPersistFile, out.file.put());
  return result;
}

// The link's target by its item list into `path` (MAX_PATH); false when the
// link has none or it names nothing in the file system (a shell folder).
bool pathFromItemList(IShellLinkW& link, wchar_t* path) {
  static auto* const pathOf =
      lateBound<decltype(SHGetPathFromIDListW)>(L"shell32.dll", "SHGetPathFromIDListW");
  static auto* const free = lateBound<decltype(CoTaskMemFree)>(L"ole32.dll", "CoTaskMemFree");
  PIDLIST_ABSOLUTE items = nullptr;
  if (!pathOf || !free || FAILED(link.GetIDList(&items)) || !items) return false;
  wchar_t whole[MAX_PATH] = {};
  const bool found = pathOf(items, whole) && whole[0] != L'\0';
  if (found) std::wcscpy(path, whole);
  free(items);
  return found;
}

}  // namespace

std::int32_t Win32Shortcuts::loadShortcutTarget(const std::string& path, std::string& target) {
  const ComApartment apartment;
  Link link;
  HRESULT result = createLink(link);
  if (SUCCEEDED(result)) result = link.file->Load(wide(path).c_str(), STGM_READ);
  if (FAILED(result)) return result;
  // The item list holds the target's name whole. GetPath answers from the
  // link's ANSI path, where a letter the code page lacks has become "?" or
  // its best fit ("Łódź.txt" reads "Lódz.txt"), so a healthy target would
  // look missing: it is asked only of a link without an item list.
  wchar_t buffer[MAX_PATH] = {};
  if (!pathFromItemList(*link.link.get(), buffer)) {
    result = link.link->GetPath(buffer, MAX_PATH, nullptr, 0);
    // S_FALSE for a link to something that has no path (a shell folder):
    // the target is then empty, which is what it is.
    if (FAILED(result)) return result;
  }
  target = narrow(buffer);
  return S_OK;
}

std::int32_t Win32Shortcuts::saveShortcut(const std::string& path, const std::string& target) {
  const ComApartment apartment;
  Link link;
  HRESULT result = createLink(link);
  if (SUCCEEDED(result)) result = link.link->SetPath(wide(target).c_str());
  if (SUCCEEDED(result)) result = link.file->Save(wide(path).c_str(), TRUE);
  return SUCCEEDED(result) ? S_OK : result;
}

}  // namespace corvanta
