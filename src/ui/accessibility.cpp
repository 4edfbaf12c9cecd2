// Names follow what a sighted user reads around a control: its caption, or
// the label on its left or above it (declared just before it, as on a
// dialog), or the frame it sits in. Labels the program fills as it runs
// (a count, a size) are values, not labels: they are passed over when a
// control looks for its label, and named by the label before them.
//
// Names must tell apart the controls a user moves between at one time: six
// "Check && Repair" buttons read "Check & Repair: Help files" and so on, the
// frame they sit in told after the caption; three "Browse" buttons in one
// frame are told apart by the label of their line. Names are worked out each
// time they are asked for, from the model as it stands, so they follow the
// language, the page shown and the counts.
#include "ui/accessibility.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "ui/form.h"

namespace corvanta::ui {
namespace {

bool isLabel(const Control& control) {
  return control.kind() == ControlKind::Label || control.kind() == ControlKind::SkinLabel;
}

bool isValueLabel(const Control& control) {
  return isLabel(control) && control.DesignCaption().empty() && control.Tag().empty();
}

bool takesFocus(const Control& control) {
  switch (control.kind()) {
    case ControlKind::Label:
    case ControlKind::SkinLabel:
    case ControlKind::Frame:
    case ControlKind::ProgressBar:
    case ControlKind::Picture:
    case ControlKind::Histogram:
      return false;
    default:
      return true;
  }
}

// The controls whose names must differ while they show together.
bool mustBeUnique(const Control& control) {
  return control.showing() && (takesFocus(control) || isValueLabel(control));
}

bool hasWord(const std::string& text) {
  return std::any_of(text.begin(), text.end(),
                     [](unsigned char c) { return std::isalnum(c) || c >= 0x80; });
}

// A label's text without the colon and blanks it ends in.
std::string labelText(const std::string& caption) {
  std::string text = plainCaption(caption);
  while (!text.empty() && (text.back() == ':' || text.back() == ' ')) text.pop_back();
  return text;
}

// The label before `control` in its container: passing over the labels the
// program fills and the labels with no text, and, with `overFields`, over
// other controls too (a Browse button finds the label of its field).
std::string labelBefore(const Control& control, bool overFields) {
  const auto& all = control.form().controls();
  auto at =
      std::find_if(all.begin(), all.end(), [&](const auto& c) { return c.get() == &control; });
  while (at != all.begin()) {
    const Control& other = **--at;
    if (other.parent() != control.parent() || isValueLabel(other)) continue;
    if (isLabel(other)) {
      if (std::string text = labelText(other.Caption()); !text.empty()) return text;
      continue;
    }
    if (!overFields) return {};
  }
  return {};
}

std::string frameCaption(const Control& control) {
  for (const Control* frame = control.parent(); frame; frame = frame->parent()) {
    if (std::string caption = plainCaption(frame->Caption()); hasWord(caption)) return caption;
  }
  return {};
}

// The name before any telling apart, and without a label's value.
std::string baseName(const Control& control) {
  if (!control.DeclaredName().empty()) return control.DeclaredName();
  if (control.hasCaption() && !isValueLabel(control)) {
    std::string caption = plainCaption(control.Caption());
    // An expander says open or closed by its state, not by its arrows.
    if (control.hasExpandedState()) {
      while (!caption.empty() &&
             (caption.back() == '>' || caption.back() == '<' || caption.back() == ' '))
        caption.pop_back();
    }
    if (hasWord(caption)) return caption;
  }
  // A tab strip is called by the tab it shows.
  if (control.kind() == ControlKind::TabStrip && control.SelectedTab() >= 1 &&
      control.SelectedTab() <= static_cast<int>(control.tabs().size()))
    return plainCaption(control.tabs()[static_cast<std::size_t>(control.SelectedTab() - 1)]);
  if (std::string label = labelBefore(control, false); !label.empty() || isValueLabel(control))
    return label;
  if (!control.ToolTipText().empty()) return control.ToolTipText();
  if (std::string frame = frameCaption(control); !frame.empty()) return frame;
  return plainCaption(control.form().Caption());
}

std::string joined(const Control& control, const std::string& base, const std::string& qualifier) {
  if (!isValueLabel(control)) return qualifier.empty() ? base : base + ": " + qualifier;
  std::string name = qualifier.empty() || base.empty() ? qualifier + base : qualifier + ": " + base;
  const std::string value = plainCaption(control.Caption());
  if (!value.empty()) name += name.empty() ? value : " " + value;
  return name;
}

}  // namespace

std::string plainCaption(const std::string& caption) {
  std::string text;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    char c = caption[i];
    if (c == '&') {
      if (i + 1 >= caption.size()) continue;
      c = caption[++i];
    }
    if (c == '\r' || c == '\n' || c == '\t') c = ' ';
    if (c == ' ' && (text.empty() || text.back() == ' ')) continue;
    text += c;
  }
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

std::string accessibleName(const Control& control) {
  const std::string base = baseName(control);
  if (!mustBeUnique(control)) return joined(control, base, {});
  std::vector<const Control*> sharing;
  for (const auto& other : control.form().controls()) {
    if (mustBeUnique(*other) && isValueLabel(*other) == isValueLabel(control) &&
        baseName(*other) == base)
      sharing.push_back(other.get());
  }
  if (sharing.size() < 2) return joined(control, base, {});
  // The frame, else the label of the line, if it tells this one apart.
  for (const auto qualifier : {+[](const Control& c) { return frameCaption(c); },
                               +[](const Control& c) { return labelBefore(c, true); }}) {
    const std::string mine = qualifier(control);
    const bool alone = std::none_of(sharing.begin(), sharing.end(), [&](const Control* other) {
      return other != &control && qualifier(*other) == mine;
    });
    if (!mine.empty() && mine != base && alone) return joined(control, base, mine);
  }
  // Nothing around them differs: they are numbered in the order declared.
  const auto place = std::find(sharing.begin(), sharing.end(), &control) - sharing.begin();
  return joined(control, place == 0 ? base : base + " (" + std::to_string(place + 1) + ")", {});
}

std::string accessibleValue(const Control& control) {
  if (control.kind() != ControlKind::Histogram || control.history().empty()) return {};
  return std::to_string(control.history().back()) + " %";
}

}  // namespace corvanta::ui
