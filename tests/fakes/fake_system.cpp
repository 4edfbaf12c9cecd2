#include "fakes/fake_system.h"

#include "base/profile_text.h"

namespace corvanta::testing {

void FakeSystem::asSixtyFourBitWindows(bool thirtyTwoBitProgram) {
  wow64 = thirtyTwoBitProgram;
  const std::string native = "C:\\Program Files", wow = "C:\\Program Files (x86)";
  const std::string common = "\\Common Files";
  environment["PROGRAMW6432"] = native;
  environment["PROGRAMFILES(X86)"] = wow;
  environment["COMMONPROGRAMW6432"] = native + common;
  environment["COMMONPROGRAMFILES(X86)"] = wow + common;
  environment["PROGRAMFILES"] = thirtyTwoBitProgram ? wow : native;
  environment["COMMONPROGRAMFILES"] = (thirtyTwoBitProgram ? wow : native) + common;
}

std::string FakeSystem::expandEnvironmentStrings(const std::string& text) {
  std::string out;
  std::size_t i = 0;
  while (i < text.size()) {
    const auto close = text[i] == '%' ? text.find('%', i + 1) : std::string::npos;
    if (close != std::string::npos) {
      const auto found = environment.find(foldCase(text.substr(i + 1, close - i - 1)));
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

std::string FakeSystem::getPrivateProfileString(const std::string& section, const std::string& key,
                                                const std::string& fallback,
                                                std::uint32_t bufferSize, const std::string& path) {
  ++profileReads;
  const auto cut = [&](std::string text) {
    if (bufferSize == 0) return std::string();
    if (text.size() > bufferSize - 1) text.resize(bufferSize - 1);
    return text;
  };
  const auto file = iniFiles_.find(foldCase(path));
  if (file == iniFiles_.end()) return cut(fallback);
  return cut(ProfileText(file->second).value(section, key).value_or(fallback));
}

}  // namespace corvanta::testing
