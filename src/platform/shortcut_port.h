// Shell shortcut (.lnk) files: read and write the target they point at.
#pragma once

#include <cstdint>
#include <string>

namespace corvanta {

// COM results the shortcut calls report.
inline constexpr std::int32_t kSOk = 0;
inline constexpr std::int32_t kEFail = static_cast<std::int32_t>(0x80004005);
inline constexpr std::int32_t kEFileNotFound = static_cast<std::int32_t>(0x80070002);

class ShortcutPort {
 public:
  virtual ~ShortcutPort() = default;

  // Loads the shortcut file and gives its target path. Returns the HRESULT;
  // `target` is untouched on failure.
  virtual std::int32_t loadShortcutTarget(const std::string& path, std::string& target) = 0;
  // Writes a shortcut file pointing at `target`, replacing any file there.
  virtual std::int32_t saveShortcut(const std::string& path, const std::string& target) = 0;
};

}  // namespace corvanta
