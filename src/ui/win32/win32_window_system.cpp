#include "ui/win32/win32_window_system.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>

#include "platform/win32/startup_trace.h"

namespace corvanta::ui::win32 {

Win32WindowSystem::Win32WindowSystem() {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_USEREX_CLASSES | ICC_BAR_CLASSES |
                   ICC_PROGRESS_CLASS | ICC_UPDOWN_CLASS | ICC_LISTVIEW_CLASSES;
  InitCommonControlsEx(&controls);
}

Win32WindowSystem::~Win32WindowSystem() = default;

FormWindow* Win32WindowSystem::windowOf(const Form& form) const {
  for (const auto& window : windows_) {
    if (&window->form() == &form && window->alive()) return window.get();
  }
  return nullptr;
}

void Win32WindowSystem::create(Form& form, Form* owner, Forms& forms) {
  const FormWindow* ownerWindow = owner ? windowOf(*owner) : nullptr;
  auto window =
      std::make_unique<FormWindow>(form, ownerWindow ? ownerWindow->hwnd() : nullptr, forms, skin_);
  if (!window->create())
    throw std::runtime_error("Windows could not create the window " + form.name());
  windows_.push_back(std::move(window));
  if (windows_.size() == 1) tracePhase("created");
}

void Win32WindowSystem::show(Form& form) {
  if (FormWindow* window = windowOf(form)) window->show();
}

void Win32WindowSystem::runModal(Form& form) {
  FormWindow* window = windowOf(form);
  if (!window) return;
  HWND owner = window->owner();
  if (FormWindow* ownerWindow = owner ? FormWindow::fromHandle(owner) : nullptr)
    ownerWindow->rememberFocus();  // a disabled window has no focus to remember
  if (owner) EnableWindow(owner, FALSE);
  window->show();
  while (windowOf(form) && !quit_) pump(true);
  if (owner) {
    EnableWindow(owner, TRUE);
    SetActiveWindow(owner);
  }
}

void Win32WindowSystem::destroy(Form& form) {
  if (FormWindow* window = windowOf(form)) window->destroy();
}

bool Win32WindowSystem::pump(bool wait) {
  MSG message;
  if (wait) {
    if (GetMessageW(&message, nullptr, 0, 0) <= 0) {
      quit_ = true;
      return false;
    }
  } else if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    return false;
  } else if (message.message == WM_QUIT) {
    quit_ = true;
    return false;
  }
  // Keyboard navigation within the window the message is for: Tab and F1
  // as the window orders them, the rest as the dialog manager does.
  const HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
  FormWindow* form = root ? FormWindow::fromHandle(root) : nullptr;
  ++dispatching_;
  if (!form || !(form->dialogKey(message) || IsDialogMessageW(root, &message))) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  --dispatching_;
  reap();
  return true;
}

void Win32WindowSystem::doEvents() {
  while (pump(false)) {
  }
}

bool Win32WindowSystem::anyAlive() const {
  return std::any_of(windows_.begin(), windows_.end(),
                     [](const auto& window) { return window->alive(); });
}

void Win32WindowSystem::run() {
  while (anyAlive() && !quit_) pump(true);
  reap();
}

void Win32WindowSystem::reap() {
  // A handler further down the stack may belong to a window destroyed while
  // it let events run: free windows only when no event is being handled.
  if (dispatching_ > 0) return;
  std::erase_if(windows_, [](const auto& window) { return !window->alive(); });
}

}  // namespace corvanta::ui::win32
