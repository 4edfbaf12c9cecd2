#include "platform/win32/desktop_win32.h"

#include <windows.h>

#include "platform/win32/picture_win32.h"
#include "platform/win32/wide_text.h"

namespace corvanta {
namespace {

constexpr UINT kStoreAndTell = SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE;

bool setParameter(UINT action, UINT number) {
  int zero = 0;
  return SystemParametersInfoW(action, number, &zero, kStoreAndTell) != FALSE;
}

int CALLBACK collectFamily(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM list) {
  reinterpret_cast<std::vector<std::string>*>(list)->push_back(narrow(font->lfFaceName));
  return 1;
}

}  // namespace

std::uint32_t Win32Desktop::sysColor(int index) { return GetSysColor(index); }

bool Win32Desktop::setSysColor(int index, std::uint32_t color) {
  const COLORREF colors[] = {color};
  return SetSysColors(1, &index, colors) != FALSE;
}

std::optional<bool> Win32Desktop::fontSmoothing() {
  BOOL on = FALSE;
  if (!SystemParametersInfoW(SPI_GETFONTSMOOTHING, 0, &on, 0)) return std::nullopt;
  return on != FALSE;
}

std::optional<int> Win32Desktop::mouseTrails() {
  int trails = 0;
  if (!SystemParametersInfoW(SPI_GETMOUSETRAILS, 0, &trails, 0)) return std::nullopt;
  return trails;
}

int Win32Desktop::doubleClickTime() { return static_cast<int>(GetDoubleClickTime()); }

namespace {

std::optional<int> intParameter(UINT action) {
  int value = 0;
  if (!SystemParametersInfoW(action, 0, &value, 0)) return std::nullopt;
  return value;
}

}  // namespace

std::optional<int> Win32Desktop::mouseSpeed() { return intParameter(SPI_GETMOUSESPEED); }
std::optional<int> Win32Desktop::keyboardSpeed() { return intParameter(SPI_GETKEYBOARDSPEED); }
std::optional<int> Win32Desktop::keyboardDelay() { return intParameter(SPI_GETKEYBOARDDELAY); }
bool Win32Desktop::mouseButtonSwap() { return GetSystemMetrics(SM_SWAPBUTTON) != 0; }

bool Win32Desktop::highContrast() {
  HIGHCONTRASTW contrast{};
  contrast.cbSize = sizeof contrast;
  if (!SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0)) return false;
  return (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

bool Win32Desktop::appsUseDarkTheme() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER,
                    L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize", 0,
                    KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
    return false;
  DWORD light = 1;
  DWORD type = 0;
  DWORD size = sizeof light;
  const LONG status = RegQueryValueExW(key, L"AppsUseLightTheme", nullptr, &type,
                                       reinterpret_cast<BYTE*>(&light), &size);
  RegCloseKey(key);
  return status == ERROR_SUCCESS && type == REG_DWORD && light == 0;
}

std::optional<std::string> Win32Desktop::wallpaper() {
  wchar_t path[MAX_PATH] = {};
  if (!SystemParametersInfoW(SPI_GETDESKWALLPAPER, MAX_PATH, path, 0)) return std::nullopt;
  return narrow(path);
}

bool Win32Desktop::setWallpaper(const std::string& path) {
  std::wstring file = wide(path);
  return SystemParametersInfoW(SPI_SETDESKWALLPAPER, 0, file.data(), kStoreAndTell) != FALSE;
}

bool Win32Desktop::setFontSmoothing(bool on) {
  return setParameter(SPI_SETFONTSMOOTHING, on ? 1 : 0);
}

bool Win32Desktop::setMouseSpeed(int speed) {
  return SystemParametersInfoW(SPI_SETMOUSESPEED, static_cast<UINT>(speed),
                               reinterpret_cast<PVOID>(static_cast<INT_PTR>(speed)),
                               kStoreAndTell) != FALSE;
}

bool Win32Desktop::setKeyboardSpeed(int speed) {
  return setParameter(SPI_SETKEYBOARDSPEED, static_cast<UINT>(speed));
}

bool Win32Desktop::setKeyboardDelay(int delay) {
  return setParameter(SPI_SETKEYBOARDDELAY, static_cast<UINT>(delay));
}

bool Win32Desktop::setMouseButtonSwap(bool swapped) {
  return setParameter(SPI_SETMOUSEBUTTONSWAP, swapped ? static_cast<UINT>(-1) : 0);
}

bool Win32Desktop::setMouseTrails(int trails) {
  return setParameter(SPI_SETMOUSETRAILS, static_cast<UINT>(trails));
}

bool Win32Desktop::setDoubleClickTime(int milliseconds) {
  return SetDoubleClickTime(static_cast<UINT>(milliseconds)) != FALSE;
}

long Win32Desktop::changeResolution(int width, int height) {
  DEVMODEW mode{};
  mode.dmSize = sizeof mode;
  for (DWORD index = 0; EnumDisplaySettingsW(nullptr, index, &mode); ++index) {
  }
  mode.dmSize = sizeof mode;
  mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
  mode.dmPelsWidth = static_cast<DWORD>(width);
  mode.dmPelsHeight = static_cast<DWORD>(height);
  return ChangeDisplaySettingsW(&mode, 0);
}

std::vector<std::string> Win32Desktop::fontFamilies() {
  std::vector<std::string> families;
  LOGFONTW any{};
  any.lfCharSet = DEFAULT_CHARSET;
  HDC screen = GetDC(nullptr);
  EnumFontFamiliesExW(screen, &any, collectFamily, reinterpret_cast<LPARAM>(&families), 0);
  ReleaseDC(nullptr, screen);
  return families;
}

int Win32Desktop::addFontResource(const std::string& path) {
  return AddFontResourceW(wide(path).c_str());
}

bool Win32Desktop::removeFontResource(const std::string& path) {
  return RemoveFontResourceW(wide(path).c_str()) != FALSE;
}

void Win32Desktop::broadcastFontChange() {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(HWND_BROADCAST, WM_FONTCHANGE, 0, 0, SMTO_ABORTIFHUNG, 1000, &result);
}

long Win32Desktop::convertToBitmap(const std::string& source, const std::string& target) {
  int width = 0, height = 0;
  HBITMAP picture = decodePicture(source, width, height);
  if (!picture) return ERROR_INVALID_DATA;
  const long status = saveBitmapFile(picture, target);
  DeleteObject(picture);
  return status;
}

}  // namespace corvanta
