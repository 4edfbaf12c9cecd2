#include "core/log/winver.h"

#include <gtest/gtest.h>

#include "fakes/fake_dialogs.h"
#include "fakes/fake_system.h"

namespace corvanta {
namespace {

using testing::FakeDialogs;
using testing::FakeSystem;

std::string versionText(std::uint32_t platform, std::uint32_t major, std::uint32_t minor) {
  FakeSystem system;
  FakeDialogs dialogs;
  system.version = {major, minor, 0, platform, ""};
  const std::string text = GetWindowsVersion(system, dialogs);
  EXPECT_TRUE(dialogs.shown.empty());
  return text;
}

TEST(GetWindowsVersion, NamesThePlatformByItsFamilyAndMinorVersion) {
  EXPECT_EQ("Windows 98, version: 4.10", versionText(kVerPlatformWin32Windows, 4, 10));
  EXPECT_EQ("Windows 98, version: 4.90", versionText(kVerPlatformWin32Windows, 4, 90));
  EXPECT_EQ("Windows 95, version: 4.0", versionText(kVerPlatformWin32Windows, 4, 0));
  EXPECT_EQ("Windows 95, version: 4.9", versionText(kVerPlatformWin32Windows, 4, 9));
  EXPECT_EQ("Windows NT, version: 5.1", versionText(kVerPlatformWin32Nt, 5, 1));
  EXPECT_EQ("Windows NT, version: 10.0", versionText(kVerPlatformWin32Nt, 10, 0));
  EXPECT_EQ("3.1", versionText(0, 3, 1));
}

TEST(GetWindowsVersion, NeverSaysNinetyEightOnAnyNtRelease) {
  const std::pair<std::uint32_t, std::uint32_t> releases[] = {
      {3, 51}, {4, 0}, {5, 0}, {5, 1}, {5, 2}, {6, 0}, {6, 1}, {6, 2}, {6, 3}, {10, 0}};
  for (const auto& [major, minor] : releases) {
    EXPECT_EQ(std::string::npos, versionText(kVerPlatformWin32Nt, major, minor).find("98"))
        << major << "." << minor;
  }
}

TEST(GetWindowsVersion, AFailedCallReadsAsZeroes) {
  FakeSystem system;
  FakeDialogs dialogs;
  system.versionFails = true;
  EXPECT_EQ("0.0", GetWindowsVersion(system, dialogs));
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST(GetWindowsVersion, ARunTimeErrorIsShownAndNotRaised) {
  FakeSystem system;
  FakeDialogs dialogs;
  system.versionThrows = true;
  EXPECT_EQ("", GetWindowsVersion(system, dialogs));
  ASSERT_EQ(1u, dialogs.shown.size());
  EXPECT_EQ(
      "Error Occurred while Getting Windows Version !!\r\nFunction : GetWindowsVersion \r\nOut of "
      "memory",
      dialogs.shown[0].text);
  EXPECT_EQ("Corvanta", dialogs.shown[0].title);
  EXPECT_EQ(kMbIconError, dialogs.shown[0].flags);
}

}  // namespace
}  // namespace corvanta
