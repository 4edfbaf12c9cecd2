// A window system, skin and splash that show nothing: the windows' models
// load and their handlers run, as the command line needs to work through
// the same windows a user clicks, without one window on the screen.
#pragma once

#include "ui/forms.h"
#include "ui/skin.h"
#include "ui/window_system.h"

namespace corvanta::ui {

class HeadlessWindowSystem final : public WindowSystem {
 public:
  void create(Form&, Form*, Forms& forms) override { forms_ = &forms; }
  void show(Form& form) override { form.reportShown(); }
  // Nobody is there to answer: the window closes as its close box would.
  void runModal(Form& form) override {
    form.reportShown();
    if (forms_ && forms_->isLoaded(form)) forms_->closeRequested(form);
  }
  void destroy(Form&) override {}
  void doEvents() override {}
  void run() override {}

 private:
  Forms* forms_ = nullptr;
};

class HeadlessSkin final : public Skin {
 public:
  void LoadSkinFile(const std::string&) override {}
  void ApplySkinElement(std::uintptr_t, const std::string&) override {}
};

class HeadlessSplash final : public Splash {
 public:
  void ShowSplashFile(const std::string&) override {}
  void SplashStep(int) override {}
};

}  // namespace corvanta::ui
