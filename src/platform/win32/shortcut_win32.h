// The shortcut port over the shell's link object (IShellLinkA, IPersistFile).
#pragma once

#include "platform/shortcut_port.h"

namespace corvanta {

class Win32Shortcuts final : public ShortcutPort {
 public:
  std::int32_t loadShortcutTarget(const std::string& path, std::string& target) override;
  std::int32_t saveShortcut(const std::string& path, const std::string& target) override;
};

}  // namespace corvanta
