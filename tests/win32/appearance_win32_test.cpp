// The desktop port against the real system: every Input setting read back
// from the system, system colours, high contrast, a display mode, a JPEG and a GIF turned
// into a bitmap the system takes as wallpaper, a font installed and listed,
// and the Fonts window's preview in its styles.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "appearance/fonts_form.h"
#include "fakes/app_harness.h"
#include "platform/win32/desktop_win32.h"
#include "platform/win32/file_win32.h"
#include "platform/win32/system_win32.h"
#include "ui/win32/win32_window_system.h"
#include "win32/scratch_folder.h"

namespace corvanta {
namespace {

// Every setting is put back as it was: run on a developer's own Windows, the
// test once left their mouse, keyboard and font smoothing changed for good.
TEST(DesktopSettings, EveryInputSettingReadsBackFromTheSystemAndIsPutBack) {
  Win32Desktop desktop;
  struct Case {
    const char* name;
    bool (*set)(Win32Desktop&, int);
    int value;
    int (*read)(Win32Desktop&);
  };
  const Case cases[] = {
      {"mouse speed", [](Win32Desktop& d, int v) { return d.setMouseSpeed(v); }, 13,
       [](Win32Desktop& d) { return d.mouseSpeed().value_or(-1); }},
      {"keyboard speed", [](Win32Desktop& d, int v) { return d.setKeyboardSpeed(v); }, 17,
       [](Win32Desktop& d) { return d.keyboardSpeed().value_or(-1); }},
      {"keyboard delay", [](Win32Desktop& d, int v) { return d.setKeyboardDelay(v); }, 2,
       [](Win32Desktop& d) { return d.keyboardDelay().value_or(-1); }},
      {"trails", [](Win32Desktop& d, int v) { return d.setMouseTrails(v); }, 5,
       [](Win32Desktop& d) { return d.mouseTrails().value_or(-1); }},
      {"smoothing", [](Win32Desktop& d, int v) { return d.setFontSmoothing(v != 0); }, 1,
       [](Win32Desktop& d) { return d.fontSmoothing() ? int{*d.fontSmoothing()} : -1; }},
      {"double click", [](Win32Desktop& d, int v) { return d.setDoubleClickTime(v); }, 700,
       [](Win32Desktop& d) { return d.doubleClickTime(); }},
      {"swap", [](Win32Desktop& d, int v) { return d.setMouseButtonSwap(v != 0); }, 1,
       [](Win32Desktop& d) { return d.mouseButtonSwap() ? 1 : 0; }},
  };
  for (const Case& test : cases) {
    const int before = test.read(desktop);
    const int changed = before == test.value ? test.value - 1 : test.value;
    EXPECT_TRUE(test.set(desktop, changed)) << test.name;
    EXPECT_EQ(changed, test.read(desktop)) << test.name;
    EXPECT_TRUE(test.set(desktop, before)) << test.name;
    EXPECT_EQ(before, test.read(desktop)) << test.name << " put back";
  }
}

TEST(DesktopSettings, ColoursAndTheDisplayModeChangeAndArePutBack) {
  Win32Desktop desktop;
  const std::uint32_t before = desktop.sysColor(COLOR_BACKGROUND);
  EXPECT_TRUE(desktop.setSysColor(COLOR_BACKGROUND, 0x00FFFFFF));
  EXPECT_EQ(0x00FFFFFFu, desktop.sysColor(COLOR_BACKGROUND));
  desktop.setSysColor(COLOR_BACKGROUND, before);
  EXPECT_EQ(kDispChangeSuccessful, desktop.changeResolution(1024, 768));
  ChangeDisplaySettingsA(nullptr, 0);  // the mode stored for the display
}

// Wine cannot turn high contrast on (SPI_SETHIGHCONTRAST fails), so there
// this pins the reading "off"; on Windows it follows the user's setting.
TEST(DesktopSettings, HighContrastReadsAsTheSystemAnswers) {
  HIGHCONTRASTW contrast{};
  contrast.cbSize = sizeof contrast;
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0));
  EXPECT_EQ((contrast.dwFlags & HCF_HIGHCONTRASTON) != 0, Win32Desktop().highContrast());
}

std::string sourceFile(const char* relative) {
  return std::string(CORVANTA_SOURCE_DIR) + "/" + relative;
}

TEST(DesktopSettings, JpegAndGifBecomeBitmapsTheSystemTakesAsWallpaper) {
  Win32Desktop desktop;
  testing::ScratchFolder folder;
  char before[MAX_PATH] = {};
  SystemParametersInfoA(SPI_GETDESKWALLPAPER, MAX_PATH, before, 0);
  for (const char* picture : {"tests/data/lake.jpg", "tests/data/meadow.gif"}) {
    const std::string bitmap = folder.file("wallpaper.bmp");
    ASSERT_EQ(0, desktop.convertToBitmap(sourceFile(picture), bitmap)) << picture;
    const std::string bytes = testing::readFile(bitmap);
    ASSERT_GT(bytes.size(), 54u);
    EXPECT_EQ("BM", bytes.substr(0, 2));
    BITMAPINFOHEADER header{};
    std::copy_n(bytes.data() + 14, sizeof header, reinterpret_cast<char*>(&header));
    EXPECT_EQ(64, header.biWidth);
    EXPECT_EQ(48, header.biHeight);
    EXPECT_EQ(24, header.biBitCount);
    HANDLE loaded = LoadImageA(nullptr, bitmap.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
    EXPECT_NE(nullptr, loaded) << "the system reads the bitmap back";
    if (loaded) DeleteObject(loaded);
    EXPECT_TRUE(desktop.setWallpaper(bitmap));
    EXPECT_EQ(bitmap, desktop.wallpaper().value_or(""));
  }
  EXPECT_NE(0,
            desktop.convertToBitmap(sourceFile("tests/data/../../README.md"), folder.file("x.bmp")))
      << "text is no picture";
  desktop.setWallpaper(before);
}

// Tahoma under another family name: a font the system does not have yet.
std::string renamedTahoma() {
  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, MAX_PATH);
  std::string font = testing::readFile(std::string(windows) + "\\Fonts\\tahoma.ttf");
  const std::string from{'\0', 'T', '\0', 'a', '\0', 'h', '\0', 'o', '\0', 'm', '\0', 'a'};
  const std::string to{'\0', 'C', '\0', 'o', '\0', 'r', '\0', 'v', '\0', 'a', '\0', 'x'};
  for (std::size_t at = font.find(from); at != std::string::npos; at = font.find(from, at + 1)) {
    font.replace(at, to.size(), to);
  }
  return font;
}

TEST(FontsWindow, AFontIsInstalledAndListedAndThePreviewTakesItsStyles) {
  testing::AppHarness harness;
  Win32Desktop desktop;
  Win32Files files;
  Win32System system;
  ui::win32::Win32WindowSystem windows;
  ui::Forms forms(windows);
  testing::ScratchFolder folder;
  const std::string source = folder.file("corvax-test.ttf");
  {
    const std::string font = renamedTahoma();
    ASSERT_GT(font.size(), 1000u) << "tahoma.ttf is in the prefix's fonts folder";
    ASSERT_EQ(kErrorSuccess, files.createNewFile(source, font));
  }
  harness.dialogs.fileAnswers = {source};
  AppContext app = harness.contextWith({.files = &files, .desktop = &desktop, .forms = &forms});
  FontsForm window(app);
  forms.Show(window);
  auto& list = window.control("lstSystemFonts");
  EXPECT_GT(list.ListCount(), 5);

  window.control("Command1").click();
  for (const auto& shown : harness.dialogs.shown) ADD_FAILURE() << shown.text;
  const auto& fonts = list.items();
  EXPECT_NE(fonts.end(), std::find(fonts.begin(), fonts.end(), "Corvax")) << "listed after install";

  window.control("Check2").valueFromUser(1);
  window.control("Check3").valueFromUser(1);
  window.control("Check1").valueFromUser(1);
  const auto preview = reinterpret_cast<HWND>(window.control("Label1").handle());
  LOGFONTA shown{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(preview, WM_GETFONT, 0, 0)), sizeof shown,
             &shown);
  EXPECT_EQ(FW_BOLD, shown.lfWeight);
  EXPECT_TRUE(shown.lfItalic);
  EXPECT_TRUE(shown.lfStrikeOut);
  forms.Unload(window);

  // Leave the prefix as it was.
  const std::string installed = system.windowsDirectory() + "\\Fonts\\corvax-test.ttf";
  RemoveFontResourceA(installed.c_str());
  DeleteFileA(installed.c_str());
  HKEY key = nullptr;
  RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts", 0,
                KEY_SET_VALUE, &key);
  RegDeleteValueA(key, "Corvax (TrueType)");
  RegCloseKey(key);
}

}  // namespace
}  // namespace corvanta
