// The dialogs port over user32.
#pragma once

#include "platform/dialogs_port.h"

namespace corvanta {

class Win32Dialogs final : public DialogsPort {
 public:
  int messageBox(const std::string& text, const std::string& title, std::uint32_t flags) override;
  std::optional<std::string> openFile(const OpenFileRequest& request) override;
  std::optional<std::uint32_t> chooseColor(std::uint32_t initial) override;
  std::optional<std::string> browseForFolder(const std::string& title) override;
};

}  // namespace corvanta
