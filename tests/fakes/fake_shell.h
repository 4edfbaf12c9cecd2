// Records what the program asked the shell to start.
#pragma once

#include <string>
#include <vector>

#include "platform/shell_port.h"

namespace corvanta::testing {

struct ShellLaunch {
  std::uintptr_t owner = 0;
  std::string file;
  std::string parameters;
  std::string folder;
  int showCommand = 0;
};

class FakeShell final : public ShellPort {
 public:
  std::vector<ShellLaunch> launched;
  std::intptr_t result = 42;
  std::string appData = "C:\\Documents and Settings\\user\\Application Data";
  std::string localAppData = "C:\\Documents and Settings\\user\\Local Settings\\Application Data";

  std::intptr_t shellExecute(std::uintptr_t owner, const std::string& file,
                             const std::string& parameters, const std::string& folder,
                             int showCommand) override {
    launched.push_back({owner, file, parameters, folder, showCommand});
    return result;
  }
  std::string userAppDataFolder() override { return appData; }
  std::string localAppDataFolder() override { return localAppData; }
  std::vector<std::string> elevated;
  std::intptr_t runElevated(std::uintptr_t, const std::string& path) override {
    elevated.push_back(path);
    return result;
  }
  std::vector<std::uint32_t> formatted;
  std::uint32_t formatResult = kShFormatCancel;
  int emptied = 0;
  std::int32_t emptyResult = 0;
  std::int32_t emptyRecycleBin(std::uintptr_t) override {
    ++emptied;
    return emptyResult;
  }
  void updateRecycleBinIcon() override {}
  std::uint32_t formatDrive(std::uintptr_t, std::uint32_t drive) override {
    formatted.push_back(drive);
    return formatResult;
  }
};

}  // namespace corvanta::testing
