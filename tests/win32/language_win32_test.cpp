// Languages in the real program, run from a copy of the release folder of
// its own: German chosen on the Language page and shown at the next start;
// its file gone, English and one message saying so; Russian captions and a
// registry text outside the ANSI code page shown and written back exactly.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "win32/running_program.h"
#include "win32/scratch_folder.h"

namespace corvanta {
namespace {

using testing::childrenOf;
using testing::childWithText;
using testing::RunningProgram;

constexpr const char* kSettingsKey = "Software\\VB and VBA Program Settings\\Corvanta\\Language";

// The release folder copied: the program, its languages, skin and splash.
std::string copyRelease(const testing::ScratchFolder& folder) {
  std::string release = testing::programPath();
  release.erase(release.find_last_of('\\'));
  for (const char* file : {"corvanta.exe", "winaquas.skn", "Splash.spl"}) {
    CopyFileA((release + "\\" + file).c_str(), folder.file(file).c_str(), FALSE);
  }
  CreateDirectoryA(folder.file("languages").c_str(), nullptr);
  for (const char* language : {"English", "German", "French"}) {
    const std::string name = std::string("\\languages\\") + language + ".ini";
    CopyFileA((release + name).c_str(), (folder.path() + name).c_str(), FALSE);
  }
  return folder.file("corvanta.exe");
}

BOOL CALLBACK findMessageBox(HWND window, LPARAM found) {
  char className[16] = {};
  GetClassNameA(window, className, sizeof className);
  if (std::string(className) == "#32770" && IsWindowVisible(window)) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

TEST(ProgramLanguages, GermanChosenShowsAtTheNextStartAndAMissingFileGivesEnglish) {
  RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKey);
  testing::ScratchFolder folder;
  const std::string program = copyRelease(folder);
  {
    RunningProgram first(program);
    HWND main = first.mainWindow();
    ASSERT_NE(nullptr, main);
    SendMessageW(childWithText(main, "System >>"), BM_CLICK, 0, 0);
    SendMessageW(childWithText(main, "Language"), BM_CLICK, 0, 0);
    HWND chooser = nullptr;
    for (const auto& child : childrenOf(main)) {
      if (child.className == "ComboBoxEx32") chooser = child.window;
    }
    ASSERT_NE(nullptr, chooser);
    ASSERT_EQ(3, SendMessageW(chooser, CB_GETCOUNT, 0, 0)) << "Deutsch, English, Français";
    SendMessageW(chooser, CB_SETCURSEL, 0, 0);
    SendMessageW(GetParent(chooser), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(chooser), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(chooser));
    SendMessageW(childWithText(GetParent(chooser), "Apply"), BM_CLICK, 0, 0);
    EXPECT_NE(nullptr, childWithText(main, "System <<")) << "nothing changes before the restart";
  }
  {
    RunningProgram second(program);
    HWND main = second.mainWindow();
    ASSERT_NE(nullptr, main);
    SendMessageW(childWithText(main, "System >>"), BM_CLICK, 0, 0);
    EXPECT_NE(nullptr, childWithText(main, "Laufwerke"));
    EXPECT_NE(nullptr, childWithText(main, "CPU && Speicher"));
  }
  DeleteFileA(folder.file("languages\\German.ini").c_str());
  {
    RunningProgram third(program);
    HWND box = nullptr;
    for (int waited = 0; waited < 20000 && !box; waited += 50) {
      EnumThreadWindows(0, findMessageBox, reinterpret_cast<LPARAM>(&box));
      if (!box) EnumWindows(findMessageBox, reinterpret_cast<LPARAM>(&box));
      if (!box) Sleep(50);
    }
    ASSERT_NE(nullptr, box) << "the missing file is told";
    std::string said;
    for (const auto& child : childrenOf(box)) said += child.text + "\n";
    EXPECT_NE(std::string::npos, said.find("German.ini")) << said;
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    HWND main = third.mainWindow();
    ASSERT_NE(nullptr, main);
    SendMessageW(childWithText(main, "System >>"), BM_CLICK, 0, 0);
    EXPECT_NE(nullptr, childWithText(main, "Drives"));
  }
  RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKey);
}

// The text of a REG_SZ value of the current user, read wide; nullopt when
// the value cannot be read.
std::optional<std::wstring> userText(const wchar_t* key, const wchar_t* name) {
  wchar_t data[256] = {};
  DWORD size = sizeof data;
  if (RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, data, &size) !=
      ERROR_SUCCESS)
    return std::nullopt;
  return std::wstring(data);
}

TEST(ProgramLanguages, RussianShowsCyrillicCaptionsAndARegistryTitleInAnyAlphabetExactly) {
  constexpr const wchar_t* kMain = L"Software\\Microsoft\\Internet Explorer\\Main";
  const std::wstring stored = L"\u041E\u043A\u043D\u043E \u2014 \u65E5\u672C";  // Окно — 日本
  ASSERT_EQ(ERROR_SUCCESS,
            RegSetKeyValueW(HKEY_CURRENT_USER, kMain, L"Window Title", REG_SZ, stored.c_str(),
                            static_cast<DWORD>((stored.size() + 1) * sizeof(wchar_t))));
  ASSERT_EQ(ERROR_SUCCESS, RegSetKeyValueA(HKEY_CURRENT_USER, kSettingsKey, "lng", REG_SZ,
                                           "Russian", sizeof "Russian"));
  {
    RunningProgram program;
    HWND main = program.mainWindow();
    ASSERT_NE(nullptr, main);
    const HWND expander = childWithText(main, "\u0421\u0438\u0441\u0442\u0435\u043C\u0430 >>", true);
    ASSERT_NE(nullptr, expander) << "Система >>";
    SendMessageW(expander, BM_CLICK, 0, 0);
    const HWND explorer = childWithText(main, "\u041F\u0440\u043E\u0432\u043E\u0434\u043D\u0438\u043A", true);
    ASSERT_NE(nullptr, explorer) << "Проводник";
    SendMessageW(explorer, BM_CLICK, 0, 0);
    const HWND title = childWithText(main, "\u041E\u043A\u043D\u043E \u2014 \u65E5\u672C", true);
    ASSERT_NE(nullptr, title) << "the window title field shows the stored text";

    const std::wstring typed = stored + L" \U0001F600";
    SetWindowTextW(title, typed.c_str());  // as typed: the field reports the change
    const HWND apply = childWithText(main, "\u041F\u0440\u0438\u043C\u0435\u043D\u0438\u0442\u044C", true);
    ASSERT_NE(nullptr, apply) << "Применить";
    SendMessageW(apply, BM_CLICK, 0, 0);
    EXPECT_EQ(typed, userText(kMain, L"Window Title").value_or(L"(unreadable)"));
  }
  RegDeleteKeyValueW(HKEY_CURRENT_USER, kMain, L"Window Title");
  RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKey);
}

}  // namespace
}  // namespace corvanta
