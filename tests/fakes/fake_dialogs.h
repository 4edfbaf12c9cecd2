// Records every message box instead of showing it.
#pragma once

#include <string>
#include <vector>

#include "platform/dialogs_port.h"

namespace corvanta::testing {

struct ShownMessage {
  std::string text;
  std::string title;
  std::uint32_t flags = 0;
};

class FakeDialogs final : public DialogsPort {
 public:
  std::vector<ShownMessage> shown;
  int reply = kIdOk;

  int messageBox(const std::string& text, const std::string& title, std::uint32_t flags) override {
    shown.push_back({text, title, flags});
    return reply;
  }
};

}  // namespace corvanta::testing
