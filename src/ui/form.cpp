#include "ui/form.h"

#include <algorithm>
#include <stdexcept>

namespace corvanta::ui {

Form::Form(std::string name, std::string caption, int width, int height)
    : name_(std::move(name)),
      caption_(std::move(caption)),
      designCaption_(caption_),
      width_(width),
      height_(height) {}

void Form::notify(FormProperty property) {
  if (observer_) observer_->formChanged(*this, property);
}

void Form::reportShown() {
  if (shownReported_) return;
  shownReported_ = true;
  if (onShown) onShown();
}

void Form::setCaption(const std::string& caption) {
  if (caption_ == caption) return;
  caption_ = caption;
  notify(FormProperty::Caption);
}

void Form::setHeight(int height) {
  if (height_ == height) return;
  height_ = height;
  notify(FormProperty::Size);
}

void Form::setWidth(int width) {
  if (width_ == width) return;
  width_ = width;
  notify(FormProperty::Size);
}

Control& Form::add(ControlKind kind, const std::string& name, int index) {
  controls_.push_back(std::make_unique<Control>(*this, kind, name, index));
  controls_.back()->setObserver(observer_);
  return *controls_.back();
}

void Form::addAll(std::span<const ControlRow> table, Control* frame) {
  for (const ControlRow& row : table) {
    Control& control = add(row.kind, row.name);
    if (row.caption) control.caption(row.caption);
    if (row.tag) control.tag(row.tag);
    control.setGeometry(row.geometry);
    if (frame) control.in(*frame);
  }
}

Control& Form::control(const std::string& name, int index) const {
  for (const auto& control : controls_) {
    if (control->name() == name && control->index() == index) return *control;
  }
  throw std::logic_error(name_ + " has no control " + name +
                         (index >= 0 ? "(" + std::to_string(index) + ")" : std::string()));
}

Timer& Form::addTimer(const std::string& name, int interval) {
  timers_.push_back(std::make_unique<Timer>());
  timers_.back()->name = name;
  timers_.back()->interval = interval;
  return *timers_.back();
}

Timer& Form::timer(const std::string& name) {
  for (const auto& timer : timers_) {
    if (timer->name == name) return *timer;
  }
  throw std::logic_error(name_ + " has no timer " + name);
}

void Form::setTimerInterval(Timer& timer, int interval) {
  if (timer.interval == interval) return;
  timer.interval = interval;
  notify(FormProperty::Timer);
}

void Form::setTimerEnabled(Timer& timer, bool enabled) {
  if (timer.enabled == enabled) return;
  timer.enabled = enabled;
  notify(FormProperty::Timer);
}

bool Form::growable() const {
  return resizable_ && std::any_of(controls_.begin(), controls_.end(), [](const auto& control) {
           return !control->parent() &&
                  (control->growsAcross() != Grow::Stay || control->growsDown() != Grow::Stay);
         });
}

void Form::clearOtherOptions(Control& chosen) {
  for (const auto& control : controls_) {
    if (control.get() != &chosen && control->kind() == ControlKind::OptionButton &&
        control->parent() == chosen.parent() && control->Value() != 0) {
      control->setValue(0);
    }
  }
}

namespace {

bool pressable(const Control& button) { return button.showing() && button.Enabled(); }

bool inside(const Control& control, const Control* container) {
  for (const Control* level = control.parent(); level; level = level->parent()) {
    if (level == container) return true;
  }
  return container == nullptr;
}

}  // namespace

// A focused button is pressed itself; otherwise the default button of the
// innermost container around the focus that has one (each page its own
// Apply), else the window's first.
Control* Form::defaultButton(const Control* focus) const {
  if (focus && focus->kind() == ControlKind::Button && pressable(*focus))
    return const_cast<Control*>(focus);
  for (const Control* container = focus ? focus->parent() : nullptr;;
       container = container->parent()) {
    for (const auto& control : controls_) {
      if (control->isDefault() && pressable(*control) && inside(*control, container))
        return control.get();
    }
    if (!container) return nullptr;
  }
}

Control* Form::cancelButton() const {
  for (const auto& control : controls_) {
    if (control->isCancel() && pressable(*control)) return control.get();
  }
  return nullptr;
}

std::string Form::helpTopic(const Control* focus) const {
  for (const Control* level = focus; level; level = level->parent()) {
    if (!level->HelpTopic().empty()) return level->HelpTopic();
  }
  return helpTopic_;
}

void Form::setObserver(FormObserver* observer) {
  observer_ = observer;
  for (const auto& control : controls_) control->setObserver(observer);
}

}  // namespace corvanta::ui
