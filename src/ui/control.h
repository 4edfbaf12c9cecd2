// One control of a window in the form model: its kind, name, texts, geometry
// in twips, state and events. Handlers read and write controls through this
// model only; whatever realises the window (real Win32 controls, or nothing
// in a host test) follows the model through the FormObserver and reports the
// user's input back through the `...FromUser` calls.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace corvanta::ui {

enum class ControlKind {
  Button,
  CheckBox,
  OptionButton,
  Label,
  SkinLabel,
  Frame,
  TextBox,
  ComboBox,
  ImageCombo,
  ListBox,
  ListView,
  TrackBar,
  ProgressBar,
  TabStrip,
  UpDown,
  DriveList,
  Picture,
  Histogram,
};

// What changed, for the observer.
enum class Property {
  Caption,
  Geometry,
  Visible,
  Enabled,
  Value,
  Text,
  Items,
  ListIndex,
  Range,
  Columns,
  Rows,
  Ticks,
  Tabs,
  ToolTip,
  ZOrder,
  Picture,
  History,
  Font,
  Skin,
  Expanded,
};

// A property set to a value the control cannot take, or asked of a control
// that does not have it: the run-time error a handler may resume after.
class InvalidProperty : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// How a control of the window itself follows the window when the user
// makes it larger than its design, along one direction: it keeps its place,
// moves with the far edge, or stretches to keep its distance from it.
enum class Grow { Stay, Move, Stretch };

struct Geometry {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const Geometry&) const = default;
};

inline constexpr int kUnchecked = 0;
inline constexpr int kChecked = 1;
inline constexpr int kGrayed = 2;

// A control's own font, where it has one (the fonts window's preview).
struct FontSpec {
  std::string name;
  int size = 8;  // points
  bool bold = false;
  bool italic = false;
  bool strikeout = false;
  bool operator==(const FontSpec&) const = default;
};

struct ListColumn {
  ListColumn(std::string text, int twips, std::string languageId = {})
      : caption(std::move(text)), width(twips), tag(std::move(languageId)) {}
  std::string caption;
  int width = 0;    // twips
  std::string tag;  // the language ID of its caption, or empty
  bool operator==(const ListColumn&) const = default;
};

// How a combo box or text box behaves; fixed when the control is declared.
struct ControlStyle {
  bool dropDownList = false;  // combo: choose only, no typing
  bool numeric = false;       // typing combo: a whole number, chosen or typed
  bool sorted = false;        // list box and combo: keep items sorted
  bool multiLine = false;     // text box
  bool readOnly = false;      // text box
  bool vertical = false;      // track bar, up-down
  bool tickBoxes = false;     // list view: a tick box on each row
  // List view: its rows handed over as it draws them, for lists of many
  // thousands (no tick boxes, no typing to find a row).
  bool manyRows = false;
};

class Control;
class Form;

class ControlObserver {
 public:
  virtual void controlChanged(Control& control, Property property) = 0;

 protected:
  ~ControlObserver() = default;
};

class Control {
 public:
  Control(Form& form, ControlKind kind, std::string name, int index);
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  Form& form() const { return form_; }
  ControlKind kind() const { return kind_; }
  const std::string& name() const { return name_; }
  int index() const { return index_; }  // position in a control array, or -1
  Control* parent() const { return parent_; }
  const ControlStyle& style() const { return style_; }

  // --- declaration (chainable, for the window's control table) ---
  Control& caption(std::string text);
  Control& tag(std::string languageId);
  Control& at(int left, int top, int width, int height);
  Control& in(Control& frame);
  Control& hidden();
  Control& withStyle(ControlStyle style);
  Control& range(int minimum, int maximum);
  Control& steps(int small, int large, int tickFrequency);
  // The button Enter presses when the focus is inside this control's
  // container (a window may have one per page), and the one Escape presses.
  Control& asDefault();
  Control& asCancel();
  // The help page of what this control holds (a page's frame).
  Control& help(std::string topic);
  // How it follows the window when the window grows (Grow); only a control
  // of the window itself, not one in a frame, does.
  Control& grows(Grow across, Grow down);
  Grow growsAcross() const { return growsAcross_; }
  Grow growsDown() const { return growsDown_; }
  // The name assistive technology gives a control that has no text of its
  // own nor a label before it (ui/accessibility.h); `languageId`, if given,
  // is the name's language ID, as a caption's tag is.
  Control& named(std::string name, std::string languageId = {});

  // --- properties ---
  bool hasCaption() const;
  const std::string& Caption() const { return caption_; }
  // The caption the control was declared with.
  const std::string& DesignCaption() const { return designCaption_; }
  void setCaption(const std::string& text);
  const std::string& Tag() const { return tag_; }
  void setTag(const std::string& languageId) { tag_ = languageId; }
  const Geometry& geometry() const { return geometry_; }
  void setGeometry(const Geometry& geometry);
  void setLeft(int left);
  void setTop(int top);
  int Left() const { return geometry_.left; }
  int Top() const { return geometry_.top; }
  int Width() const { return geometry_.width; }
  int Height() const { return geometry_.height; }
  bool Visible() const { return visible_; }
  void setVisible(bool visible);
  // Visible, and so is every container it is in.
  bool showing() const;
  bool Enabled() const { return enabled_; }
  void setEnabled(bool enabled);
  const std::string& ToolTipText() const { return toolTip_; }
  void setToolTipText(const std::string& text);

  // Check state (0, 1, 2), option state (0, 1), track bar, progress bar and
  // up-down position.
  int Value() const { return value_; }
  void setValue(int value);
  int Min() const { return min_; }
  int Max() const { return max_; }
  void setMin(int minimum);
  void setMax(int maximum);
  int SmallChange() const { return smallChange_; }
  int LargeChange() const { return largeChange_; }
  int TickFrequency() const { return tickFrequency_; }

  // Text box content; combo box edit text or selected item.
  const std::string& Text() const { return text_; }
  void setText(const std::string& text);

  // Items of combo boxes, list boxes and drive lists; -1 when none selected.
  const std::vector<std::string>& items() const { return items_; }
  void AddItem(const std::string& item);
  // Replaces every item at once (kept in order, or sorted for a sorted
  // list); nothing is selected afterwards.
  void setItems(std::vector<std::string> items);
  void RemoveItem(int position);
  void Clear();
  int ListIndex() const { return listIndex_; }
  void setListIndex(int position);
  int ListCount() const { return static_cast<int>(items_.size()); }

  // List view in report mode.
  const std::vector<ListColumn>& columns() const { return columns_; }
  void setColumns(std::vector<ListColumn> columns);
  const std::vector<std::vector<std::string>>& rows() const { return rows_; }
  // New rows come unselected, ticked as `ticks` says (unticked where it
  // says nothing): one notice, however many rows.
  void setRows(std::vector<std::vector<std::string>> rows, std::vector<bool> ticks = {});
  // A list view with tick boxes: whether the row's box is ticked.
  bool RowTicked(int row) const;
  void setRowTicked(int row, bool ticked);

  // Tab strip: tab captions, their language IDs (empty: none), and the
  // selected tab (1-based, 0 when none).
  const std::vector<std::string>& tabs() const { return tabs_; }
  const std::vector<std::string>& tabTags() const { return tabTags_; }
  void setTabs(std::vector<std::string> captions, std::vector<std::string> tags = {});
  int SelectedTab() const { return selectedTab_; }
  void setSelectedTab(int tab);

  // Picture box: the image file shown, empty for none, scaled to the box
  // on its back colour (the system's face colour until one is set).
  const std::string& PicturePath() const { return picturePath_; }
  void setPicturePath(const std::string& path);
  bool hasBackColor() const { return backColor_ >= 0; }
  std::uint32_t BackColor() const { return static_cast<std::uint32_t>(backColor_); }
  void setBackColor(std::uint32_t color);

  // The skin element that draws the control ("Button", "Label", ...); empty
  // for none. Whatever realises the control applies it.
  const std::string& SkinElement() const { return skinElement_; }
  void setSkinElement(const std::string& element);

  // The control's own font; empty name for the window's.
  const FontSpec& Font() const { return font_; }
  void setFont(const FontSpec& font);

  // Histogram: the newest values, at most MaxLines of them (oldest first),
  // drawn as bars of BarColor (0x00BBGGRR).
  int MaxLines() const { return maxLines_; }
  void setMaxLines(int lines);
  void NewValue(int value);
  const std::deque<int>& history() const { return history_; }
  std::uint32_t BarColor() const { return barColor_; }
  void setBarColor(std::uint32_t color);

  void ZOrderToFront();

  bool isDefault() const { return default_; }
  bool isCancel() const { return cancel_; }
  const std::string& HelpTopic() const { return helpTopic_; }
  void setHelpTopic(const std::string& topic) { helpTopic_ = topic; }
  const std::string& DeclaredName() const { return declaredName_; }
  const std::string& DesignName() const { return designName_; }
  const std::string& NameTag() const { return nameTag_; }
  void setDeclaredName(const std::string& name) { declaredName_ = name; }
  // A button that opens and closes something (the navigation): whether it
  // is open. Only a control given a state has one.
  bool hasExpandedState() const { return expanded_ >= 0; }
  bool Expanded() const { return expanded_ == 1; }
  void setExpanded(bool expanded);

  // --- events, raised by the user's input ---
  std::function<void()> onClick;
  std::function<void()> onChange;

  // --- for whatever realises the control ---
  void setObserver(ControlObserver* observer) { observer_ = observer; }
  std::uintptr_t handle() const { return handle_; }
  void setHandle(std::uintptr_t handle) { handle_ = handle; }
  // The user changed the control: take the new state without echoing it
  // back, then raise the event the program would see.
  void valueFromUser(int value);
  void textFromUser(const std::string& text);
  void listIndexFromUser(int position);
  void rowTickedFromUser(int row, bool ticked);
  void selectedTabFromUser(int tab);
  void click();

 private:
  void notify(Property property);
  void requireKind(std::initializer_list<ControlKind> kinds, const char* property) const;

  Form& form_;
  ControlKind kind_;
  std::string name_;
  int index_;
  Control* parent_ = nullptr;
  ControlStyle style_;
  std::string caption_;
  std::string designCaption_;
  std::string tag_;
  Geometry geometry_;
  Grow growsAcross_ = Grow::Stay;
  Grow growsDown_ = Grow::Stay;
  bool visible_ = true;
  bool enabled_ = true;
  std::string toolTip_;
  int value_ = 0;
  int min_ = 0;
  int max_ = 100;
  int smallChange_ = 1;
  int largeChange_ = 5;
  int tickFrequency_ = 1;
  std::string text_;
  std::vector<std::string> items_;
  int listIndex_ = -1;
  std::vector<ListColumn> columns_;
  std::vector<std::vector<std::string>> rows_;
  std::vector<bool> rowTicks_;
  std::vector<std::string> tabs_;
  std::vector<std::string> tabTags_;
  int selectedTab_ = 0;
  std::string picturePath_;
  std::int64_t backColor_ = -1;
  std::string skinElement_;
  FontSpec font_;
  int maxLines_ = 30;
  std::deque<int> history_;
  std::uint32_t barColor_ = 0x0000FF00;
  bool default_ = false;
  bool cancel_ = false;
  std::string helpTopic_;
  std::string declaredName_;
  std::string designName_;
  std::string nameTag_;
  int expanded_ = -1;
  ControlObserver* observer_ = nullptr;
  std::uintptr_t handle_ = 0;
};

}  // namespace corvanta::ui
