// Forms: the program's window collection and the life of each window in it.
// A window is loaded once (created, then its load handler runs), shown
// modelessly or modally, and unloaded (its unload handler runs, then it is
// destroyed). Closing a window by its close box asks its query-unload handler
// first, as the main window uses to close every other window.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/form.h"
#include "ui/window_system.h"

namespace corvanta::ui {

class Forms {
 public:
  explicit Forms(WindowSystem& windows) : windows_(windows) {}

  void Load(Form& form, Form* owner = nullptr);
  // Runs for every window as it loads, before it is made and before its
  // load handler: the program gives each window the texts of its language
  // here, so that no window can show without them.
  std::function<void(Form&)> onLoading;

  void Show(Form& form);
  // Loads the window if need be, shows it modally over `owner`, and returns
  // once it has been unloaded.
  void ShowModal(Form& form, Form& owner);
  void Unload(Form& form);
  // Unloads every window, without running any handler: the program ends.
  void End();
  void DoEvents() { windows_.doEvents(); }

  bool isLoaded(const Form& form) const;
  // Loaded windows in the order they were loaded.
  const std::vector<Form*>& loaded() const { return loaded_; }
  bool ended() const { return ended_; }

  // The user asked to close the window (its close box, Alt+F4).
  void closeRequested(Form& form);

  // Opens the help at `topic` (a page of the help file), as the program
  // sets it: the F1 key of every window.
  std::function<void(const std::string& topic)> onHelp;
  void help(const std::string& topic) {
    if (onHelp) onHelp(topic);
  }

 private:
  WindowSystem& windows_;
  std::vector<Form*> loaded_;
  bool ended_ = false;
};

}  // namespace corvanta::ui
