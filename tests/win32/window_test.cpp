// The test prefix can make real windows: the ground the interface tests of
// the program's windows stand on.
#include <windows.h>

#include <gtest/gtest.h>

namespace corvanta {
namespace {

TEST(RealWindows, ATopLevelWindowAndAControlCanBeCreatedAndRead) {
  HWND window = CreateWindowExA(0, "STATIC", "Corvanta", WS_OVERLAPPEDWINDOW, 0, 0, 320, 200,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(nullptr, window) << GetLastError();
  HWND button = CreateWindowExA(0, "BUTTON", "Apply", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 8, 8,
                                100, 24, window, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(nullptr, button);
  ShowWindow(window, SW_SHOW);

  char text[64] = {};
  GetWindowTextA(window, text, sizeof text);
  EXPECT_STREQ("Corvanta", text);
  SendMessageA(button, BM_CLICK, 0, 0);
  EXPECT_EQ(BST_CHECKED, SendMessageA(button, BM_GETCHECK, 0, 0));
  EXPECT_TRUE(DestroyWindow(window));
}

}  // namespace
}  // namespace corvanta
