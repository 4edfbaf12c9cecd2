// A window in the form model: its title and size in twips, its controls in
// designer order (the order the language loader and the skinner walk), its
// timers, and the events of its life. The program declares each window as a
// table of controls and attaches its handlers; nothing here knows Win32.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "ui/control.h"

namespace corvanta::ui {

class Form;

struct Timer {
  std::string name;
  int interval = 0;  // milliseconds
  bool enabled = false;
  std::function<void()> onTick;
};

enum class FormProperty { Caption, Size, Timer };

// One row of a window's control table.
struct ControlRow {
  ControlKind kind;
  const char* name;
  const char* caption;  // design text; null for none
  const char* tag;      // language ID; null for none
  Geometry geometry;    // twips, inside the frame the table is declared in
};

class FormObserver : public ControlObserver {
 public:
  virtual void formChanged(Form& form, FormProperty property) = 0;

 protected:
  ~FormObserver() = default;
};

class Form {
 public:
  Form(std::string name, std::string caption, int width, int height);
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;
  virtual ~Form() = default;

  const std::string& name() const { return name_; }
  const std::string& Caption() const { return caption_; }
  void setCaption(const std::string& caption);
  // The title the window was declared with, and the language ID its title
  // takes (empty for a title no language changes).
  const std::string& DesignCaption() const { return designCaption_; }
  const std::string& Tag() const { return tag_; }
  void setTag(const std::string& languageId) { tag_ = languageId; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void setHeight(int height);
  void setWidth(int width);
  // Whether the user may make the window smaller than its design (it then
  // scrolls) and back; a window larger than the screen scrolls either way.
  bool resizable() const { return resizable_; }
  void setResizable(bool resizable) { resizable_ = resizable; }
  // Whether the window may also be made larger than its design: it may when
  // it is resizable and one of its controls follows it (Control::grows).
  bool growable() const;

  // Declares the next control, after all declared so far.
  Control& add(ControlKind kind, const std::string& name, int index = -1);
  // Declares the table's controls in its order, inside `frame` when given.
  void addAll(std::span<const ControlRow> table, Control* frame = nullptr);
  // The control of that name (and index, in a control array); a name the
  // window does not have is a programming error and throws std::logic_error.
  Control& control(const std::string& name, int index = -1) const;
  const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }

  Timer& addTimer(const std::string& name, int interval);
  Timer& timer(const std::string& name);
  void setTimerInterval(Timer& timer, int interval);
  void setTimerEnabled(Timer& timer, bool enabled);
  const std::vector<std::unique_ptr<Timer>>& timers() const { return timers_; }

  // Option buttons in one container exclude each other.
  void clearOtherOptions(Control& chosen);

  // The keys of a dialog, for whatever realises the window: the button
  // Enter presses while `focus` has the focus (null for none), the one
  // Escape presses, and the help page F1 opens. Null or empty for none.
  Control* defaultButton(const Control* focus) const;
  Control* cancelButton() const;
  std::string helpTopic(const Control* focus) const;
  // The window's help page, for a focus on no page of its own.
  void setHelpTopic(std::string topic) { helpTopic_ = std::move(topic); }

  // Events of the window's life, run by Forms (ui/forms.h).
  std::function<void()> onLoad;
  // Asked before the window closes by its close box; setting `cancel`
  // keeps the window open.
  std::function<void(bool& cancel)> onQueryUnload;
  std::function<void()> onUnload;
  std::function<void()> onResize;
  // Runs once, the first time the window is on the screen and painted, and
  // before it handles any of the user's input: work whose results the first
  // sight of the window does not show waits here, so the window shows sooner.
  std::function<void()> onShown;
  // Said by whatever realises the window; only the first time counts.
  void reportShown();

  // For whatever realises the window.
  void setObserver(FormObserver* observer);
  std::uintptr_t handle() const { return handle_; }
  void setHandle(std::uintptr_t handle) { handle_ = handle; }

 private:
  void notify(FormProperty property);

  std::string name_;
  std::string caption_;
  std::string designCaption_;
  std::string tag_;
  int width_;
  int height_;
  std::vector<std::unique_ptr<Control>> controls_;
  std::vector<std::unique_ptr<Timer>> timers_;
  std::string helpTopic_;
  bool shownReported_ = false;
  bool resizable_ = false;
  FormObserver* observer_ = nullptr;
  std::uintptr_t handle_ = 0;
};

}  // namespace corvanta::ui
