// The tweak model every tweak page shares. A tweak is one control bound to
// one registry value, written as a table row: the control, the value's path
// in script-host syntax, its type, and for settings that new user profiles
// should get too, the same value under the default user. A page is mostly
// such a table plus the few handlers that do something special.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "base/resume.h"

namespace corvanta {

class DialogsPort;
class ScriptShell;
namespace ui {
class Form;
}

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
  void tell(DialogsPort& dialogs) const;

 private:
  std::vector<std::string> failures_;
};

// Sets each tweak's control from its stored value, in order. A value that is
// missing or cannot be shown leaves its control as it was.
void readTweaks(ui::Form& form, ScriptShell& shell, std::span<const Tweak> tweaks);

// Writes each tweak's value from its control, in order: to its path, then to
// its default-user path when it has one.
void writeTweaks(const ui::Form& form, ScriptShell& shell, std::span<const Tweak> tweaks,
                 ApplyReport& report);

}  // namespace corvanta
