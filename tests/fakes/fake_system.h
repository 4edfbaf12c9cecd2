// A scripted system: environment, version record and program path.
#pragma once

#include <map>
#include <stdexcept>
#include <string>

#include "base/ansi_text.h"
#include "platform/system_port.h"

namespace corvanta::testing {

class FakeSystem final : public SystemPort {
 public:
  std::map<std::string, std::string> environment{{"SYSTEMROOT", "C:\\WINDOWS"}};
  OsVersion version{5, 1, 2600, kVerPlatformWin32Nt, "Service Pack 3"};
  bool versionFails = false;
  bool versionThrows = false;  // stands for a run-time error inside the call
  std::string modulePath = "C:\\Program Files\\Corvanta\\corvanta.exe";

  // %NAME% references are replaced when NAME (any case) is set; anything
  // else, an unclosed "%" included, stays as written.
  std::string expandEnvironmentStrings(const std::string& text) override {
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
      const auto close = text[i] == '%' ? text.find('%', i + 1) : std::string::npos;
      if (close != std::string::npos) {
        const auto found = environment.find(foldAnsiCase(text.substr(i + 1, close - i - 1)));
        if (found != environment.end()) {
          out += found->second;
          i = close + 1;
          continue;
        }
      }
      out += text[i++];
    }
    return out;
  }

  bool getVersionEx(OsVersion& out) override {
    if (versionThrows) throw std::runtime_error("Out of memory");
    if (versionFails) return false;
    out = version;
    return true;
  }

  std::string moduleFileName() override { return modulePath; }
};

}  // namespace corvanta::testing
