// Stand-ins for the window system, the skin and the splash: they record what
// the program asked of them. A modal window "runs" a test's script and is
// then closed, as a user would close it.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "ui/form.h"
#include "ui/forms.h"
#include "ui/skin.h"
#include "ui/skin_file.h"
#include "ui/window_system.h"

namespace corvanta::testing {

class FakeWindowSystem final : public ui::WindowSystem {
 public:
  std::vector<std::string> log;  // "create frmabout", "show mainform", "modal pchealth", ...
  // What the user does while a modal window is up.
  std::function<void(ui::Form&)> whileModal;
  int doEventsCalls = 0;
  // What the user does while a handler lets events run.
  std::function<void()> whileEventsRun;

  void create(ui::Form& form, ui::Form*, ui::Forms& forms) override {
    forms_ = &forms;
    form.setHandle(nextHandle_++);
    for (const auto& control : form.controls()) control->setHandle(nextHandle_++);
    log.push_back("create " + form.name());
  }
  void show(ui::Form& form) override {
    log.push_back("show " + form.name());
    form.reportShown();
  }
  void runModal(ui::Form& form) override {
    log.push_back("modal " + form.name());
    form.reportShown();
    if (whileModal) whileModal(form);
    if (forms_->isLoaded(form)) forms_->closeRequested(form);
  }
  void destroy(ui::Form& form) override {
    log.push_back("destroy " + form.name());
    form.setHandle(0);
  }
  void doEvents() override {
    ++doEventsCalls;
    if (whileEventsRun) whileEventsRun();
  }
  void run() override {}

 private:
  ui::Forms* forms_ = nullptr;
  std::uintptr_t nextHandle_ = 0x100;
};

class FakeSkin final : public ui::Skin {
 public:
  std::vector<std::string> loaded;
  std::vector<std::pair<std::uintptr_t, std::string>> applied;

  // The text every skin file loaded holds; its unreadable lines are
  // reported as the real engine reports them.
  std::string text;

  void LoadSkinFile(const std::string& path) override {
    loaded.push_back(path);
    const ui::SkinFile file = ui::SkinFile::parse(text);
    if (onSkippedLines && file.skippedCount() > 0)
      onSkippedLines(path, file.skippedCount(), file.skippedLines());
  }
  void ApplySkinElement(std::uintptr_t window, const std::string& element) override {
    applied.emplace_back(window, element);
  }
  void click(const std::string& element) {
    if (onElementClick) onElementClick(element);
  }
};

class FakeSplash final : public ui::Splash {
 public:
  std::vector<std::string> calls;
  void ShowSplashFile(const std::string& path) override { calls.push_back("show " + path); }
  void SplashStep(int step) override { calls.push_back("step " + std::to_string(step)); }
};

}  // namespace corvanta::testing
