// What the program asks of the window system: make a window of the form
// model real, show it (modally or not), destroy it, let pending events run,
// and run until the last window is gone. Realised with Win32 in ui/win32/;
// host tests use a scripted stand-in.
#pragma once

namespace corvanta::ui {

class Form;
class Forms;

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  // Creates the window and its controls, hidden, owned by `owner` if given.
  // From now on the window follows the model, and reports the user's input
  // and close requests to `forms`.
  virtual void create(Form& form, Form* owner, Forms& forms) = 0;
  virtual void show(Form& form) = 0;
  // Shows the window modally over its owner; returns once it is destroyed.
  virtual void runModal(Form& form) = 0;
  virtual void destroy(Form& form) = 0;
  // Lets the window events waiting in the queue run, then returns.
  virtual void doEvents() = 0;
  // Dispatches window events until no window of the program is left.
  virtual void run() = 0;
};

}  // namespace corvanta::ui
