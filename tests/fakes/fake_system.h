// A scripted system: environment, version records, program path, INI files
// read with the profile rules of Windows, and the single-instance name.
#pragma once

#include <map>
#include <set>
#include <stdexcept>
#include <string>

#include "base/text.h"
#include "platform/system_port.h"

namespace corvanta::testing {

class FakeSystem final : public SystemPort {
 public:
  // Variable names in upper case.
  std::map<std::string, std::string> environment{{"SYSTEMROOT", "C:\\WINDOWS"}};
  OsVersion version{5, 1, 2600, kVerPlatformWin32Nt, "Service Pack 3"};
  bool versionFails = false;
  bool versionThrows = false;  // stands for a run-time error inside the call
  std::string modulePath = "C:\\Program Files\\Corvanta\\corvanta.exe";
  FileVersion fileVersion{3, 3, 0, 0};
  std::set<std::string> claimedNames;  // held by other running processes
  LocalTime now{2026, 12, 8, 9, 30, 5};
  std::uint32_t processors = 2;
  MemoryStatus memory{536346624, 327155712, 1073741824, 805306368};
  NumberSeparators separators;
  bool wow64 = false;

  // 64-bit Windows with its folders on C:, as a program of either bitness
  // sees it: the WOW64 flag, and ProgramFiles and CommonProgramFiles naming
  // the program's own folders beside the variables that name each
  // bitness's.
  void asSixtyFourBitWindows(bool thirtyTwoBitProgram);

  // %NAME% references are replaced when NAME (any case) is set; anything
  // else, an unclosed "%" included, stays as written.
  std::string expandEnvironmentStrings(const std::string& text) override;
  bool getVersionEx(OsVersion& out) override {
    if (versionThrows) throw std::runtime_error("Out of memory");
    if (versionFails) return false;
    out = version;
    return true;
  }
  std::string moduleFileName() override { return modulePath; }
  bool moduleVersion(FileVersion& out) override {
    out = fileVersion;
    return true;
  }

  // INI files by path (any case): their whole text.
  void putIniFile(const std::string& path, const std::string& text) {
    iniFiles_[foldCase(path)] = text;
  }
  void removeIniFile(const std::string& path) { iniFiles_.erase(foldCase(path)); }
  std::string getPrivateProfileString(const std::string& section, const std::string& key,
                                      const std::string& fallback, std::uint32_t bufferSize,
                                      const std::string& path) override;
  int profileReads = 0;

  bool claimSingleInstance(const std::string& name) override {
    if (!claimedNames.insert(name).second) return false;
    claimed = name;
    return true;
  }
  void releaseSingleInstance() override { claimedNames.erase(claimed); }
  bool administrator = true;
  bool hasAdministratorRights() override { return administrator; }
  LocalTime localTime() override { return now; }
  std::uint32_t processorCount() override { return processors; }
  MemoryStatus memoryStatus() override { return memory; }
  NumberSeparators numberSeparators() override { return separators; }
  std::string windowsDirectory() override { return environment["SYSTEMROOT"]; }
  bool isWow64() override { return wow64; }

 private:
  std::map<std::string, std::string> iniFiles_;
  std::string claimed;
};

}  // namespace corvanta::testing
