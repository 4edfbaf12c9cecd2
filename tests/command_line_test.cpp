// The command line on the fakes: what each argument list does and the exit
// code it gives, a health report, settings out and back in, and undo.
#include <gtest/gtest.h>

#include "base/text.h"
#include "fakes/app_harness.h"
#include "shell/command_line.h"

namespace corvanta {
namespace {

using testing::AppHarness;

constexpr RegKey kHklm = kHkeyLocalMachine;
const std::string kSharedDlls = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDlls";
const std::string kExplorerPolicies =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";

class CommandLineTest : public ::testing::Test {
 protected:
  CommandLineTest() {
    app.files.addFolder("C:\\Documents and Settings\\user\\Application Data");
    app.files.addFolder("C:\\out");
    app.files.addFile("C:\\tools\\here.dll");
    app.registry.putDword(kHklm, kSharedDlls, "C:\\tools\\here.dll", 1);
    app.registry.putDword(kHklm, kSharedDlls, "C:\\tools\\gone.dll", 1);
  }
  int run(std::vector<std::string> args) {
    printed.clear();
    return runCommandLine(app.context, args,
                          [&](const std::string& line) { printed += line + '\n'; });
  }
  int noRun() {
    const auto value = app.registry.value(kHkeyCurrentUser, kExplorerPolicies, "NoRun");
    return value && value->data.size() == 4 ? value->data[0] : -1;
  }
  bool goneDllThere() {
    return app.registry.value(kHklm, kSharedDlls, "C:\\tools\\gone.dll").has_value();
  }

  AppHarness app;
  std::string printed;
};

TEST_F(CommandLineTest, UsageErrorsAreNamedInOneLineAndChangeNothing) {
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"/frobnicate"},
      {"health"},
      {"/health", "/checks"},
      {"/health", "/checks", "removal,cleaner"},
      {"/health", "/drive", "CC"},
      {"/health", "/drive", "Q:"},  // no such drive: not "0 found"
      {"/health", "/report"},
      {"/export-settings"},
      {"/undo-all", "/repair"},
      {"/health", "/undo-last"},
  };
  for (const auto& args : cases) {
    EXPECT_EQ(kExitUsage, run(args)) << (args.empty() ? "(none)" : args.back());
    EXPECT_EQ(1, std::count(printed.begin(), printed.end(), '\n')) << printed;
  }
  EXPECT_TRUE(goneDllThere());
  EXPECT_EQ(kExitSuccess, run({"--HELP"}));
  EXPECT_NE(std::string::npos, printed.find("74  the report"));
  app.system.fileVersion = {3, 3, 0, 7};
  EXPECT_EQ(kExitSuccess, run({"/Version"}));
  EXPECT_EQ("Corvanta 3.3.0.7\n", printed);
}

TEST_F(CommandLineTest, AReportListsExactlyTheBrokenEntriesAndARepairRemovesThem) {
  EXPECT_EQ(kExitFindings, run({"/health", "/checks", "shared", "/report", "C:\\out\\r.json"}));
  EXPECT_TRUE(goneDllThere()) << "a report changes nothing";
  EXPECT_EQ(
      "{\"findings\": [\n  {\"check\": \"shared\", \"kind\": \"value\", \"key\": "
      "\"HKEY_LOCAL_MACHINE\\\\" +
          std::string("SOFTWARE\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\SharedDlls") +
          "\", \"value\": \"C:\\\\tools\\\\gone.dll\", \"file\": \"\", \"target\": "
          "\"C:\\\\tools\\\\gone.dll\", \"reason\": \"file missing\"}\n]}\n",
      app.files.contents("C:\\out\\r.json"));
  // CSV, written over an earlier report.
  app.files.addFile("C:\\out\\r.csv", "old");
  EXPECT_EQ(kExitFindings, run({"--health", "--checks", "SHARED", "--report", "C:\\out\\r.csv"}));
  EXPECT_EQ(
      0u,
      app.files.contents("C:\\out\\r.csv").rfind("check,kind,key,value,file,target,reason\r\n", 0));

  app.system.administrator = false;
  EXPECT_EQ(kExitNeedsAdmin, run({"/health", "/checks", "shared", "/repair"}));
  EXPECT_TRUE(goneDllThere());
  EXPECT_EQ(kExitSuccess, run({"/health", "/checks", "histories", "/repair"}))
      << "the user's own lists need no rights";
  app.system.administrator = true;

  EXPECT_EQ(kExitCannotWrite,
            run({"/health", "/checks", "shared", "/repair", "/report", "Q:\\no\\r.csv"}));
  EXPECT_TRUE(goneDllThere())
      << "a report that cannot be written stops the repair before it starts";
  EXPECT_EQ(kExitRepaired,
            run({"/health", "/checks", "shared", "/repair", "/report", "C:\\out\\x.csv"}));
  EXPECT_FALSE(goneDllThere());
  EXPECT_NE(std::string::npos, app.files.contents("C:\\out\\x.csv").find(",true,"));
  EXPECT_EQ(kExitSuccess, run({"/health", "/checks", "shared"})) << "nothing left to find";
  EXPECT_EQ(std::vector<std::string>{}, app.windows.log) << "the checks run with no window";

  EXPECT_EQ(kExitSuccess, run({"/undo-last"}));
  EXPECT_TRUE(goneDllThere()) << "undo puts the repaired entry back";
}

// A registry name holding a lone surrogate (kept as its three UTF-8-style
// bytes) once reached both reports raw, and strict readers refused them.
TEST_F(CommandLineTest, AReportIsValidUtf8WhateverTheNamesHold) {
  struct Case {
    const char* name;  // between "C:\tools\" and ".dll"
    const char* json;
    const char* csv;
  };
  const Case cases[] = {
      {"plain", "plain", "plain"},
      {"hi\xED\xA0\x80", "hi\\ud800", "hi\xEF\xBF\xBD"},
      {"lo\xED\xB0\x80", "lo\\udc00", "lo\xEF\xBF\xBD"},
      {"smile \xF0\x9F\x98\x80", "smile \xF0\x9F\x98\x80", "smile \xF0\x9F\x98\x80"},
      {"joined \xED\xA0\xBD\xED\xB8\x80", "joined \xF0\x9F\x98\x80", "joined \xF0\x9F\x98\x80"},
      {"stray\xFF", "stray\xEF\xBF\xBD", "stray\xEF\xBF\xBD"},
  };
  app.registry.removeValue(kHklm, kSharedDlls, "C:\\tools\\gone.dll");
  for (const Case& c : cases) {
    const std::string name = std::string("C:\\tools\\") + c.name + ".dll";
    app.registry.putDword(kHklm, kSharedDlls, name, 1);
    ASSERT_EQ(kExitFindings, run({"/health", "/checks", "shared", "/report", "C:\\out\\r.json"}))
        << c.json;
    ASSERT_EQ(kExitFindings, run({"/health", "/checks", "shared", "/report", "C:\\out\\r.csv"}))
        << c.json;
    const std::string json = app.files.contents("C:\\out\\r.json");
    const std::string csv = app.files.contents("C:\\out\\r.csv");
    EXPECT_TRUE(isValidUtf8(json)) << c.json;
    EXPECT_TRUE(isValidUtf8(csv)) << c.json;
    EXPECT_NE(std::string::npos,
              json.find(std::string("\"value\": \"C:\\\\tools\\\\") + c.json + ".dll\", \"file\""))
        << json;
    EXPECT_NE(std::string::npos, csv.find(std::string(",C:\\tools\\") + c.csv + ".dll,,")) << csv;
    app.registry.removeValue(kHklm, kSharedDlls, name);
  }
}

TEST_F(CommandLineTest, SettingsGoOutAndComeBackAndABadFileChangesNothing) {
  app.registry.putDword(kHkeyCurrentUser, kExplorerPolicies, "NoRun", 1);
  ASSERT_EQ(kExitSuccess, run({"/export-settings", "C:\\out\\s.ini"}));
  const std::string exported = app.files.contents("C:\\out\\s.ini");
  ASSERT_NE(std::string::npos, exported.find("[Start Menu]\r\n")) << exported;
  ASSERT_NE(std::string::npos, exported.find("runchk=1\r\n")) << exported;

  app.registry.putDword(kHkeyCurrentUser, kExplorerPolicies, "NoRun", 0);
  ASSERT_EQ(kExitSuccess, run({"/import-settings", "C:\\out\\s.ini"})) << printed;
  EXPECT_EQ(1, noRun());

  std::string edited = exported;
  edited.replace(edited.find("runchk=1"), 8, "runchk=0");
  for (const std::string& bad :
       {edited + "nosuchbox=1\r\n", edited + "[Nowhere]\r\n", edited + "junk\r\n",
        std::string("[Start Menu]\r\nrunchk=yes\r\n")}) {
    app.files.deleteFile("C:\\out\\bad.ini");
    app.files.createNewFile("C:\\out\\bad.ini", bad);
    EXPECT_EQ(kExitBadInput, run({"/import-settings", "C:\\out\\bad.ini"})) << bad;
    EXPECT_EQ(1, std::count(printed.begin(), printed.end(), '\n')) << printed;
  }
  EXPECT_EQ(1, noRun()) << "nothing applied";
  EXPECT_EQ(kExitBadInput, run({"/import-settings", "C:\\out\\missing.ini"}));

  app.files.deleteFile("C:\\out\\bad.ini");
  app.files.createNewFile("C:\\out\\bad.ini", edited);
  EXPECT_EQ(kExitSuccess, run({"/import-settings", "C:\\out\\bad.ini"}));
  EXPECT_EQ(0, noRun());
  EXPECT_EQ(kExitSuccess, run({"/undo-last"}));
  EXPECT_EQ(1, noRun());
}

// An import names what the journal recorded, and each setting no Apply
// wrote, with exit code 3; a value a control cannot take changes nothing.
TEST_F(CommandLineTest, AnImportReportsWhatWasWrittenNotWhatTheControlsShow) {
  struct Case {
    const char* what;
    std::string file;
    bool journalWritable;
    int exit;
    std::vector<std::string> said;  // lines the output must hold
  };
  const std::string delay = "Control Panel\\Desktop";
  const Case cases[] = {
      {"a setting written",
       "[Start Menu]\r\nmdelaycombo=400\r\n",
       true,
       kExitSuccess,
       {"set: MenuShowDelay \u2014 HKEY_CURRENT_USER\\Control Panel\\Desktop: 0 -> 400"}},
      {"lines ending in CR alone",
       "[Start Menu]\rrunchk=1\r",
       true,
       kExitSuccess,
       {"set: NoRun \u2014 HKEY_CURRENT_USER\\" + kExplorerPolicies + ": 0 -> 1"}},
      {"the journal cannot be written",
       "[Start Menu]\r\nrunchk=1\r\n",
       false,
       kExitRepairsFailed,
       {"The changes journal could not be written", "not applied: Start Menu: runchk"}},
      {"a field the page's Apply never writes",
       "[Explorer]\r\ntxtDownloadFolder=D:\\Down\r\n",
       true,
       kExitRepairsFailed,
       {"not applied: Explorer: txtDownloadFolder"}},
      {"the wallpaper box without a picture",
       "[Visual]\r\nwallpaperCheck=1\r\n",
       true,
       kExitRepairsFailed,
       {"not applied: Visual: wallpaperCheck"}},
      {"letters for the menu delay",
       "[Start Menu]\r\nmdelaycombo=abc\r\n",
       true,
       kExitBadInput,
       {"mdelaycombo=abc is not a whole number. Nothing was applied."}},
  };
  for (const Case& row : cases) {
    SCOPED_TRACE(row.what);
    AppHarness fresh;
    fresh.files.addFolder("C:\\Documents and Settings\\user\\Application Data");
    fresh.files.addFile("C:\\in.ini", row.file);
    fresh.registry.putDword(kHkeyCurrentUser, kExplorerPolicies, "NoRun", 0);
    fresh.registry.putString(kHkeyCurrentUser, delay, "MenuShowDelay", "0");
    if (!row.journalWritable)
      fresh.files.makeUnwritable(fresh.shell.appData + "\\Corvanta\\changes.log");
    std::string said;
    EXPECT_EQ(row.exit, runCommandLine(fresh.context, {"/import-settings", "C:\\in.ini"},
                                       [&](const std::string& line) { said += line + '\n'; }));
    for (const std::string& line : row.said) EXPECT_NE(std::string::npos, said.find(line)) << said;
    if (row.exit != kExitSuccess) {
      EXPECT_EQ(std::string::npos, said.find("set: ")) << "nothing written, nothing said set";
    }
    if (row.exit == kExitBadInput) {
      const auto stored = fresh.registry.value(kHkeyCurrentUser, delay, "MenuShowDelay");
      ASSERT_TRUE(stored);
      EXPECT_EQ('0', static_cast<char>(stored->data.at(0))) << "nothing applied";
    }
  }
}

}  // namespace
}  // namespace corvanta
