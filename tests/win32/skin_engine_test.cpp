#include "ui/win32/skin_engine.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "fakes/app_harness.h"
#include "fakes/fake_desktop.h"
#include "ui/forms.h"
#include "ui/win32/win32_window_system.h"

namespace corvanta::ui::win32 {
namespace {

const std::string kSkinFile = std::string(CORVANTA_SOURCE_DIR) + "/assets/winaquas.skn";

HWND childNamed(HWND parent, const char* text) {
  return FindWindowExA(parent, nullptr, "BUTTON", text);
}

class SkinEngineTest : public ::testing::Test {
 protected:
  SkinEngineTest() {
    windows.setSkinPainter(&skin);
    label = &form.add(ControlKind::SkinLabel, "lbl").caption("Label").at(0, 0, 1500, 300);
    skin.onElementClick = [this](const std::string& element) { clicked.push_back(element); };
  }
  void TearDown() override { forms.Unload(form); }
  HWND formWindow() const { return reinterpret_cast<HWND>(form.handle()); }

  Win32WindowSystem windows;
  testing::FakeDesktop desktop;
  SkinEngine skin{desktop};
  Forms forms{windows};
  Form form{"skinned", "Skinned", 6000, 3000};
  Control* label = nullptr;
  std::vector<std::string> clicked;
};

TEST_F(SkinEngineTest, TheMainWindowsBandCarriesAboutAndHelpAsRealButtons) {
  forms.Show(form);
  skin.LoadSkinFile(kSkinFile);
  skin.ApplySkinElement(form.handle(), "Form");
  HWND about = childNamed(formWindow(), "About");
  HWND help = childNamed(formWindow(), "help");
  ASSERT_NE(nullptr, about);
  ASSERT_NE(nullptr, help);
  EXPECT_TRUE(GetWindowLongA(about, GWL_STYLE) & WS_TABSTOP) << "reachable with the keyboard";

  SendMessageW(about, BM_CLICK, 0, 0);
  SetFocus(help);
  SendMessageW(help, WM_KEYDOWN, VK_SPACE, 0);
  SendMessageW(help, WM_KEYUP, VK_SPACE, 0xC0000000);
  EXPECT_EQ((std::vector<std::string>{"About", "help"}), clicked);
  EXPECT_NE(nullptr, childNamed(formWindow(), "Changes"));

  // The band pushes the window's controls down and the window grows by it.
  RECT bounds;
  GetWindowRect(reinterpret_cast<HWND>(label->handle()), &bounds);
  MapWindowPoints(nullptr, formWindow(), reinterpret_cast<POINT*>(&bounds), 2);
  EXPECT_GT(bounds.top, 0);
  RECT about_bounds;
  GetWindowRect(about, &about_bounds);
  MapWindowPoints(nullptr, formWindow(), reinterpret_cast<POINT*>(&about_bounds), 2);
  EXPECT_LE(about_bounds.bottom, bounds.top) << "the band's elements sit above the controls";
}

TEST_F(SkinEngineTest, OtherWindowsGetNoBandAndAMissingSkinChangesNothing) {
  forms.Show(form);
  skin.LoadSkinFile("C:\\no such skin.skn");
  skin.ApplySkinElement(form.handle(), "SmallForm");
  skin.ApplySkinElement(label->handle(), "Label");
  skin.ApplySkinElement(0, "Button");  // no window: passed over
  EXPECT_EQ(nullptr, childNamed(formWindow(), "About"));
  EXPECT_EQ(nullptr, skin.background(formWindow()));

  skin.LoadSkinFile(kSkinFile);
  skin.ApplySkinElement(form.handle(), "SmallForm");
  EXPECT_NE(nullptr, skin.background(formWindow()));
  EXPECT_EQ(nullptr, childNamed(formWindow(), "About"));
}

// What one window or control paints: the colours of its pixels, the one
// most of them have, and the text colour its painting left in the DC.
struct Painted {
  std::set<COLORREF> colors;
  COLORREF mostCommon = 0;
  COLORREF text = 0;
  // Whether the text colour left in the DC is the one the text was drawn
  // in: a window's background has no text, and a frame gives its DC back
  // as it came.
  bool textTold = false;
};

// A bitmap the size of a window's client area, 32 bits a pixel, top row
// first, selected into a memory DC: what is drawn there is read back.
class ClientBitmap {
 public:
  explicit ClientBitmap(HWND window) {
    GetClientRect(window, &area);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = area.right;
    info.bmiHeader.biHeight = -area.bottom;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
    dc = CreateCompatibleDC(nullptr);
    previous_ = SelectObject(dc, bitmap_);
  }
  ~ClientBitmap() {
    SelectObject(dc, previous_);
    DeleteDC(dc);
    DeleteObject(bitmap_);
  }
  ClientBitmap(const ClientBitmap&) = delete;
  ClientBitmap& operator=(const ClientBitmap&) = delete;

  // Every pixel as 0x00RRGGBB, row by row.
  std::vector<std::uint32_t> pixels() const {
    GdiFlush();
    const auto* first = static_cast<const std::uint32_t*>(bits_);
    std::vector<std::uint32_t> all(first, first + area.right * area.bottom);
    for (auto& pixel : all) pixel &= 0xFFFFFF;
    return all;
  }

  RECT area{};
  HDC dc = nullptr;

 private:
  HBITMAP bitmap_ = nullptr;
  void* bits_ = nullptr;
  HGDIOBJ previous_ = nullptr;
};

// Paints `window` into a bitmap as it paints itself on the screen (its
// background, then for a control WM_PRINTCLIENT, which asks its parent for
// the same colours and owner drawing a paint does).
Painted paintOf(HWND window, bool control) {
  constexpr COLORREF kUnpainted = RGB(1, 2, 3);
  ClientBitmap canvas(window);
  HBRUSH unpainted = CreateSolidBrush(kUnpainted);
  FillRect(canvas.dc, &canvas.area, unpainted);
  DeleteObject(unpainted);
  SendMessageW(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.dc), 0);
  if (control)
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc), PRF_CLIENT);
  Painted painted;
  painted.text = GetTextColor(canvas.dc);
  std::map<COLORREF, int> counts;
  for (const std::uint32_t p : canvas.pixels()) {
    const COLORREF color = RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    if (color != kUnpainted) ++counts[color];
  }
  int most = 0;
  for (const auto& [color, count] : counts) {
    painted.colors.insert(color);
    if (count > most) {
      most = count;
      painted.mostCommon = color;
    }
  }
  return painted;
}

BOOL CALLBACK collectChild(HWND child, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
  return TRUE;
}

// Each window and each of its controls, by its text ("form" for the window).
std::map<std::string, Painted> paintsOf(HWND form) {
  std::map<std::string, Painted> result{{"form", paintOf(form, false)}};
  std::vector<HWND> children;
  EnumChildWindows(form, &collectChild, reinterpret_cast<LPARAM>(&children));
  for (HWND child : children) {
    char text[64] = {};
    GetWindowTextA(child, text, sizeof text);
    Painted painted = paintOf(child, true);
    wchar_t kind[16] = {};
    GetClassNameW(child, kind, 16);
    painted.textTold = lstrcmpiW(kind, L"Button") != 0 ||
                       (GetWindowLongW(child, GWL_STYLE) & BS_TYPEMASK) != BS_GROUPBOX;
    result[std::string(text) + "#" + std::to_string(result.size())] = painted;
  }
  return result;
}

// A dark high contrast scheme for the session, the colours put back after:
// on it, text a window leaves black vanishes on the face.
class DarkScheme {
 public:
  DarkScheme() {
    for (int index = 0; index < kCount; ++index) {
      indexes_[index] = index;
      saved_[index] = GetSysColor(index);
    }
    const int elements[] = {COLOR_WINDOW,   COLOR_BTNFACE,   COLOR_WINDOWTEXT,   COLOR_BTNTEXT,
                            COLOR_GRAYTEXT, COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT};
    const COLORREF colors[] = {RGB(0, 0, 0),       RGB(0, 0, 0),     RGB(255, 255, 255),
                               RGB(255, 255, 255), RGB(63, 242, 63), RGB(26, 235, 255),
                               RGB(0, 0, 0)};
    SetSysColors(static_cast<int>(std::size(elements)), elements, colors);
  }
  ~DarkScheme() { SetSysColors(kCount, indexes_, saved_); }
  DarkScheme(const DarkScheme&) = delete;
  DarkScheme& operator=(const DarkScheme&) = delete;

 private:
  static constexpr int kCount = COLOR_MENUBAR + 1;
  int indexes_[kCount] = {};
  COLORREF saved_[kCount] = {};
};

COLORREF colorOf(Rgb rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

class HighContrastTest : public SkinEngineTest {
 protected:
  HighContrastTest() {
    form.add(ControlKind::Button, "ok").caption("OK").at(0, 400, 1200, 375);
    form.add(ControlKind::Button, "dots").caption("...").at(1300, 400, 600, 375);
    form.add(ControlKind::TextBox, "field").at(0, 900, 2000, 300);
    Control& frame = form.add(ControlKind::Frame, "frame").caption("Frame").at(2200, 0, 3000, 1500);
    form.add(ControlKind::CheckBox, "check").caption("Check").at(120, 300, 2000, 300).in(frame);
    form.add(ControlKind::OptionButton, "radio").caption("Radio").at(120, 700, 2000, 300).in(frame);
    form.add(ControlKind::TabStrip, "tabs").at(0, 1600, 5000, 1200);
    small.add(ControlKind::SkinLabel, "lbl").caption("Small").at(0, 0, 1500, 300);
    small.add(ControlKind::Button, "remove").caption("Remove").at(0, 400, 1200, 375);
    const std::map<std::string, std::string> elements{
        {"lbl", "Label"},   {"ok", "Button"},   {"dots", "Button"}, {"remove", "Button"},
        {"frame", "frame"}, {"check", "check"}, {"radio", "radio"}, {"tabs", "Tab"}};
    for (Form* window : {&form, &small})
      for (const auto& control : window->controls())
        if (elements.count(control->name())) control->setSkinElement(elements.at(control->name()));
    form.control("tabs").setTabs({"One", "Two"});
  }
  void TearDown() override {
    forms.Unload(small);
    SkinEngineTest::TearDown();
  }
  // Opens both windows as the program does, each loading the skin: the
  // main window with the band, the other with the small window's look.
  void open() {
    skin.LoadSkinFile(kSkinFile);
    forms.Show(form);
    skin.ApplySkinElement(form.handle(), "Form");
    skin.LoadSkinFile(kSkinFile);
    forms.Show(small);
    skin.ApplySkinElement(small.handle(), "SmallForm");
    form.control("dots").setEnabled(false);
    small.control("remove").setEnabled(false);
  }
  std::vector<HWND> windows() const {
    return {reinterpret_cast<HWND>(form.handle()), reinterpret_cast<HWND>(small.handle())};
  }

  Form small{"small", "Small", 3000, 1500};
};

TEST_F(HighContrastTest, EveryWindowPaintsInSystemColoursWhileItIsOnAndInTheSkinsWhenItIsOff) {
  const DarkScheme scheme;
  std::set<COLORREF> systemColors;
  for (int index = 0; index <= COLOR_MENUBAR; ++index) systemColors.insert(GetSysColor(index));
  const SkinFile file = SkinFile::parse(testing::readSourceFile("assets/winaquas.skn"));
  std::set<COLORREF> skinColors;
  for (const char* element : {"Form", "SmallForm", "Button", "Label", "frame", "check", "radio",
                              "Tab", "system", "cpu"}) {
    const SkinStyle style = file.style(element);
    for (const auto& color :
         {style.back, style.text, style.face, style.border, style.hot, style.band, style.bandText})
      if (color && !systemColors.count(colorOf(*color))) skinColors.insert(colorOf(*color));
  }
  ASSERT_TRUE(skinColors.count(colorOf(0xEEF2F7))) << "the skin's back is none of the system's";
  const SkinStyle look = file.style("Form");

  const auto expectSystemLook = [&](const std::string& when) {
    for (HWND window : windows()) {
      for (const auto& [part, painted] : paintsOf(window)) {
        SCOPED_TRACE(when + ": " + part);
        EXPECT_TRUE(systemColors.count(painted.mostCommon)) << std::hex << painted.mostCommon;
        EXPECT_TRUE(systemColors.count(painted.text)) << std::hex << painted.text;
        if (painted.textTold) {
          EXPECT_NE(painted.mostCommon, painted.text) << "text in the colour it is drawn on";
        }
        for (COLORREF color : painted.colors)
          EXPECT_FALSE(skinColors.count(color)) << "the skin's " << std::hex << color;
      }
    }
  };
  const auto expectSkinLook = [&](const std::string& when) {
    std::set<COLORREF> mostCommon;
    for (HWND window : windows())
      for (const auto& [part, painted] : paintsOf(window)) mostCommon.insert(painted.mostCommon);
    for (const Rgb color : {*look.back, *look.band, *look.face})
      EXPECT_TRUE(mostCommon.count(colorOf(color))) << when << ": " << std::hex << color;
  };
  // Both windows are due a repaint: the one that heard the message and the
  // one that did not.
  const auto expectRedrawn = [&](const std::string& when) {
    for (HWND window : windows()) {
      EXPECT_TRUE(GetUpdateRect(window, nullptr, FALSE)) << when;
      ValidateRect(window, nullptr);
    }
  };

  desktop.contrast = true;
  open();
  expectSystemLook("opened with high contrast on");

  const struct {
    const char* name;
    UINT message;
    WPARAM wParam;
    const wchar_t* area;
  } kChanges[] = {
      {"colours changed", WM_SYSCOLORCHANGE, 0, nullptr},
      {"colour set changed", WM_SETTINGCHANGE, 0, L"ImmersiveColorSet"},
      {"high contrast set", WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, nullptr},
  };
  for (const auto& change : kChanges) {
    for (HWND window : windows()) ValidateRect(window, nullptr);
    desktop.contrast = false;
    SendMessageW(windows()[0], change.message, change.wParam,
                 reinterpret_cast<LPARAM>(change.area));
    expectRedrawn(std::string(change.name) + ", off");
    expectSkinLook(std::string(change.name) + ", off");
    desktop.contrast = true;
    SendMessageW(windows()[0], change.message, change.wParam,
                 reinterpret_cast<LPARAM>(change.area));
    expectRedrawn(std::string(change.name) + ", on");
    expectSystemLook(std::string(change.name) + ", on");
  }
}

TEST_F(HighContrastTest, TheSettingIsReadOnceAsTheSkinLoadsAndThenOnlyWhenItMayHaveChanged) {
  open();
  EXPECT_EQ(1, desktop.contrastReads) << "two windows, one skin";
  const HWND main = windows()[0];
  SendMessageW(main, WM_SETTINGCHANGE, SPI_SETKEYBOARDSPEED, 0);
  SendMessageW(main, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"Environment"));
  RedrawWindow(main, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  EXPECT_EQ(1, desktop.contrastReads) << "other settings and painting read nothing";
  SendMessageW(main, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
  EXPECT_EQ(2, desktop.contrastReads);
}

// What the window's client area shows once it has painted, read back from
// the window's own DC: 0x00RRGGBB, row by row.
std::vector<std::uint32_t> clientPixels(HWND window) {
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  const ClientBitmap canvas(window);
  HDC shown = GetDC(window);
  BitBlt(canvas.dc, 0, 0, canvas.area.right, canvas.area.bottom, shown, 0, 0, SRCCOPY);
  ReleaseDC(window, shown);
  return canvas.pixels();
}

// The median WCAG luminance (0 black, 1 white) of the window's client area.
double medianLuminance(HWND window) {
  const auto linear = [](std::uint32_t byte) {
    const double c = byte / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  std::vector<double> values;
  for (const std::uint32_t p : clientPixels(window))
    values.push_back(0.2126 * linear((p >> 16) & 0xFF) + 0.7152 * linear((p >> 8) & 0xFF) +
                     0.0722 * linear(p & 0xFF));
  if (values.empty()) return -1;
  std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
  return values[values.size() / 2];
}

TEST_F(SkinEngineTest, WhileAppsAreAskedToBeDarkTheDarkSkinAndTitleBarShowUntilTheSettingGoesBack) {
  // As Windows 10 before 20H1 answers: the attribute's later number unknown.
  std::vector<std::string> asked;
  skin.setWindowAttribute = [&](HWND window, DWORD attribute, const void* value, DWORD size) {
    EXPECT_EQ(formWindow(), window);
    EXPECT_EQ(sizeof(BOOL), size);
    asked.push_back(std::to_string(attribute) + "=" +
                    std::to_string(*static_cast<const BOOL*>(value)));
    return attribute == 20 ? E_INVALIDARG : S_OK;
  };
  Control& list = form.add(ControlKind::ListView, "list").at(0, 400, 3000, 1500);
  const auto listBack = [&] { return ListView_GetBkColor(reinterpret_cast<HWND>(list.handle())); };
  // A tab strip and a progress bar, which their visual style would draw in
  // its own light colours.
  Control& tabs = form.add(ControlKind::TabStrip, "tabs").at(3200, 400, 2000, 1500);
  Control& bar = form.add(ControlKind::ProgressBar, "bar").at(0, 2000, 3000, 300);
  const auto barBack = [&] {
    return static_cast<COLORREF>(
        SendMessageW(reinterpret_cast<HWND>(bar.handle()), PBM_GETBKCOLOR, 0, 0));
  };
  desktop.dark = true;
  forms.Show(form);
  skin.LoadSkinFile(kSkinFile);
  skin.ApplySkinElement(form.handle(), "Form");
  tabs.setTabs({"One", "Two"});
  tabs.setSkinElement("Tab");
  EXPECT_LT(medianLuminance(formWindow()), 0.25);
  EXPECT_EQ((std::vector<std::string>{"20=1", "19=1"}), asked);
  EXPECT_EQ(RGB(0x18, 0x1B, 0x20), listBack()) << "the dark skin's list colour";
  EXPECT_EQ(RGB(0x18, 0x1B, 0x20), barBack());
  EXPECT_LT(medianLuminance(reinterpret_cast<HWND>(tabs.handle())), 0.25) << "tabs and their body";

  desktop.dark = false;
  asked.clear();
  SendMessageW(formWindow(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"ImmersiveColorSet"));
  EXPECT_GT(medianLuminance(formWindow()), 0.75) << "the light skin's back";
  EXPECT_EQ((std::vector<std::string>{"20=0", "19=0"}), asked);
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), listBack());
  EXPECT_EQ(CLR_DEFAULT, barBack());
}

}  // namespace
}  // namespace corvanta::ui::win32
