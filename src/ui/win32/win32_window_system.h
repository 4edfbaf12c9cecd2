// The window system over user32: form windows, the message loop with
// keyboard navigation (Tab, arrows, access keys, Enter, Escape, F1) in every
// form window, modal windows over a disabled owner that gets its focus back,
// and "let pending events run".
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "ui/win32/form_window.h"
#include "ui/window_system.h"

namespace corvanta::ui::win32 {

class Win32WindowSystem final : public WindowSystem {
 public:
  Win32WindowSystem();
  ~Win32WindowSystem() override;

  void setSkinPainter(SkinPainter* skin) { skin_ = skin; }
  FormWindow* windowOf(const Form& form) const;

  void create(Form& form, Form* owner, Forms& forms) override;
  void show(Form& form) override;
  void runModal(Form& form) override;
  void destroy(Form& form) override;
  void doEvents() override;
  void run() override;

 private:
  // Takes one message (waiting for one if `wait`) and dispatches it; false
  // when there was none, or the quit message came.
  bool pump(bool wait);
  bool anyAlive() const;
  // Frees windows destroyed inside an event, once no handler of theirs runs.
  void reap();

  SkinPainter* skin_ = nullptr;
  std::vector<std::unique_ptr<FormWindow>> windows_;
  bool quit_ = false;
  int dispatching_ = 0;
};

}  // namespace corvanta::ui::win32
