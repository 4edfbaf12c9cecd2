#include "ui/win32/skin_engine.h"

#include <commctrl.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

#include "base/text.h"
#include "platform/win32/late_bound.h"
#include "platform/win32/wide_text.h"
#include "ui/win32/control_window.h"
#include "ui/win32/hand_drawn.h"

namespace corvanta::ui::win32 {
namespace {

// In pixels at 96 dots per inch, scaled to the window's.
constexpr int kBandHeight = 24;
constexpr int kElementWidth = 56;  // at least; wider for a longer caption
constexpr int kElementHeight = 18;
constexpr int kElementGap = 4;
constexpr int kBandMargin = 6;
constexpr const wchar_t* kBandElements[] = {L"Changes", L"About", L"help"};
// The band's buttons' identifiers: none of a form's controls has one of them.
constexpr int kBandFirstId = 10;
// DWMWA_USE_IMMERSIVE_DARK_MODE, and the number Windows 10 knew it by
// before its 2020 update (20H1).
constexpr DWORD kDarkTitleBar = 20;
constexpr DWORD kDarkTitleBarBefore20H1 = 19;

using DwmSetWindowAttributeCall = HRESULT WINAPI(HWND, DWORD, LPCVOID, DWORD);
using SetWindowThemeCall = HRESULT WINAPI(HWND, LPCWSTR, LPCWSTR);

bool isClass(HWND window, const wchar_t* name) {
  wchar_t kind[32] = {};
  GetClassNameW(window, kind, 32);
  return lstrcmpiW(kind, name) == 0;
}

bool isGroupBox(HWND window) {
  return isClass(window, L"Button") &&
         (GetWindowLongW(window, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

// Check boxes and option buttons draw their caption in the visual style's
// colour, whatever colour WM_CTLCOLORSTATIC gives: dark text on the dark
// skin's back. Drawn without the style, they take the skin's.
bool captionIgnoresTextColor(HWND window) {
  if (!isClass(window, L"Button")) return false;
  switch (GetWindowLongW(window, GWL_STYLE) & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      return true;
    default:
      return false;
  }
}

void drawWithVisualStyle(HWND window, bool styled) {
  static auto* const setTheme = lateBound<SetWindowThemeCall>(L"uxtheme.dll", "SetWindowTheme");
  if (!setTheme) return;
  // A class list naming no class: no style (Wine reads an empty one as
  // "the default"); none: the style the program has.
  if (styled)
    setTheme(window, nullptr, nullptr);
  else
    setTheme(window, L" ", L" ");
  // Said again: Wine does not tell the control its style changed, and a
  // control reads its style only when told.
  SendMessageW(window, WM_THEMECHANGED, 0, 0);
}

// "...\\winaquas.skn" -> "...\\winaquas-dark.skn".
std::string darkVariant(const std::string& path) {
  const std::size_t name = path.find_last_of("\\/");
  const std::size_t dot = path.rfind('.');
  if (dot == std::string::npos || (name != std::string::npos && dot < name)) return path + "-dark";
  return path.substr(0, dot) + "-dark" + path.substr(dot);
}

BOOL CALLBACK collectChild(HWND child, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
  return TRUE;
}

// Whether two fonts would draw alike (face, size, weight, slant).
bool sameFont(HFONT a, HFONT b) {
  if (a == b) return true;
  if (!a || !b) return false;
  LOGFONTW first{};
  LOGFONTW second{};
  GetObjectW(a, sizeof first, &first);
  GetObjectW(b, sizeof second, &second);
  return first.lfHeight == second.lfHeight && first.lfWeight == second.lfWeight &&
         first.lfItalic == second.lfItalic && lstrcmpiW(first.lfFaceName, second.lfFaceName) == 0;
}

// How wide the text draws in `font` (the system's when null), "&" prefixes
// as a button draws them.
int textWidth(const std::wstring& text, HFONT font) {
  HDC screen = GetDC(nullptr);
  HGDIOBJ previous = SelectObject(screen, font ? font : GetStockObject(SYSTEM_FONT));
  RECT extent{};
  DrawTextW(screen, text.c_str(), -1, &extent, DT_CALCRECT | DT_SINGLELINE);
  SelectObject(screen, previous);
  ReleaseDC(nullptr, screen);
  return extent.right;
}

COLORREF colorRef(Rgb rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

Rgb shade(Rgb rgb, int percent) {
  const auto part = [&](int shift) {
    const int value = static_cast<int>((rgb >> shift) & 0xFF) * percent / 100;
    return static_cast<Rgb>(value > 255 ? 255 : value) << shift;
  };
  return part(16) | part(8) | part(0);
}

// The band's buttons of a form, left to right.
std::vector<HWND> bandButtons(HWND form) {
  std::vector<HWND> buttons;
  for (int id = kBandFirstId; id < kBandFirstId + static_cast<int>(std::size(kBandElements)); ++id)
    if (HWND button = GetDlgItem(form, id)) buttons.push_back(button);
  return buttons;
}

int dpiOf(HWND window) {
  const FormWindow* form = FormWindow::fromHandle(GetAncestor(window, GA_ROOT));
  return form ? form->dpi() : 96;
}

}  // namespace

SkinEngine::SkinEngine(DesktopPort& desktop) : desktop_(desktop) {
  setWindowAttribute = [](HWND window, DWORD attribute, const void* value, DWORD size) -> long {
    static auto* const call =
        lateBound<DwmSetWindowAttributeCall>(L"dwmapi.dll", "DwmSetWindowAttribute");
    return call ? call(window, attribute, value, size) : E_NOTIMPL;
  };
}

SkinEngine::~SkinEngine() {
  for (auto& [color, brush] : brushes_) DeleteObject(brush);
  for (auto& [key, font] : fonts_) DeleteObject(font);
}

void SkinEngine::LoadSkinFile(const std::string& path) {
  // Every window loads the same skin: it is read and parsed once.
  if (path == loadedPath_) return;
  loadedPath_ = path;
  highContrast_ = desktop_.highContrast();
  dark_ = desktop_.appsUseDarkTheme();
  readFile();
}

void SkinEngine::readFile() {
  std::string path = loadedPath_;
  std::ifstream in;
  darkLoaded_ = false;
  if (dark_) {
    in.open(std::filesystem::path(wide(darkVariant(path))), std::ios::binary);
    darkLoaded_ = in.is_open();
    if (darkLoaded_) path = darkVariant(path);
  }
  // Without its dark variant a skin is shown light, as it always was.
  if (!in.is_open()) in.open(std::filesystem::path(wide(path)), std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  // A missing file gives the plain system look; one written in the Western
  // code page reads as it always did.
  file_ = SkinFile::parse(utf8FromStoredText(text.str()));
  if (onSkippedLines && file_.skippedCount() > 0)
    onSkippedLines(path, file_.skippedCount(), file_.skippedLines());
}

HBRUSH SkinEngine::brush(Rgb color) {
  auto& made = brushes_[color];
  if (!made) made = CreateSolidBrush(colorRef(color));
  return made;
}

HFONT SkinEngine::font(const SkinStyle& style, HWND shownIn) {
  if (style.fontFace.empty()) return nullptr;
  const int dpi = dpiOf(shownIn);
  const std::string key = style.fontFace + "/" + std::to_string(style.fontPoints) +
                          (style.bold ? "/b" : "") + "@" + std::to_string(dpi);
  auto& made = fonts_[key];
  if (!made) {
    LOGFONTW face{};
    face.lfHeight = -MulDiv(style.fontPoints > 0 ? style.fontPoints : 8, dpi, 72);
    face.lfWeight = style.bold ? FW_BOLD : FW_NORMAL;
    face.lfCharSet = DEFAULT_CHARSET;
    made = createFont(face, style.fontFace);
  }
  return made;
}

void SkinEngine::ApplySkinElement(std::uintptr_t window, const std::string& element) {
  HWND hwnd = reinterpret_cast<HWND>(window);
  if (!IsWindow(hwnd)) return;
  const SkinStyle style = file_.style(element);
  styles_[hwnd] = style;
  skinnedAs_[hwnd] = element;
  if (FormWindow* form = FormWindow::fromHandle(hwnd)) {
    if (element == "Form") addBand(*form, style);
    titleBar(hwnd);
    ownColorsIn(hwnd);
    InvalidateRect(hwnd, nullptr, TRUE);
    return;
  }
  skinControl(hwnd, element);
}

void SkinEngine::skinControl(HWND hwnd, const std::string& element) {
  const SkinStyle style = file_.style(element);
  styles_[hwnd] = style;
  skinnedAs_[hwnd] = element;
  // Controls already showing the skin's face keep it: changing a font makes
  // a control measure itself again.
  HFONT chosen = font(style, hwnd);
  if (chosen && !sameFont(reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)), chosen)) {
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(chosen), TRUE);
  }
  // Only while dark: the light skin keeps the visual style's look, and a
  // control never unstyled is never touched.
  const bool unstyle = showingDark() && captionIgnoresTextColor(hwnd);
  if (unstyle != (unstyled_.count(hwnd) != 0)) {
    drawWithVisualStyle(hwnd, !unstyle);
    if (unstyle)
      unstyled_.insert(hwnd);
    else
      unstyled_.erase(hwnd);
  }
  InvalidateRect(hwnd, nullptr, TRUE);
}

void SkinEngine::addBand(FormWindow& form, const SkinStyle& style) {
  if (bands_.count(form.hwnd())) return;
  // "Changes", "About" and "help", made from left to right, as they are
  // read and as Tab and screen readers go; sizeBand() sizes and places them.
  int id = kBandFirstId;
  for (const wchar_t* name : kBandElements) {
    const auto given = elementCaptions.find(narrow(name));
    const std::wstring caption = given == elementCaptions.end() ? name : wide(given->second);
    HWND button = CreateWindowExW(0, L"BUTTON", caption.c_str(),
                                  WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, 0, 0, 0, 0,
                                  form.hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id++)),
                                  GetModuleHandleW(nullptr), nullptr);
    if (!button) continue;
    elements_[button] = narrow(name);
    bands_[form.hwnd()] = button;
  }
  sizeBand(form, style);
}

void SkinEngine::sizeBand(FormWindow& form, const SkinStyle& style) {
  const auto scaled = [&](int pixels) { return MulDiv(pixels, form.dpi(), 96); };
  const int bandHeight = scaled(kBandHeight);
  const int elementHeight = scaled(kElementHeight);
  form.setTopInset(bandHeight);
  HFONT chosen = font(style, form.hwnd());
  // Each button as wide as its caption in the skin's font.
  for (HWND button : bandButtons(form.hwnd())) {
    if (chosen) SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(chosen), FALSE);
    wchar_t caption[128] = {};
    GetWindowTextW(button, caption, 128);
    const int width = std::max(scaled(kElementWidth), textWidth(caption, chosen) + scaled(12));
    SetWindowPos(button, nullptr, 0, (bandHeight - elementHeight) / 2, width, elementHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  resized(form.hwnd());
}

void SkinEngine::resized(HWND form) {
  if (!bands_.count(form)) return;
  const FormWindow* window = FormWindow::fromHandle(form);
  const auto scaled = [&](int pixels) { return MulDiv(pixels, window ? window->dpi() : 96, 96); };
  const int gap = scaled(kElementGap);
  const std::vector<HWND> buttons = bandButtons(form);
  int total = 0;
  for (HWND button : buttons) {
    RECT at{};
    GetWindowRect(button, &at);
    total += (at.right - at.left) + gap;
  }
  RECT client{};
  GetClientRect(form, &client);
  int left = client.right - scaled(kBandMargin) - (total - gap);
  for (HWND button : buttons) {
    RECT at{};
    GetWindowRect(button, &at);
    MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&at), 2);
    SetWindowPos(button, nullptr, left, at.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    left += (at.right - at.left) + gap;
  }
}

const SkinStyle* SkinEngine::styleOf(HWND window) const {
  const auto found = styles_.find(window);
  return found == styles_.end() ? nullptr : &found->second;
}

HBRUSH SkinEngine::background(HWND window) {
  if (highContrast_) return nullptr;
  const SkinStyle* style = styleOf(GetAncestor(window, GA_ROOT));
  return style && style->back ? brush(*style->back) : nullptr;
}

bool SkinEngine::eraseForm(HWND form, HDC dc) {
  if (highContrast_) return false;
  const SkinStyle* style = styleOf(form);
  if (!style || !style->back) return false;
  RECT area;
  GetClientRect(form, &area);
  FillRect(dc, &area, brush(*style->back));
  if (bands_.count(form) && style->band) {
    RECT band = area;
    const FormWindow* window = FormWindow::fromHandle(form);
    band.bottom = window ? window->topInset() : kBandHeight;
    FillRect(dc, &band, brush(*style->band));
  }
  return true;
}

bool SkinEngine::controlColors(HWND control, HDC dc, HBRUSH& result) {
  HBRUSH back = background(control);
  if (!back) return false;
  const SkinStyle* style = styleOf(control);
  const SkinStyle* formStyle = styleOf(GetAncestor(control, GA_ROOT));
  const auto text = style && style->text ? style->text : formStyle ? formStyle->text : std::nullopt;
  if (text)
    SetTextColor(dc, IsWindowEnabled(control) ? colorRef(*text) : GetSysColor(COLOR_GRAYTEXT));
  SetBkMode(dc, TRANSPARENT);
  result = back;
  return true;
}

bool SkinEngine::fieldColors(HWND control, HDC dc, HBRUSH& result) {
  // Only a skin that names its fields' colours changes them: the light
  // skin leaves fields white, as Windows draws them.
  if (highContrast_ || !file_.has("List")) return false;
  const SkinStyle style = file_.style("List");
  if (!style.back) return false;
  if (style.text)
    SetTextColor(dc,
                 IsWindowEnabled(control) ? colorRef(*style.text) : GetSysColor(COLOR_GRAYTEXT));
  SetBkColor(dc, colorRef(*style.back));
  result = brush(*style.back);
  return true;
}

void SkinEngine::controlMade(HWND control) {
  if (isClass(control, WC_LISTVIEWW)) listColors(control);
  if (isClass(control, PROGRESS_CLASSW)) progressColors(control);
}

void SkinEngine::listColors(HWND list) {
  // A list view keeps its colours itself; the system's are given back when
  // the skin has none (or high contrast is on).
  const SkinStyle style = file_.style("List");
  const bool skinned = !highContrast_ && file_.has("List") && style.back;
  const COLORREF back = skinned ? colorRef(*style.back) : GetSysColor(COLOR_WINDOW);
  const COLORREF text =
      skinned && style.text ? colorRef(*style.text) : GetSysColor(COLOR_WINDOWTEXT);
  ListView_SetBkColor(list, back);
  ListView_SetTextBkColor(list, back);
  ListView_SetTextColor(list, text);
  InvalidateRect(list, nullptr, TRUE);
}

void SkinEngine::progressColors(HWND bar) {
  // A styled bar draws in the visual style's colours whatever it is told:
  // only without the style does it take the dark skin's. The light skin
  // leaves a bar it never unstyled alone.
  const bool dark = showingDark();
  if (!dark && !unstyled_.count(bar)) return;
  drawWithVisualStyle(bar, !dark);
  if (dark)
    unstyled_.insert(bar);
  else
    unstyled_.erase(bar);
  const SkinStyle field = file_.style("List");
  const SkinStyle filled = file_.style("system");
  SendMessageW(bar, PBM_SETBKCOLOR, 0,
               static_cast<LPARAM>(dark && field.back ? colorRef(*field.back) : CLR_DEFAULT));
  SendMessageW(bar, PBM_SETBARCOLOR, 0,
               static_cast<LPARAM>(dark && filled.face ? colorRef(*filled.face) : CLR_DEFAULT));
}

void SkinEngine::ownColorsIn(HWND window) {
  std::vector<HWND> children;
  EnumChildWindows(window, &collectChild, reinterpret_cast<LPARAM>(&children));
  for (HWND child : children) {
    if (isClass(child, WC_LISTVIEWW)) listColors(child);
    if (isClass(child, PROGRESS_CLASSW)) progressColors(child);
  }
}

void SkinEngine::titleBar(HWND window) {
  if (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) return;
  const BOOL dark = showingDark() ? TRUE : FALSE;
  // A window never made dark is left alone: light users never call DWM.
  if (!dark && !darkTitles_.count(window)) return;
  if (!setWindowAttribute) return;
  if (FAILED(setWindowAttribute(window, kDarkTitleBar, &dark, sizeof dark)))
    setWindowAttribute(window, kDarkTitleBarBefore20H1, &dark, sizeof dark);
  if (dark)
    darkTitles_.insert(window);
  else
    darkTitles_.erase(window);
}

bool SkinEngine::drawItem(const DRAWITEMSTRUCT& item) {
  if (highContrast_) return false;  // the plain button, in the system's colours
  const bool bandElement = elements_.count(item.hwndItem) != 0;
  const SkinStyle* style =
      styleOf(bandElement ? GetAncestor(item.hwndItem, GA_ROOT) : item.hwndItem);
  if (!style) return false;
  const bool pressed = item.itemState & ODS_SELECTED;
  const bool disabled = item.itemState & ODS_DISABLED;
  Rgb face = bandElement ? style->band.value_or(0x2F5F8F) : style->face.value_or(0xDDE5EF);
  Rgb text = bandElement ? style->bandText.value_or(0xFFFFFF) : style->text.value_or(0x000000);
  if (pressed) face = shade(face, 85);
  const Rgb border = bandElement ? shade(face, 130) : style->border.value_or(shade(face, 70));

  HDC dc = item.hDC;
  RECT area = item.rcItem;
  // Corners in the colour of what lies behind.
  HBRUSH behind = bandElement && style->band ? brush(*style->band) : background(item.hwndItem);
  FillRect(dc, &area, behind ? behind : GetSysColorBrush(COLOR_BTNFACE));
  HGDIOBJ oldBrush = SelectObject(dc, brush(face));
  HPEN pen = CreatePen(PS_SOLID, 1, colorRef(border));
  HGDIOBJ oldPen = SelectObject(dc, pen);
  RoundRect(dc, area.left, area.top, area.right, area.bottom, 6, 6);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(pen);

  wchar_t caption[256] = {};
  GetWindowTextW(item.hwndItem, caption, 256);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, disabled ? GetSysColor(COLOR_GRAYTEXT) : colorRef(text));
  RECT label = area;
  if (pressed) OffsetRect(&label, 1, 1);
  DrawTextW(dc, caption, -1, &label, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
  if (item.itemState & ODS_FOCUS) {
    InflateRect(&area, -3, -3);
    DrawFocusRect(dc, &area);
  }
  return true;
}

bool SkinEngine::paintControl(HWND control) {
  // The light skin keeps the visual style's group boxes and tabs.
  if (!showingDark()) return false;
  const bool groupBox = isGroupBox(control);
  if (!groupBox && !isClass(control, WC_TABCONTROLW)) return false;
  const SkinStyle* look = styleOf(GetAncestor(control, GA_ROOT));
  if (!look || !look->face || !look->border) return false;
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(control, &paint);
  HBRUSH back = nullptr;
  if (!controlColors(control, dc, back)) back = GetSysColorBrush(COLOR_BTNFACE);
  const HandDrawnLook colors{back, brush(*look->face), brush(*look->border), GetTextColor(dc),
                             dpiOf(control)};
  if (groupBox)
    paintGroupBox(control, dc, colors);
  else
    paintTabStrip(control, dc, colors);
  EndPaint(control, &paint);
  return true;
}

bool SkinEngine::elementCommand(HWND child) {
  const auto found = elements_.find(child);
  if (found == elements_.end()) return false;
  const std::string element = found->second;  // the handler may open windows
  if (onElementClick) onElementClick(element);
  return true;
}

void SkinEngine::forget(HWND window) {
  std::erase_if(styles_, [&](const auto& entry) {
    return entry.first == window || GetAncestor(entry.first, GA_ROOT) == window;
  });
  std::erase_if(skinnedAs_, [&](const auto& entry) {
    return entry.first == window || GetAncestor(entry.first, GA_ROOT) == window;
  });
  darkTitles_.erase(window);
  std::erase_if(unstyled_, [&](HWND control) {
    return control == window || GetAncestor(control, GA_ROOT) == window;
  });
  std::erase_if(elements_,
                [&](const auto& entry) { return GetAncestor(entry.first, GA_ROOT) == window; });
  bands_.erase(window);
}

void SkinEngine::dpiChanged(HWND form) {
  // Each skinned control takes the skin's font at the new size.
  for (const auto& [window, style] : styles_) {
    if (window == form || GetAncestor(window, GA_ROOT) != form) continue;
    if (HFONT chosen = font(style, window))
      SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(chosen), TRUE);
  }
  // The band at the new size, its buttons as wide as their captions in the
  // new font.
  FormWindow* window = FormWindow::fromHandle(form);
  const auto skinned = styles_.find(form);
  if (window && bands_.count(form) && skinned != styles_.end()) sizeBand(*window, skinned->second);
}

void SkinEngine::systemLookChanged() {
  const bool contrast = desktop_.highContrast();
  const bool dark = desktop_.appsUseDarkTheme();
  if (contrast == highContrast_ && dark == dark_) return;
  highContrast_ = contrast;
  if (dark != dark_) {
    dark_ = dark;
    if (!loadedPath_.empty()) readFile();
  }
  restyle();
  std::vector<HWND> windows;
  for (const auto& entry : styles_) {
    const HWND root = GetAncestor(entry.first, GA_ROOT);
    if (root && std::find(windows.begin(), windows.end(), root) == windows.end())
      windows.push_back(root);
  }
  for (HWND window : windows) {
    titleBar(window);
    ownColorsIn(window);
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  }
}

void SkinEngine::restyle() {
  // A copy: skinning a control writes its entry again.
  const auto skinned = skinnedAs_;
  for (const auto& [window, element] : skinned) {
    if (FormWindow::fromHandle(window))
      styles_[window] = file_.style(element);
    else
      skinControl(window, element);
  }
}

}  // namespace corvanta::ui::win32
