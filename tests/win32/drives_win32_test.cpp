// The Drives and System Information pages over the real system: Wine's C:
// and Z: drives, and every fact the page shows.
#include <windows.h>

#include <gtest/gtest.h>

#include "fakes/app_harness.h"
#include "platform/win32/drive_win32.h"
#include "platform/win32/system_info_win32.h"
#include "shell/main_form.h"

namespace corvanta {
namespace {

TEST(DrivesOnThisSystem, FixedDrivesShowTheirTypeSizesAndShares) {
  testing::AppHarness harness;
  Win32Drives drives;
  Win32SystemInfo systemInfo;
  AppContext real = harness.contextWith({.drives = &drives, .systemInfo = &systemInfo});
  MainForm main(real);
  harness.forms.Show(main);
  auto& list = main.control("Drive1");
  EXPECT_EQ("c:", list.Text().substr(0, 2));
  for (const char* letter : {"c:", "z:"}) {
    for (int i = 0; i < list.ListCount(); ++i) {
      if (list.items()[static_cast<std::size_t>(i)].rfind(letter, 0) == 0)
        list.listIndexFromUser(i);
    }
    EXPECT_EQ(letter, list.Text().substr(0, 2));
    EXPECT_EQ("Fixed Drive", main.control("typelbl").Caption()) << letter;
    for (const char* figure : {"lblTotal", "lblFree", "lblUsed"}) {
      EXPECT_NE("", main.control(figure).Caption()) << letter << " " << figure;
    }
    EXPECT_NE(std::string::npos, main.control("lblPercentFree").Caption().find('%'));
  }
  EXPECT_TRUE(harness.dialogs.shown.empty());

  for (const char* field :
       {"txtComputerName", "txtUSerName", "txtRAM", "txtPagingFile", "txtOSversion", "txtOS",
        "txtOSID", "txtCompatible", "normspeed", "biosdate", "biosver"}) {
    const std::string text = main.control(field).Text();
    EXPECT_FALSE(text.empty()) << field;
    std::printf("  %-16s %s\n", field, text.c_str());
  }
  EXPECT_NE(std::string::npos, main.control("normspeed").Text().find(" MHz"));
}

}  // namespace
}  // namespace corvanta
