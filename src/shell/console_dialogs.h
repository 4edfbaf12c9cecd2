// The dialogs of a run without windows: a message is printed to the console
// instead of shown, a question is answered "no" (what changes nothing), and
// a file or colour dialog is cancelled.
#pragma once

#include <functional>
#include <string>

#include "platform/dialogs_port.h"

namespace corvanta {

class ConsoleDialogs final : public DialogsPort {
 public:
  explicit ConsoleDialogs(std::function<void(const std::string&)> print)
      : print_(std::move(print)) {}

  int messageBox(const std::string& text, const std::string& title,
                 std::uint32_t flags) override {
    std::string line = title + ": ";
    for (std::size_t at = 0; at < text.size(); ++at) {
      if (text.compare(at, 2, "\r\n") == 0) {
        line += "\r\n  ";
        ++at;
      } else {
        line += text[at];
      }
    }
    print_(line);
    constexpr int kIdNo = 7;
    return (flags & 0x0F) == kMbYesNo ? kIdNo : kIdOk;
  }
  std::optional<std::string> openFile(const OpenFileRequest&) override { return std::nullopt; }
  std::optional<std::uint32_t> chooseColor(std::uint32_t) override { return std::nullopt; }
  std::optional<std::string> browseForFolder(const std::string&) override { return std::nullopt; }

 private:
  std::function<void(const std::string&)> print_;
};

}  // namespace corvanta
