#include "ui/forms.h"

#include <algorithm>

namespace corvanta::ui {

bool Forms::isLoaded(const Form& form) const {
  return std::find(loaded_.begin(), loaded_.end(), &form) != loaded_.end();
}

void Forms::Load(Form& form, Form* owner) {
  if (ended_ || isLoaded(form)) return;
  if (onLoading) onLoading(form);
  windows_.create(form, owner, *this);
  loaded_.push_back(&form);
  if (form.onLoad) form.onLoad();
}

void Forms::Show(Form& form) {
  Load(form);
  if (isLoaded(form)) windows_.show(form);
}

void Forms::ShowModal(Form& form, Form& owner) {
  Load(form, &owner);
  if (isLoaded(form)) windows_.runModal(form);
}

void Forms::Unload(Form& form) {
  if (!isLoaded(form)) return;
  // Out of the collection first: an unload handler that unloads other
  // windows must not come back to this one.
  loaded_.erase(std::find(loaded_.begin(), loaded_.end(), &form));
  if (form.onUnload) form.onUnload();
  windows_.destroy(form);
}

void Forms::End() {
  ended_ = true;
  while (!loaded_.empty()) {
    Form* form = loaded_.back();
    loaded_.pop_back();
    windows_.destroy(*form);
  }
}

void Forms::closeRequested(Form& form) {
  bool cancel = false;
  if (form.onQueryUnload) form.onQueryUnload(cancel);
  if (!cancel) Unload(form);
}

}  // namespace corvanta::ui
