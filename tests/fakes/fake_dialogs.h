// Records every message box instead of showing it, and answers the common
// dialogs from a script: each call takes the next scripted answer, and with
// none left the user is taken to have cancelled.
#pragma once

#include <deque>
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
  std::deque<std::optional<std::string>> fileAnswers;
  std::deque<std::optional<std::uint32_t>> colorAnswers;
  std::deque<std::optional<std::string>> folderAnswers;
  std::vector<OpenFileRequest> fileRequests;

  int messageBox(const std::string& text, const std::string& title, std::uint32_t flags) override {
    shown.push_back({text, title, flags});
    return reply;
  }
  std::optional<std::string> openFile(const OpenFileRequest& request) override {
    fileRequests.push_back(request);
    return next(fileAnswers);
  }
  std::optional<std::uint32_t> chooseColor(std::uint32_t) override { return next(colorAnswers); }
  std::optional<std::string> browseForFolder(const std::string&) override {
    return next(folderAnswers);
  }

 private:
  template <class T>
  static std::optional<T> next(std::deque<std::optional<T>>& answers) {
    if (answers.empty()) return std::nullopt;
    auto answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

}  // namespace corvanta::testing
