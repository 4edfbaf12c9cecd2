// The property rules follow the controls the program was designed with: a
// property a kind does not have raises, a check box takes 0, 1 or 2, a
// progress bar refuses a maximum not above its minimum and a position out of
// its range, a track bar keeps its position inside its range, choosing an
// option button clears the other option buttons of its container.
#include "ui/control.h"

#include <algorithm>

#include "base/text.h"
#include "ui/form.h"

namespace corvanta::ui {
namespace {

bool isOneOf(ControlKind kind, std::initializer_list<ControlKind> kinds) {
  return std::find(kinds.begin(), kinds.end(), kind) != kinds.end();
}

constexpr std::initializer_list<ControlKind> kListKinds = {
    ControlKind::ComboBox, ControlKind::ImageCombo, ControlKind::ListBox, ControlKind::DriveList};

}  // namespace

Control::Control(Form& form, ControlKind kind, std::string name, int index)
    : form_(form), kind_(kind), name_(std::move(name)), index_(index) {}

void Control::notify(Property property) {
  if (observer_) observer_->controlChanged(*this, property);
}

void Control::requireKind(std::initializer_list<ControlKind> kinds, const char* property) const {
  if (!isOneOf(kind_, kinds)) {
    throw InvalidProperty(name_ + " has no " + property + " property");
  }
}

// --- declaration ---

Control& Control::caption(std::string text) {
  designCaption_ = text;
  caption_ = std::move(text);
  return *this;
}
Control& Control::tag(std::string languageId) {
  tag_ = std::move(languageId);
  return *this;
}
Control& Control::at(int left, int top, int width, int height) {
  geometry_ = {left, top, width, height};
  return *this;
}
Control& Control::in(Control& frame) {
  parent_ = &frame;
  return *this;
}
Control& Control::hidden() {
  visible_ = false;
  return *this;
}
Control& Control::withStyle(ControlStyle style) {
  style_ = style;
  return *this;
}
Control& Control::range(int minimum, int maximum) {
  min_ = minimum;
  max_ = maximum;
  value_ = std::clamp(value_, minimum, std::max(minimum, maximum));
  return *this;
}
Control& Control::steps(int small, int large, int tickFrequency) {
  smallChange_ = small;
  largeChange_ = large;
  tickFrequency_ = tickFrequency;
  return *this;
}

Control& Control::grows(Grow across, Grow down) {
  growsAcross_ = across;
  growsDown_ = down;
  return *this;
}

Control& Control::asDefault() {
  default_ = true;
  return *this;
}
Control& Control::asCancel() {
  cancel_ = true;
  return *this;
}
Control& Control::help(std::string topic) {
  helpTopic_ = std::move(topic);
  return *this;
}
Control& Control::named(std::string name, std::string languageId) {
  declaredName_ = name;
  designName_ = std::move(name);
  nameTag_ = std::move(languageId);
  return *this;
}

// --- properties ---

bool Control::hasCaption() const {
  return isOneOf(kind_, {ControlKind::Button, ControlKind::CheckBox, ControlKind::OptionButton,
                         ControlKind::Label, ControlKind::SkinLabel, ControlKind::Frame});
}

void Control::setCaption(const std::string& text) {
  if (!hasCaption()) throw InvalidProperty(name_ + " has no Caption property");
  if (caption_ == text) return;
  caption_ = text;
  notify(Property::Caption);
}

void Control::setGeometry(const Geometry& geometry) {
  if (geometry_ == geometry) return;
  geometry_ = geometry;
  notify(Property::Geometry);
}

void Control::setLeft(int left) {
  setGeometry({left, geometry_.top, geometry_.width, geometry_.height});
}
void Control::setTop(int top) {
  setGeometry({geometry_.left, top, geometry_.width, geometry_.height});
}

void Control::setVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  notify(Property::Visible);
}

bool Control::showing() const {
  for (const Control* level = this; level; level = level->parent()) {
    if (!level->Visible()) return false;
  }
  return true;
}

void Control::setExpanded(bool expanded) {
  if (expanded_ == int{expanded}) return;
  expanded_ = expanded;
  notify(Property::Expanded);
}

void Control::setEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  notify(Property::Enabled);
}

void Control::setToolTipText(const std::string& text) {
  if (toolTip_ == text) return;
  toolTip_ = text;
  notify(Property::ToolTip);
}

void Control::setValue(int value) {
  switch (kind_) {
    case ControlKind::CheckBox:
      if (value < kUnchecked || value > kGrayed) throw InvalidProperty("Invalid property value");
      break;
    case ControlKind::OptionButton:
      value = value != 0 ? 1 : 0;
      if (value == 1) form_.clearOtherOptions(*this);
      break;
    case ControlKind::ProgressBar:
      if (value < min_ || value > max_) throw InvalidProperty("Invalid property value");
      break;
    case ControlKind::TrackBar:
    case ControlKind::UpDown:
      value = std::clamp(value, min_, max_);
      break;
    default:
      throw InvalidProperty(name_ + " has no Value property");
  }
  if (value_ == value) return;
  value_ = value;
  notify(Property::Value);
}

void Control::setMin(int minimum) {
  requireKind({ControlKind::TrackBar, ControlKind::ProgressBar, ControlKind::UpDown}, "Min");
  if (kind_ == ControlKind::ProgressBar && minimum >= max_) {
    throw InvalidProperty("Invalid property value");
  }
  min_ = minimum;
  if (kind_ != ControlKind::ProgressBar) max_ = std::max(max_, minimum);
  value_ = std::clamp(value_, min_, max_);
  notify(Property::Range);
}

void Control::setMax(int maximum) {
  requireKind({ControlKind::TrackBar, ControlKind::ProgressBar, ControlKind::UpDown}, "Max");
  if (kind_ == ControlKind::ProgressBar && maximum <= min_) {
    throw InvalidProperty("Invalid property value");
  }
  max_ = maximum;
  if (kind_ != ControlKind::ProgressBar) min_ = std::min(min_, maximum);
  value_ = std::clamp(value_, min_, max_);
  notify(Property::Range);
}

void Control::setText(const std::string& text) {
  requireKind({ControlKind::TextBox, ControlKind::ComboBox, ControlKind::ImageCombo}, "Text");
  if (kind_ != ControlKind::TextBox && style_.dropDownList) {
    // A choose-only list shows only its own items.
    const auto found = std::find_if(items_.begin(), items_.end(), [&](const std::string& item) {
      return equalsIgnoringCase(item, text);
    });
    if (found == items_.end()) throw InvalidProperty("Text property is read-only");
    setListIndex(static_cast<int>(found - items_.begin()));
    return;
  }
  if (text_ == text) return;
  text_ = text;
  notify(Property::Text);
}

void Control::AddItem(const std::string& item) {
  requireKind(kListKinds, "AddItem");
  auto at = items_.end();
  if (style_.sorted) {
    at = std::upper_bound(
        items_.begin(), items_.end(), item,
        [](const std::string& a, const std::string& b) { return displayOrder(a, b); });
  }
  const int position = static_cast<int>(at - items_.begin());
  items_.insert(at, item);
  if (listIndex_ >= position) ++listIndex_;
  notify(Property::Items);
}

void Control::setItems(std::vector<std::string> items) {
  requireKind(kListKinds, "List");
  if (style_.sorted) {
    std::stable_sort(items.begin(), items.end(),
                     [](const std::string& a, const std::string& b) { return displayOrder(a, b); });
  }
  items_ = std::move(items);
  listIndex_ = -1;
  notify(Property::Items);
}

void Control::RemoveItem(int position) {
  requireKind(kListKinds, "RemoveItem");
  if (position < 0 || position >= ListCount()) throw InvalidProperty("Invalid procedure call");
  items_.erase(items_.begin() + position);
  if (listIndex_ == position) {
    listIndex_ = -1;
  } else if (listIndex_ > position) {
    --listIndex_;
  }
  notify(Property::Items);
}

void Control::Clear() {
  requireKind(kListKinds, "Clear");
  items_.clear();
  listIndex_ = -1;
  if (kind_ != ControlKind::ListBox && kind_ != ControlKind::DriveList) text_.clear();
  notify(Property::Items);
}

void Control::setListIndex(int position) {
  const bool listView = kind_ == ControlKind::ListView;
  if (!listView) requireKind(kListKinds, "ListIndex");
  const int count = listView ? static_cast<int>(rows_.size()) : ListCount();
  if (position < -1 || position >= count) throw InvalidProperty("Invalid property value");
  if (listIndex_ == position) return;
  listIndex_ = position;
  if (kind_ == ControlKind::ComboBox || kind_ == ControlKind::ImageCombo ||
      kind_ == ControlKind::DriveList) {
    text_ = position < 0 ? std::string() : items_[static_cast<std::size_t>(position)];
  }
  notify(Property::ListIndex);
}

void Control::setColumns(std::vector<ListColumn> columns) {
  requireKind({ControlKind::ListView}, "ColumnHeaders");
  columns_ = std::move(columns);
  notify(Property::Columns);
}

void Control::setRows(std::vector<std::vector<std::string>> rows, std::vector<bool> ticks) {
  requireKind({ControlKind::ListView}, "ListItems");
  rows_ = std::move(rows);
  rowTicks_ = style_.tickBoxes ? std::move(ticks) : std::vector<bool>{};
  rowTicks_.resize(rows_.size(), false);
  listIndex_ = -1;
  notify(Property::Rows);
}

bool Control::RowTicked(int row) const {
  return row >= 0 && row < static_cast<int>(rowTicks_.size()) &&
         rowTicks_[static_cast<std::size_t>(row)];
}

void Control::setRowTicked(int row, bool ticked) {
  if (!style_.tickBoxes || row < 0 || row >= static_cast<int>(rowTicks_.size()))
    throw InvalidProperty("Checked: no such row");
  rowTicks_[static_cast<std::size_t>(row)] = ticked;
  notify(Property::Ticks);
}

void Control::setTabs(std::vector<std::string> captions, std::vector<std::string> tags) {
  requireKind({ControlKind::TabStrip}, "Tabs");
  tabs_ = std::move(captions);
  tabTags_ = std::move(tags);
  selectedTab_ = tabs_.empty() ? 0 : 1;
  notify(Property::Tabs);
}

void Control::setSelectedTab(int tab) {
  requireKind({ControlKind::TabStrip}, "SelectedItem");
  if (tab < 1 || tab > static_cast<int>(tabs_.size()))
    throw InvalidProperty("Invalid property value");
  if (selectedTab_ == tab) return;
  selectedTab_ = tab;
  notify(Property::Value);
}

void Control::setPicturePath(const std::string& path) {
  requireKind({ControlKind::Picture}, "Picture");
  picturePath_ = path;
  notify(Property::Picture);
}

void Control::ZOrderToFront() { notify(Property::ZOrder); }

void Control::setBackColor(std::uint32_t color) {
  requireKind({ControlKind::Picture}, "BackColor");
  backColor_ = color;
  notify(Property::Picture);
}

void Control::setSkinElement(const std::string& element) {
  skinElement_ = element;
  notify(Property::Skin);
}

void Control::setFont(const FontSpec& font) {
  if (font_ == font) return;
  font_ = font;
  notify(Property::Font);
}

void Control::setMaxLines(int lines) {
  requireKind({ControlKind::Histogram}, "maxlines");
  if (lines < 1) throw InvalidProperty("Invalid property value");
  maxLines_ = lines;
  while (history_.size() > static_cast<std::size_t>(maxLines_)) history_.pop_front();
  notify(Property::History);
}

void Control::NewValue(int value) {
  requireKind({ControlKind::Histogram}, "NewValue");
  history_.push_back(value);
  while (history_.size() > static_cast<std::size_t>(maxLines_)) history_.pop_front();
  notify(Property::History);
}

void Control::setBarColor(std::uint32_t color) {
  requireKind({ControlKind::Histogram}, "BarColor");
  barColor_ = color;
  notify(Property::History);
}

// --- the user's input ---
// The window's work that waits until it has shown is done before the first
// input is taken, whatever order the window system delivers them in.

void Control::valueFromUser(int value) {
  form_.reportShown();
  const bool clicked = kind_ == ControlKind::CheckBox || kind_ == ControlKind::OptionButton;
  if (kind_ == ControlKind::OptionButton && value != 0) form_.clearOtherOptions(*this);
  value_ = value;
  const auto& event = clicked ? onClick : onChange;
  if (event) event();
}

void Control::textFromUser(const std::string& text) {
  form_.reportShown();
  text_ = text;
  if (onChange) onChange();
}

void Control::rowTickedFromUser(int row, bool ticked) {
  form_.reportShown();
  if (row >= 0 && row < static_cast<int>(rowTicks_.size()))
    rowTicks_[static_cast<std::size_t>(row)] = ticked;
}

void Control::listIndexFromUser(int position) {
  form_.reportShown();
  listIndex_ = position;
  if ((kind_ == ControlKind::ComboBox || kind_ == ControlKind::ImageCombo ||
       kind_ == ControlKind::DriveList) &&
      position >= 0 && position < ListCount()) {
    text_ = items_[static_cast<std::size_t>(position)];
  }
  if (onClick) onClick();
}

void Control::selectedTabFromUser(int tab) {
  form_.reportShown();
  selectedTab_ = tab;
  if (onClick) onClick();
}

void Control::click() {
  form_.reportShown();
  if (onClick) onClick();
}

}  // namespace corvanta::ui
