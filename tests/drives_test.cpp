// The Drives and System Information pages: their number formats, the fill
// of each drive kind, the launchers, and the facts shown once.
#include <gtest/gtest.h>

#include "drives/drives_page.h"
#include "drives/system_info_page.h"
#include "fakes/app_harness.h"
#include "shell/main_form.h"

namespace corvanta {
namespace {

using testing::AppHarness;
constexpr double kGb = 1073741824.0;

TEST(DriveFormats, SizesSwitchUnitAt999WithTheUsersDecimalSeparator) {
  const std::pair<double, const char*> cases[] = {
      {0, "0 bytes"},
      {999, "999 bytes"},
      {1000, "0.98 KB"},
      {10240, "10.0 KB"},
      {102400, "100 KB"},
      {1022976, "999 KB"},
      {1022977, "0.98 MB"},
      {1047527425, "0.98 GB"},
      {40 * kGb, "40.0 GB"},
      {999 * kGb, "999 GB"},
      {999 * kGb + 1, "0.98 TB"},
      {2000 * kGb, "1.95 TB"},
      {999 * 1024 * kGb, "999 TB"},
      {1024.0 * 1024 * kGb, "1.00 PB"},
      {5e18, "4441 PB"},  // a blank once stood for every disk of 1 TB and more
  };
  for (const auto& [bytes, text] : cases) EXPECT_EQ(text, FormatSize(bytes, ".")) << bytes;
  EXPECT_EQ("0,98 KB", FormatSize(1000, ","));
  EXPECT_EQ("100", FormatSizeNumber(100.5, "."));
  EXPECT_EQ("102", FormatSizeNumber(101.5, "."));
  EXPECT_EQ("37.50%", formatPercent(0.375, "."));
}

TEST(DriveFormats, PairsOfHalvesAreReadUnsigned) {
  EXPECT_EQ(4294967296.0, UnsignedPairAsDouble(0, 1));
  EXPECT_EQ(4294967295.0, UnsignedPairAsDouble(-1, 0));
  EXPECT_EQ(18446744073709551615.0, UnsignedPairAsDouble(-1, -1));
  EXPECT_EQ(3.0 * 4294967296.0 + 2147483648.0, UnsignedPairAsDouble(INT32_MIN, 3));
}

TEST(SystemInfoFormats, BytesAreDividedWhileTheNextStepLeavesMoreThanOne) {
  const std::pair<std::uint64_t, const char*> cases[] = {
      {0, "0 Bytes"},       {1, "1 Bytes"},       {500, "0.4883 KB"},
      {1024, "1 KB"},       {1048576, "1024 KB"}, {536330240, "511.4844 MB"},
      {8589934592, "8 GB"}, {6442450944, "6 GB"}, {5497558138880, "5 TB"},
  };
  for (const auto& [bytes, text] : cases) EXPECT_EQ(text, FormatBytes(bytes, 5)) << bytes;
  EXPECT_EQ("8388608 KB", FormatBytes(8589934592, 1)) << "no more steps than asked";
  EXPECT_EQ("2394 MHz", TextBeforeNull(std::string("2394 MHz\0\0", 10)));
  EXPECT_EQ("", TextBeforeNull(std::string(255, '\0')));
}

class DrivesPageTest : public ::testing::Test {
 protected:
  DrivesPageTest() {
    app.drives.drives["c:\\"] = {
        DriveType::Fixed,
        "SYSTEM",
        true,
        {0, static_cast<std::uint64_t>(40 * kGb), static_cast<std::uint64_t>(15 * kGb)}};
    app.drives.drives["a:\\"] = {DriveType::Removable, "", false, {}};
    app.drives.drives["d:\\"] = {DriveType::CdRom, "", false, {}};
    app.drives.drives["n:\\"] = {DriveType::Remote, "", true, {0, 1 << 20, 1 << 19}};
    app.forms.Show(main);
  }
  ui::Control& c(const std::string& name) { return main.control(name); }
  void choose(const std::string& drive) {
    auto& list = c("Drive1");
    for (int i = 0; i < list.ListCount(); ++i) {
      if (list.items()[static_cast<std::size_t>(i)].rfind(drive, 0) == 0) list.listIndexFromUser(i);
    }
  }
  std::vector<std::string> figures() {
    std::vector<std::string> texts;
    for (const char* name :
         {"typelbl", "lblTotal", "lblFree", "lblUsed", "lblPercentFree", "lblPercentUsed"})
      texts.push_back(c(name).Caption());
    return texts;
  }

  AppHarness app;
  MainForm main{app.context};
};

TEST_F(DrivesPageTest, StartUpShowsDriveCWithItsLabelFiguresAndBars) {
  EXPECT_EQ("c:", c("Drive1").Text());
  main.timer("DriveLabels").onTick();
  EXPECT_EQ("c: [SYSTEM]", c("Drive1").Text()) << "the labels follow once the window is up";
  EXPECT_FALSE(main.timer("DriveLabels").enabled);
  EXPECT_EQ((std::vector<std::string>{"Fixed Drive", "40.0 GB", "15.0 GB", "25.0 GB", "37.50%",
                                      "62.50%"}),
            figures());
  EXPECT_EQ(62, c("usedbar").Value());
  EXPECT_EQ(38, c("freebar").Value());
  EXPECT_TRUE(app.dialogs.shown.empty());
}

TEST_F(DrivesPageTest, AnEmptyFloppyOrCdDriveShowsZerosAndAsksForADisk) {
  choose("a:");
  EXPECT_EQ((std::vector<std::string>{"Floppy Drive", "0", "0", "0", "0", "0"}), figures());
  choose("d:");
  EXPECT_EQ("CD-Rom Drive", c("typelbl").Caption());
  ASSERT_EQ(2u, app.dialogs.shown.size());
  EXPECT_EQ("Insert Disk", app.dialogs.shown[0].title);
  EXPECT_EQ("There is no CD in the drive!!", app.dialogs.shown[1].text);
  EXPECT_EQ(0, c("usedbar").Value());
}

TEST_F(DrivesPageTest, ANetworkDriveKeepsThePreviousTypeAndCannotBeFormatted) {
  choose("n:");
  EXPECT_EQ("Fixed Drive", c("typelbl").Caption());
  EXPECT_EQ("1.00 MB", c("lblTotal").Caption());
  EXPECT_FALSE(c("formatcmd").Enabled());
  EXPECT_TRUE(c("Command1").Enabled()) << "the Explorer button is not the drive's business";
  choose("c:");
  EXPECT_TRUE(c("formatcmd").Enabled());
}

TEST_F(DrivesPageTest, FormatPassesTheDriveNumberAndReportsAFailure) {
  app.drives.drives["d:\\"] = {DriveType::Fixed, "", true, {0, 1000, 500}};
  choose("d:");
  c("formatcmd").click();
  EXPECT_EQ(std::vector<std::uint32_t>{3}, app.shell.formatted);
  EXPECT_TRUE(app.dialogs.shown.empty()) << "a cancel is no failure";
  app.shell.formatResult = kShFormatError;
  c("formatcmd").click();
  EXPECT_EQ(1u, app.dialogs.shown.size());
}

TEST_F(DrivesPageTest, TheDefragmenterIsChosenByVersionAndWhatTheSystemHas) {
  struct Case {
    std::uint32_t platform;
    const char* file;  // present in system32
    bool wow64;
    const char* program;
    const char* parameters;
  };
  const Case cases[] = {
      {kVerPlatformWin32Windows, nullptr, false, "C:\\WINDOWS\\defrag.exe", ""},
      {kVerPlatformWin32Nt, "dfrg.msc", false, "C:\\WINDOWS\\system32\\mmc.exe",
       "\"C:\\WINDOWS\\system32\\dfrg.msc\""},
      {kVerPlatformWin32Nt, "dfrgui.exe", false, "C:\\WINDOWS\\system32\\dfrgui.exe", ""},
      {kVerPlatformWin32Nt, "dfrgui.exe", true, "C:\\WINDOWS\\Sysnative\\dfrgui.exe", ""},
  };
  for (const Case& test : cases) {
    AppHarness fresh;
    fresh.system.version = {4, 10, 1998, test.platform, ""};
    fresh.system.wow64 = test.wow64;
    if (test.file) fresh.files.addFile(std::string("C:\\WINDOWS\\system32\\") + test.file);
    MainForm window(fresh.context);
    fresh.forms.Show(window);
    window.control("defragmentcmd").click();
    ASSERT_EQ(1u, fresh.shell.launched.size()) << test.program;
    EXPECT_EQ(test.program, fresh.shell.launched[0].file);
    EXPECT_EQ(test.parameters, fresh.shell.launched[0].parameters);
    EXPECT_EQ(kSwShowMinimized, fresh.shell.launched[0].showCommand);
  }
  app.shell.result = 2;
  app.files.addFile("C:\\WINDOWS\\system32\\dfrgui.exe");
  c("defragmentcmd").click();
  ASSERT_EQ(1u, app.dialogs.shown.size());
  EXPECT_NE(std::string::npos, app.dialogs.shown[0].text.find("dfrgui.exe"));
}

TEST_F(DrivesPageTest, SystemFactsAreShownOnceAndMissingOnesSaySo) {
  EXPECT_EQ("DESK-7", c("txtComputerName").Text());
  EXPECT_EQ("4 GB", c("txtRAM").Text()) << "2 GB and more are shown";
  EXPECT_EQ("6 GB", c("txtPagingFile").Text());
  EXPECT_EQ("2394 MHz", c("normspeed").Text());
  EXPECT_EQ("06/23/99", c("biosdate").Text());
  EXPECT_EQ(1, app.systemInfo.collected);
  c("Command2").click();
  EXPECT_EQ(1, app.systemInfo.collected) << "showing the page reads nothing again";

  AppHarness bare;
  bare.systemInfo.facts.biosDate.clear();
  bare.systemInfo.speed.clear();
  MainForm window(bare.context);
  bare.forms.Show(window);
  EXPECT_EQ("(not reported by this system)", window.control("biosdate").Text());
  EXPECT_EQ("(not reported by this system)", window.control("normspeed").Text());
}

}  // namespace
}  // namespace corvanta
