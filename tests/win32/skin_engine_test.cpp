#include "ui/win32/skin_engine.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

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
  SkinEngine skin;
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

}  // namespace
}  // namespace corvanta::ui::win32
