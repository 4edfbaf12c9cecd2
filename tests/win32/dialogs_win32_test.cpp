// The common dialogs, answered by "the user": a timer that fires inside the
// dialog's own message loop finds the dialog and presses its buttons.
#include "platform/win32/dialogs_win32.h"

#include <windows.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <string>

#include "win32/scratch_folder.h"

namespace corvanta {
namespace {

// What the user does once the dialog is up.
std::string typedFileName;
int pressedButton = IDCANCEL;
int dialogsSeen = 0;

BOOL CALLBACK findDialog(HWND window, LPARAM found) {
  char className[16] = {};
  GetClassNameA(window, className, sizeof className);
  if (std::string(className) == "#32770" && IsWindowVisible(window)) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

void CALLBACK answerDialog(HWND, UINT, UINT_PTR id, DWORD) {
  HWND dialog = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), findDialog, reinterpret_cast<LPARAM>(&dialog));
  if (!dialog) return;  // not up yet: try again at the next tick
  KillTimer(nullptr, id);
  ++dialogsSeen;
  if (!typedFileName.empty()) SetDlgItemTextA(dialog, cmb13, typedFileName.c_str());
  PostMessageW(dialog, WM_COMMAND, static_cast<WPARAM>(pressedButton), 0);
}

void userWill(int button, const std::string& fileName = "") {
  pressedButton = button;
  typedFileName = fileName;
  dialogsSeen = 0;
  SetTimer(nullptr, 0, 50, answerDialog);
}

TEST(Win32Dialogs, CancellingTheFileDialogGivesNothing) {
  Win32Dialogs dialogs;
  userWill(IDCANCEL);
  EXPECT_FALSE(dialogs.openFile({"Choose a bitmap", "Bitmaps (*.bmp)|*.bmp", "C:\\", "last.bmp"}));
  EXPECT_EQ(1, dialogsSeen);
}

TEST(Win32Dialogs, TheFileDialogGivesTheChosenFile) {
  testing::ScratchFolder folder;
  const std::string picture = folder.file("toolbar.bmp");
  CloseHandle(CreateFileA(picture.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
  Win32Dialogs dialogs;
  userWill(IDOK, picture);
  const auto chosen = dialogs.openFile(
      {"Choose a bitmap", "Bitmaps (*.bmp)|*.bmp|All files (*.*)|*.*", folder.path(), ""});
  ASSERT_TRUE(chosen);
  EXPECT_TRUE(lstrcmpiA(picture.c_str(), chosen->c_str()) == 0) << *chosen;
}

TEST(Win32Dialogs, CancellingTheColourOrFolderChooserGivesNothing) {
  Win32Dialogs dialogs;
  userWill(IDCANCEL);
  EXPECT_FALSE(dialogs.chooseColor(0x00FF00));
  EXPECT_EQ(1, dialogsSeen);
  userWill(IDOK);
  EXPECT_EQ(0x00FF00u, dialogs.chooseColor(0x00FF00).value_or(0)) << "OK keeps the colour shown";
  userWill(IDCANCEL);
  EXPECT_FALSE(dialogs.browseForFolder("Download folder"));
  EXPECT_EQ(1, dialogsSeen);
}

}  // namespace
}  // namespace corvanta
