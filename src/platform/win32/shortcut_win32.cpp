#include "platform/win32/shortcut_win32.h"

#include <windows.h>
#include <shlobj.h>

#include <string>

#include "platform/win32/com_ptr.h"
#include "platform/win32/late_bound.h"

namespace corvanta {
namespace {

// IPersistFile speaks UTF-16; our paths are in the ANSI code page.
std::wstring widen(const std::string& text) {
  const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 1), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length);
  wide.resize(wide.size() - 1);
  return wide;
}

struct Link {
  ComPtr<IShellLinkA> link;
  ComPtr<IPersistFile> file;
};

HRESULT createLink(Link& out) {
  static auto* const createInstance =
      lateBound<decltype(CoCreateInstance)>("ole32.dll", "CoCreateInstance");
  if (!createInstance) return kEFail;
  HRESULT result = createInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                  out.link.put());
  if (SUCCEEDED(result)) result = out.link->QueryInterface(IID_IPersistFile, out.file.put());
  return result;
}

}  // namespace

std::int32_t Win32Shortcuts::loadShortcutTarget(const std::string& path, std::string& target) {
  const ComApartment apartment;
  Link link;
  HRESULT result = createLink(link);
  if (SUCCEEDED(result)) result = link.file->Load(widen(path).c_str(), STGM_READ);
  char buffer[MAX_PATH] = {};
  if (SUCCEEDED(result)) result = link.link->GetPath(buffer, MAX_PATH, nullptr, 0);
  // GetPath answers S_FALSE for a link to something that has no path (a
  // shell folder): the target is then empty, which is what it is.
  if (SUCCEEDED(result)) {
    target = buffer;
    return S_OK;
  }
  return result;
}

std::int32_t Win32Shortcuts::saveShortcut(const std::string& path, const std::string& target) {
  const ComApartment apartment;
  Link link;
  HRESULT result = createLink(link);
  if (SUCCEEDED(result)) result = link.link->SetPath(target.c_str());
  if (SUCCEEDED(result)) result = link.file->Save(widen(path).c_str(), TRUE);
  return SUCCEEDED(result) ? S_OK : result;
}

}  // namespace corvanta
