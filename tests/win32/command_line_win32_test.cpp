// The real program started from a script: its output, exit codes and what
// it leaves in the registry, with broken and healthy entries seeded in both
// registry views.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/win32/wide_text.h"
#include "registry/settings_store.h"
#include "win32/running_program.h"
#include "win32/scratch_folder.h"

namespace corvanta {
namespace {

using testing::programPath;
using testing::readFile;
using testing::ScratchFolder;

struct Outcome {
  DWORD code = 0;
  std::string output;
};

// Starts corvanta.exe (the build's, or `program`) with `args`, its output
// going to a file, and waits.
Outcome corvanta(const ScratchFolder& folder, const std::string& args,
                 const std::string& program = programPath()) {
  const std::string outputFile = folder.file("output.txt");
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  const HANDLE output = CreateFileW(wide(outputFile).c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                    &inherit, CREATE_ALWAYS, 0, nullptr);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = output;
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  std::wstring command = L"\"" + wide(program) + L"\" " + wide(args);
  PROCESS_INFORMATION process{};
  Outcome outcome;
  if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                     &process)) {
    if (WaitForSingleObject(process.hProcess, 120000) != WAIT_OBJECT_0)
      TerminateProcess(process.hProcess, 99);
    GetExitCodeProcess(process.hProcess, &outcome.code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  } else {
    outcome.code = 0xFFFFFFFF;
  }
  CloseHandle(output);
  outcome.output = readFile(outputFile);
  return outcome;
}

int lines(const std::string& text) {
  return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

const std::wstring kSharedDlls = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDlls";

// A shared-component count in one view.
void putShared(REGSAM view, const std::string& file) {
  HKEY key = nullptr;
  RegCreateKeyExW(HKEY_LOCAL_MACHINE, kSharedDlls.c_str(), 0, nullptr, 0, KEY_SET_VALUE | view,
                  nullptr, &key, nullptr);
  const DWORD one = 1;
  RegSetValueExW(key, wide(file).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one),
                 sizeof one);
  RegCloseKey(key);
}

bool hasShared(REGSAM view, const std::string& file) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSharedDlls.c_str(), 0, KEY_QUERY_VALUE | view, &key) !=
      ERROR_SUCCESS)
    return false;
  const bool found = RegQueryValueExW(key, wide(file).c_str(), nullptr, nullptr, nullptr,
                                      nullptr) == ERROR_SUCCESS;
  RegCloseKey(key);
  return found;
}

// A JSON text as the report writes it.
std::string json(const std::string& text) {
  std::string out;
  for (const char c : text) out += c == '\\' ? std::string("\\\\") : std::string(1, c);
  return out;
}

TEST(CommandLine, AReportNamesExactlyTheBrokenEntriesOfBothViewsAndARepairRemovesOnlyThem) {
  ScratchFolder folder;
  const std::string here = folder.file("here.dll");
  CloseHandle(CreateFileW(wide(here).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
  const std::string gone64 = folder.file("gone64 Жук.dll");
  const std::string gone32 = folder.file("gone32.dll");
  putShared(KEY_WOW64_64KEY, here);
  putShared(KEY_WOW64_64KEY, gone64);
  putShared(KEY_WOW64_32KEY, gone32);

  const Outcome report =
      corvanta(folder, "/health /checks shared /report \"" + folder.file("r.json") + "\"");
  EXPECT_EQ(1u, report.code) << report.output;
  const std::string written = readFile(folder.file("r.json"));
  EXPECT_NE(std::string::npos, written.find("SharedDlls\", \"value\": \"" + json(gone64)))
      << written;
  EXPECT_NE(std::string::npos,
            written.find("Wow6432Node\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\SharedDlls\", "
                         "\"value\": \"" +
                         json(gone32)))
      << written;
  EXPECT_EQ(std::string::npos, written.find(json(here))) << "a healthy entry is not reported";
  EXPECT_TRUE(hasShared(KEY_WOW64_64KEY, gone64) && hasShared(KEY_WOW64_32KEY, gone32))
      << "a report changes nothing";

  const Outcome repair = corvanta(folder, "--HEALTH --checks shared --repair");
  EXPECT_TRUE(repair.code == 2 || repair.code == 3) << repair.output;
  EXPECT_FALSE(hasShared(KEY_WOW64_64KEY, gone64));
  EXPECT_FALSE(hasShared(KEY_WOW64_32KEY, gone32));
  EXPECT_TRUE(hasShared(KEY_WOW64_64KEY, here));

  const Outcome undo = corvanta(folder, "/undo-last");
  EXPECT_EQ(0u, undo.code) << undo.output;
  EXPECT_TRUE(hasShared(KEY_WOW64_32KEY, gone32)) << "undo puts it back in its own view";
  EXPECT_FALSE(hasShared(KEY_WOW64_64KEY, gone32));

  const Outcome usage = corvanta(folder, "/health /checks cleaner");
  EXPECT_EQ(64u, usage.code);
  EXPECT_EQ(1, lines(usage.output)) << usage.output;
  const Outcome unwritable = corvanta(folder, "/health /checks shared /report Q:\\nowhere\\r.csv");
  EXPECT_EQ(74u, unwritable.code) << unwritable.output;
  EXPECT_TRUE(hasShared(KEY_WOW64_32KEY, gone32)) << "nothing repaired without /repair";
  RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kSharedDlls.c_str(), wide(here).c_str());
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSharedDlls.c_str(), 0, KEY_SET_VALUE | KEY_WOW64_32KEY,
                    &key) == ERROR_SUCCESS) {
    RegDeleteValueW(key, wide(gone32).c_str());
    RegCloseKey(key);
  }
}

DWORD policy(const wchar_t* name) {
  DWORD value = 0xFFFFFFFF, size = sizeof value;
  RegGetValueW(HKEY_CURRENT_USER,
               L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer", name,
               RRF_RT_REG_DWORD, nullptr, &value, &size);
  return value;
}
DWORD noRun() { return policy(L"NoRun"); }

void setPolicy(const wchar_t* name, DWORD value) {
  RegSetKeyValueW(HKEY_CURRENT_USER,
                  L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer", name,
                  REG_DWORD, &value, sizeof value);
}
void setNoRun(DWORD value) { setPolicy(L"NoRun", value); }

void writeFile(const std::string& path, const std::string& bytes) {
  DeleteFileW(wide(path).c_str());
  const HANDLE out =
      CreateFileW(wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  DWORD written = 0;
  WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(out);
}

// The language the window speaks, stored as the Language page stores it;
// none for an empty name.
void storeLanguage(const std::string& language) {
  const std::wstring key = wide(settingsKeyPath(kSettingsApplication, "Language"));
  HKEY settings = nullptr;
  RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &settings,
                  nullptr);
  const std::wstring name = wide(language);
  if (language.empty()) {
    RegDeleteValueW(settings, L"lng");
  } else {
    RegSetValueExW(settings, L"lng", 0, REG_SZ, reinterpret_cast<const BYTE*>(name.c_str()),
                   static_cast<DWORD>((name.size() + 1) * sizeof(wchar_t)));
  }
  RegCloseKey(settings);
}

TEST(CommandLine, SettingsExportedComeBackOnImportAndABadFileChangesNothing) {
  ScratchFolder folder;
  setNoRun(1);
  const std::string file = folder.file("settings Жук.ini");
  // Whatever language the window speaks, the file is in the command line's
  // English: scripts read it.
  storeLanguage("Russian");
  const Outcome exported = corvanta(folder, "/export-settings \"" + file + "\"");
  storeLanguage("");
  ASSERT_EQ(0u, exported.code) << exported.output;
  const std::string text = readFile(file);
  ASSERT_NE(std::string::npos, text.find("runchk=1\r\n")) << text;
  EXPECT_NE(std::string::npos, text.find("RCombo=Select resolution\r\n")) << text;

  setNoRun(0);
  const Outcome imported = corvanta(folder, "/import-settings \"" + file + "\"");
  EXPECT_EQ(0u, imported.code) << imported.output;
  EXPECT_EQ(1u, noRun());

  setNoRun(0);
  for (const std::string& bad :
       {text + "nosuchbox=1\r\n", text + "[Nowhere]\r\n", text + "runchk\r\n",
        std::string("[Start Menu]\r\nrunchk=2\r\n")}) {
    const std::string badFile = folder.file("bad.ini");
    writeFile(badFile, bad);
    const Outcome refused = corvanta(folder, "/import-settings \"" + badFile + "\"");
    EXPECT_EQ(65u, refused.code) << refused.output;
    EXPECT_EQ(1, lines(refused.output)) << refused.output;
  }
  EXPECT_EQ(0u, noRun()) << "nothing applied from a bad file";
  EXPECT_EQ(65u, corvanta(folder, "/import-settings \"" + folder.file("missing.ini") + "\"").code);
}

// The group numbers of the journal's group lines, in order.
std::vector<std::string> journalGroups() {
  wchar_t appData[MAX_PATH];
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, 0, appData))) return {};
  std::vector<std::string> ids;
  const std::string text = readFile(narrow(appData) + "\\Corvanta\\changes.log");
  for (std::size_t at = 0; at < text.size();) {
    std::size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(at, end - at);
    at = end + 1;
    if (!line.empty() && line[0] == '#') line.erase(0, line.find('\t') + 1);
    if (line.rfind("G\t", 0) == 0) ids.push_back(line.substr(2, line.find('\t', 2) - 2));
  }
  return ids;
}

// The window open while a command line imports settings: each process's
// change is a group of its own, and /undo-last takes back only the newest.
TEST(CommandLine, TheWindowAndACommandLineImportKeepTheirOwnGroups) {
  ScratchFolder folder;
  setPolicy(L"NoFind", 0);
  setNoRun(0);
  testing::RunningProgram program;
  HWND main = program.mainWindow();
  ASSERT_NE(nullptr, main);
  ASSERT_NE(nullptr, testing::showStartMenuTab(main));
  HWND find = testing::childWithText(main, "Remove the Find command");
  ASSERT_NE(nullptr, find);
  HWND apply = testing::childWithText(GetParent(find), "Apply");
  ASSERT_NE(nullptr, apply);
  const std::size_t before = journalGroups().size();

  SendMessageW(find, BM_CLICK, 0, 0);  // the window's first group
  SendMessageW(apply, BM_CLICK, 0, 0);
  ASSERT_EQ(1u, policy(L"NoFind"));
  const std::string file = folder.file("run.ini");
  writeFile(file, "[Start Menu]\r\nrunchk=1\r\n");
  const Outcome imported = corvanta(folder, "/import-settings \"" + file + "\"");
  ASSERT_EQ(0u, imported.code) << imported.output;
  ASSERT_EQ(1u, noRun());
  SendMessageW(find, BM_CLICK, 0, 0);  // the window's second group, after the import's
  SendMessageW(apply, BM_CLICK, 0, 0);
  ASSERT_EQ(0u, policy(L"NoFind"));

  std::vector<std::string> ids = journalGroups();
  ASSERT_EQ(before + 3, ids.size());
  std::sort(ids.begin(), ids.end());
  EXPECT_EQ(ids.end(), std::adjacent_find(ids.begin(), ids.end())) << "a number given twice";

  const Outcome undone = corvanta(folder, "/undo-last");
  EXPECT_EQ(0u, undone.code) << undone.output;
  EXPECT_NE(std::string::npos, undone.output.find("Start Menu")) << undone.output;
  EXPECT_EQ(1u, policy(L"NoFind")) << "the window's last Apply taken back";
  EXPECT_EQ(1u, noRun()) << "the import's change left alone";
}

std::string shellFolder(int which) {
  wchar_t path[MAX_PATH];
  return SUCCEEDED(SHGetFolderPathW(nullptr, which, nullptr, 0, path)) ? narrow(path) : std::string();
}

bool exists(const std::string& path) {
  return GetFileAttributesW(wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The zip's program with portable.ini beside it: an export, an import, a
// repair and Undo all keep everything of the program's own in Data beside
// it, and leave nothing of it in the registry or the profile.
TEST(CommandLine, APortableProgramLeavesNothingOfItsOwnInTheRegistryOrTheProfile) {
  ScratchFolder folder;
  const std::string program = folder.file("corvanta.exe");
  ASSERT_TRUE(CopyFileW(wide(programPath()).c_str(), wide(program).c_str(), FALSE));
  writeFile(folder.file("portable.ini"), "");
  // What the installed program's runs in this test prefix left goes first.
  const std::string roaming = shellFolder(CSIDL_APPDATA) + "\\Corvanta";
  const std::string local = shellFolder(CSIDL_LOCAL_APPDATA) + "\\Corvanta";
  const std::wstring settings = L"Software\\VB and VBA Program Settings\\Corvanta";
  ScratchFolder::removeTree(roaming);
  ScratchFolder::removeTree(local);
  RegDeleteTreeW(HKEY_CURRENT_USER, settings.c_str());
  RegDeleteKeyW(HKEY_CURRENT_USER, settings.c_str());
  const std::string gone = folder.file("portable-gone.dll");
  putShared(KEY_WOW64_64KEY, gone);
  setNoRun(0);

  const std::string file = folder.file("settings.ini");
  EXPECT_EQ(0u, corvanta(folder, "/export-settings \"" + file + "\"", program).code);
  writeFile(file, "[Start Menu]\r\nrunchk=1\r\n");
  const Outcome imported = corvanta(folder, "/import-settings \"" + file + "\"", program);
  EXPECT_EQ(0u, imported.code) << imported.output;
  EXPECT_EQ(1u, noRun());
  const Outcome repaired = corvanta(folder, "/health /checks shared /repair", program);
  EXPECT_EQ(2u, repaired.code) << repaired.output;
  EXPECT_FALSE(hasShared(KEY_WOW64_64KEY, gone));
  const Outcome undone = corvanta(folder, "/undo-all", program);
  EXPECT_EQ(0u, undone.code) << undone.output;
  EXPECT_EQ(0u, noRun());
  EXPECT_TRUE(hasShared(KEY_WOW64_64KEY, gone)) << "the repair undone from Data's journal";

  EXPECT_FALSE(exists(roaming));
  EXPECT_FALSE(exists(local));
  HKEY key = nullptr;
  EXPECT_NE(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, settings.c_str(), 0, KEY_READ, &key));
  EXPECT_TRUE(exists(folder.file("Data\\changes.log")));
  std::vector<std::string> backups;
  WIN32_FIND_DATAW found;
  const HANDLE search =
      FindFirstFileW(wide(folder.file("Data\\Backups\\*.reg")).c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do backups.push_back(narrow(found.cFileName));
    while (FindNextFileW(search, &found));
    FindClose(search);
  }
  EXPECT_EQ(1u, backups.size()) << "the repair's backup beside the program";
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSharedDlls.c_str(), 0, KEY_SET_VALUE | KEY_WOW64_64KEY,
                    &key) == ERROR_SUCCESS) {
    RegDeleteValueW(key, wide(gone).c_str());
    RegCloseKey(key);
  }
}

}  // namespace
}  // namespace corvanta
