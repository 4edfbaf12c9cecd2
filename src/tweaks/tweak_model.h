// The tweak model every tweak page shares. A tweak is one control bound to
// one registry value, written as a table row: the control, the value's path
// in script-host syntax, its type, and for settings that new user profiles
// should get too, the same value under the default user. A page is mostly
// such a table plus the few handlers that do something special.
#pragma once

#include <map>
#include <span>
#include <string>
#include <vector>

#include "base/resume.h"

namespace corvanta {

struct AppContext;
class ScriptShell;
namespace ui {
class Control;
class Form;
}  // namespace ui

enum class TweakType {
  Dword,  // a check box's state, 1 ticked, 0 clear
  Text,   // a text field's or combo box's text, as shown
};

struct Tweak {
  const char* control;
  const char* path;
  TweakType type;
  const char* defaultUserPath = nullptr;  // written after `path`, when given
};

// Collects the values an Apply could not write. The Apply goes on with the
// rest, then tells the user once; nothing is said when all went well.
class ApplyReport {
 public:
  // Runs one write; when it fails, `what` is noted and the Apply goes on.
  template <class Write>
  void write(const std::string& what, Write&& write) {
    if (!resumeNext(std::forward<Write>(write))) failed(what);
  }
  void failed(const std::string& what) { failures_.push_back(what); }
  const std::vector<std::string>& failures() const { return failures_; }
  // One message box with the critical icon naming every failure.
  void tell(AppContext& app) const;

 private:
  std::vector<std::string> failures_;
};

// Each control's state as the page last read or applied it. An Apply that
// writes only what changed since never overwrites a setting the user left
// alone with whatever its control happens to hold (a placeholder, a value
// that could not be read, a control's starting position).
class AppliedState {
 public:
  void remember(const ui::Control& control);
  // True for a control that was never remembered.
  bool changed(const ui::Control& control) const;

 private:
  std::map<std::string, std::pair<int, std::string>> states_;  // by control name
};

// Sets each tweak's control from its stored value, in order. A value that is
// missing or cannot be shown leaves its control as it was.
void readTweaks(ui::Form& form, ScriptShell& shell, std::span<const Tweak> tweaks);

// Writes each tweak's value from its control, in order: to its path, then to
// its default-user path when it has one. Given a state, only the controls
// changed since it was taken are written, and each written one is remembered.
void writeTweaks(const ui::Form& form, ScriptShell& shell, std::span<const Tweak> tweaks,
                 ApplyReport& report, AppliedState* state = nullptr);

}  // namespace corvanta
