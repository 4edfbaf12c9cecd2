// The real program, started as a user starts it: its windows and their texts
// as Windows sees them, its navigation worked through its real buttons, and
// a second start that must leave no trace.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "win32/running_program.h"

namespace corvanta {
namespace {

using testing::childrenOf;
using testing::childWithText;
using testing::countMainWindows;
using testing::programPath;
using testing::RunningProgram;
using testing::shownText;

constexpr const char* kSettingsKey = "Software\\VB and VBA Program Settings\\Corvanta\\Language";

TEST(Program, StartsOnTheVisualPageWithEnglishTexts) {
  RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKey);
  RunningProgram program;
  ASSERT_TRUE(program.started()) << programPath();
  HWND main = program.mainWindow();
  ASSERT_NE(nullptr, main);
  const auto children = childrenOf(main);
  std::vector<std::string> visibleTexts;
  for (const auto& child : children) {
    if (child.visible && !child.text.empty()) visibleTexts.push_back(shownText(child.text));
  }
  for (const char* expected : {"System >>", "CPU && Memory", "Visual", "About", "help"}) {
    EXPECT_NE(visibleTexts.end(),
              std::find(visibleTexts.begin(), visibleTexts.end(), shownText(expected)))
        << expected;
  }
  HWND drivesButton = childWithText(main, "Drives");
  EXPECT_TRUE(!drivesButton || !IsWindowVisible(drivesButton)) << "the navigation starts closed";
}

TEST(Program, TheExpanderAndTheNavigationButtonsWork) {
  RunningProgram program;
  HWND main = program.mainWindow();
  ASSERT_NE(nullptr, main);
  SendMessageW(childWithText(main, "System >>"), BM_CLICK, 0, 0);
  HWND language = childWithText(main, "Language");
  ASSERT_NE(nullptr, language);
  EXPECT_TRUE(IsWindowVisible(language));
  ASSERT_NE(nullptr, childWithText(main, "System <<"));

  SendMessageW(language, BM_CLICK, 0, 0);
  HWND chooser = nullptr;
  for (const auto& child : childrenOf(main)) {
    if (child.className == "ComboBoxEx32") chooser = child.window;
  }
  ASSERT_NE(nullptr, chooser);
  EXPECT_TRUE(IsWindowVisible(chooser));
  // Every shipped language on offer by its own name, English chosen (its
  // place depends on the locale's order).
  EXPECT_EQ(14, SendMessageW(chooser, CB_GETCOUNT, 0, 0));
  const auto chosen = static_cast<WPARAM>(SendMessageW(chooser, CB_GETCURSEL, 0, 0));
  wchar_t text[64] = {};
  ASSERT_LT(SendMessageW(chooser, CB_GETLBTEXTLEN, chosen, 0), 64);
  SendMessageW(chooser, CB_GETLBTEXT, chosen, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(L"English", text);
}

TEST(Program, ASecondStartEndsSilentlyAndLeavesOneWindow) {
  RunningProgram first;
  ASSERT_NE(nullptr, first.mainWindow());
  RunningProgram second;
  ASSERT_TRUE(second.started());
  EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(second.process(), 20000));
  DWORD code = 1;
  GetExitCodeProcess(second.process(), &code);
  EXPECT_EQ(0u, code);
  int windows = 0;
  EnumWindows(countMainWindows, reinterpret_cast<LPARAM>(&windows));
  EXPECT_EQ(1, windows);
}

constexpr const char* kExplorerPolicies =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";

void setPolicy(const char* name, DWORD value) {
  HKEY key = nullptr;
  RegCreateKeyExA(HKEY_CURRENT_USER, kExplorerPolicies, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                  &key, nullptr);
  RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  RegCloseKey(key);
}

long readPolicy(const char* name) {
  DWORD value = 0;
  DWORD size = sizeof value;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kExplorerPolicies, 0, KEY_READ, &key) != ERROR_SUCCESS)
    return -1;
  const LONG status =
      RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
  RegCloseKey(key);
  return status == ERROR_SUCCESS ? static_cast<long>(value) : -1;
}

TEST(Program, TheStartMenuTabShowsStoredPoliciesAndAppliesAClickedBox) {
  setPolicy("NoRun", 1);
  setPolicy("NoClose", 0);
  HKEY policies = nullptr;
  RegOpenKeyExA(HKEY_CURRENT_USER, kExplorerPolicies, 0, KEY_ALL_ACCESS, &policies);
  RegDeleteValueA(policies, "NoFind");
  RegCloseKey(policies);

  RunningProgram program;
  HWND main = program.mainWindow();
  ASSERT_NE(nullptr, main);
  // To the Start Menu tab, as the keyboard would go; its controls are made
  // when it first shows.
  EXPECT_EQ(nullptr, childWithText(main, "Remove the Find command")) << "not made before it shows";
  ASSERT_NE(nullptr, testing::showStartMenuTab(main));
  HWND run = childWithText(main, "Remove the Run command");
  HWND shutDown = childWithText(main, "Remove the Shut Down  command");
  HWND find = childWithText(main, "Remove the Find command");
  ASSERT_TRUE(run && shutDown && find);
  EXPECT_TRUE(IsWindowVisible(find)) << "the Start Menu tab is showing";
  EXPECT_EQ(BST_CHECKED, SendMessageW(run, BM_GETCHECK, 0, 0));
  EXPECT_EQ(BST_UNCHECKED, SendMessageW(shutDown, BM_GETCHECK, 0, 0));
  EXPECT_EQ(BST_UNCHECKED, SendMessageW(find, BM_GETCHECK, 0, 0));

  SendMessageW(find, BM_CLICK, 0, 0);
  HWND apply = childWithText(GetParent(find), "Apply");
  ASSERT_NE(nullptr, apply);
  SendMessageW(apply, BM_CLICK, 0, 0);
  EXPECT_EQ(1, readPolicy("NoFind"));
  EXPECT_EQ(1, readPolicy("NoRun"));
  EXPECT_EQ(0, readPolicy("NoClose"));
  EXPECT_EQ(0, readPolicy("NoFavoritesMenu")) << "an absent policy is written as 0";

  HKEY defaults = nullptr;
  ASSERT_EQ(ERROR_SUCCESS,
            RegOpenKeyExA(HKEY_USERS, ".DEFAULT\\Control Panel\\Desktop", 0, KEY_READ, &defaults));
  char delay[16] = {};
  DWORD size = sizeof delay;
  EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(defaults, "MenuShowDelay", nullptr, nullptr,
                                            reinterpret_cast<BYTE*>(delay), &size));
  RegCloseKey(defaults);
  char userDelay[16] = {};
  size = sizeof userDelay;
  RegGetValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "MenuShowDelay", RRF_RT_REG_SZ, nullptr,
               userDelay, &size);
  EXPECT_STREQ(userDelay, delay) << "the current user's delay, written for new users too";
  RegDeleteTreeA(HKEY_CURRENT_USER, kExplorerPolicies);
}

TEST(Program, ClosingTheMainWindowEndsTheProgram) {
  RunningProgram program;
  HWND main = program.mainWindow();
  ASSERT_NE(nullptr, main);
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(program.process(), 20000));
}

// A user clicking the close box at once, or Windows ending the session,
// must end the program: a close that came in the first moments after the
// window showed was once dropped.
TEST(Program, ACloseAsSoonAsTheWindowShowsEndsTheProgram) {
  for (int launch = 0; launch < 5; ++launch) {
    RunningProgram program;
    ASSERT_TRUE(program.started());
    HWND main = nullptr;
    int seen = 0;
    for (const DWORD start = GetTickCount(); !main && GetTickCount() - start < 20000;) {
      HWND found = FindWindowA("CorvantaForm", "Corvanta");
      if (found) ++seen;
      if (found && IsWindowVisible(found))
        main = found;
      else
        Sleep(1);
    }
    ASSERT_NE(nullptr, main) << "launch " << launch << " seen " << seen;
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(program.process(), 10000)) << "launch " << launch;
  }
}

}  // namespace
}  // namespace corvanta
