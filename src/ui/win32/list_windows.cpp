// Combo boxes, image combos, list boxes and report-mode list views. The
// model keeps the items (sorted where the list is sorted), so the native
// lists are never sorted themselves and positions match one for one.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/win32/wide_text.h"
#include "ui/win32/control_kinds.h"

namespace corvanta::ui::win32 {
namespace {

// The messages of one list family: combo boxes and list boxes differ only
// in their names.
struct ListMessages {
  UINT reset;
  UINT initStorage;
  UINT add;
  UINT setSelection;
  UINT getSelection;
  int selectionChanged;
};
constexpr ListMessages kComboMessages{CB_RESETCONTENT, CB_INITSTORAGE, CB_ADDSTRING,
                                      CB_SETCURSEL,    CB_GETCURSEL,   CBN_SELCHANGE};
constexpr ListMessages kListMessages{LB_RESETCONTENT, LB_INITSTORAGE, LB_ADDSTRING,
                                     LB_SETCURSEL,    LB_GETCURSEL,   LBN_SELCHANGE};

// A combo box's window reaches down over its dropped-down list.
RECT withDropDown(RECT bounds) {
  bounds.bottom = bounds.top + 200;
  return bounds;
}

// What every list shows: its items and which of them is chosen.
class ListWindow : public ControlWindow {
 public:
  using ControlWindow::ControlWindow;

  void update(Property property) override {
    switch (property) {
      case Property::Items:
        showItems();
        break;
      case Property::ListIndex:
      case Property::Text:
        showSelection();
        break;
      default:
        ControlWindow::update(property);
    }
  }

 protected:
  virtual void showItems() = 0;
  virtual void showSelection() = 0;
};

class SimpleList final : public ListWindow {
 public:
  SimpleList(Control& model, const ListMessages& messages)
      : ListWindow(model), messages_(messages) {}

  RECT nativeBounds(const RECT& bounds) const override {
    return isCombo() ? withDropDown(bounds) : bounds;
  }
  void create(HWND parent, const RECT& bounds, HFONT font) override {
    if (!isCombo()) {
      hwnd_ = createNative(L"LISTBOX", LBS_NOTIFY | WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE,
                           parent, bounds, "", font);
    } else {
      const DWORD kind =
          model_.style().dropDownList ? CBS_DROPDOWNLIST : CBS_DROPDOWN | CBS_AUTOHSCROLL;
      hwnd_ = createNative(L"COMBOBOX", kind | WS_VSCROLL | WS_TABSTOP, 0, parent, bounds, "", font);
    }
    showItems();
  }
  void command(int code) override {
    if (updating_) return;
    if (code == messages_.selectionChanged) {
      model_.listIndexFromUser(static_cast<int>(SendMessageW(hwnd_, messages_.getSelection, 0, 0)));
    } else if (code == CBN_EDITCHANGE && isCombo()) {
      model_.textFromUser(windowText(hwnd_));
    }
  }

 private:
  // Thousands of items (ignored entries kept for years) go in with room
  // made for them once and the list drawn once.
  void showItems() override {
    updating_ = true;
    const auto& items = model_.items();
    std::size_t characters = 0;
    for (const auto& item : items) characters += item.size() + 1;
    SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(hwnd_, messages_.reset, 0, 0);
    SendMessageW(hwnd_, messages_.initStorage, items.size(), characters * sizeof(wchar_t));
    for (const auto& item : items) {
      SendMessageW(hwnd_, messages_.add, 0, reinterpret_cast<LPARAM>(wide(item).c_str()));
    }
    SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd_, nullptr, TRUE);
    updating_ = false;
    showSelection();
  }
  void showSelection() override {
    updating_ = true;
    SendMessageW(hwnd_, messages_.setSelection, static_cast<WPARAM>(model_.ListIndex()), 0);
    const bool editable = isCombo() && !model_.style().dropDownList;
    if (editable && model_.ListIndex() < 0) setWindowText(hwnd_, model_.Text());
    updating_ = false;
  }

  bool isCombo() const { return &messages_ == &kComboMessages; }

  const ListMessages& messages_;
};

// The image combo: ComboBoxEx32, whose items may carry pictures.
class ImageCombo final : public ListWindow {
 public:
  using ListWindow::ListWindow;

  RECT nativeBounds(const RECT& bounds) const override { return withDropDown(bounds); }
  void create(HWND parent, const RECT& bounds, HFONT font) override {
    hwnd_ = createNative(WC_COMBOBOXEXW, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, parent,
                         bounds, "", font);
    showItems();
  }
  void command(int code) override {
    if (!updating_ && code == CBN_SELCHANGE) {
      model_.listIndexFromUser(static_cast<int>(SendMessageW(hwnd_, CB_GETCURSEL, 0, 0)));
    }
  }

 private:
  void showItems() override {
    updating_ = true;
    SendMessageW(hwnd_, CB_RESETCONTENT, 0, 0);
    int position = 0;
    for (const auto& item : model_.items()) {
      std::wstring text = wide(item);
      COMBOBOXEXITEMW entry{};
      entry.mask = CBEIF_TEXT;
      entry.iItem = position++;
      entry.pszText = text.data();
      SendMessageW(hwnd_, CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&entry));
    }
    updating_ = false;
    showSelection();
  }
  void showSelection() override {
    updating_ = true;
    SendMessageW(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(model_.ListIndex()), 0);
    updating_ = false;
  }
};

class ListView final : public ControlWindow {
 public:
  using ControlWindow::ControlWindow;

  void create(HWND parent, const RECT& bounds, HFONT font) override {
    hwnd_ = createNative(WC_LISTVIEWW,
                         LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP |
                             (model_.style().manyRows ? LVS_OWNERDATA : 0),
                         WS_EX_CLIENTEDGE, parent, bounds, "", font);
    const DWORD extended =
        LVS_EX_FULLROWSELECT | (model_.style().tickBoxes ? LVS_EX_CHECKBOXES : 0);
    SendMessageW(hwnd_, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
    showColumns();
    showRows();
  }
  void update(Property property) override {
    switch (property) {
      case Property::Columns:
        showColumns();
        break;
      case Property::Rows:
        showRows();
        break;
      case Property::ListIndex:
        showSelection();
        break;
      case Property::Ticks:
        showTicks();
        break;
      default:
        ControlWindow::update(property);
    }
  }
  LRESULT notify(const NMHDR& header) override {
    if (header.code == LVN_GETDISPINFOW) {
      showCell(reinterpret_cast<const NMLVDISPINFOW&>(header).item);
      return 0;
    }
    if (header.code != LVN_ITEMCHANGED || updating_) return 0;
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    if ((change.uChanged & LVIF_STATE) &&
        ((change.uNewState ^ change.uOldState) & LVIS_STATEIMAGEMASK)) {
      // State image 2 is the ticked box, 1 the empty one.
      const bool ticked = (change.uNewState & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
      if (static_cast<std::size_t>(change.iItem) < shownTicks_.size())
        shownTicks_[static_cast<std::size_t>(change.iItem)] = ticked ? 1 : 0;
      model_.rowTickedFromUser(change.iItem, ticked);
    }
    if ((change.uChanged & LVIF_STATE) && (change.uNewState & LVIS_SELECTED) &&
        !(change.uOldState & LVIS_SELECTED)) {
      model_.listIndexFromUser(change.iItem);
    }
    return 0;
  }

 protected:
  bool intercept(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    // Widened with its window, its columns share what it gained; only when
    // its width changes, so that a column the user sized keeps its width.
    if (message == WM_SIZE && model_.growsAcross() == Grow::Stretch && widened() != widened_) {
      widened_ = widened();
      for (std::size_t column = 0; column < model_.columns().size(); ++column)
        SendMessageW(hwnd_, LVM_SETCOLUMNWIDTH, column, columnWidth(column));
    }
    return ControlWindow::intercept(message, wParam, lParam, result);
  }

 private:
  // How much wider than its design the list is, in pixels.
  int widened() const {
    RECT now{};
    GetWindowRect(hwnd_, &now);
    return std::max(0,
                    static_cast<int>(now.right - now.left) - MulDiv(model_.Width(), dpi(), 1440));
  }
  // A column's designed width, and its share of what the list was widened
  // by, in proportion to that width.
  int columnWidth(std::size_t index) const {
    int designed = 0;
    for (const auto& column : model_.columns()) designed += column.width;
    const int width = model_.columns()[index].width;
    return MulDiv(width, dpi(), 1440) + (designed > 0 ? MulDiv(widened_, width, designed) : 0);
  }
  void showColumns() {
    while (SendMessageW(hwnd_, LVM_DELETECOLUMN, 0, 0)) {
    }
    widened_ = widened();
    for (std::size_t column = 0; column < model_.columns().size(); ++column) {
      std::wstring caption = wide(model_.columns()[column].caption);
      LVCOLUMNW entry{};
      entry.mask = LVCF_TEXT | LVCF_WIDTH;
      entry.pszText = caption.data();
      entry.cx = columnWidth(column);
      SendMessageW(hwnd_, LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&entry));
    }
  }
  // A list that is refilled changes only the rows that differ from what it
  // shows (an Ignore takes one row out of thousands), keeps its scroll
  // position, and is drawn once.
  void showRows() {
    if (model_.style().manyRows) {
      // The list asks for each cell as it draws it (LVN_GETDISPINFO).
      updating_ = true;
      SendMessageW(hwnd_, LVM_SETITEMCOUNT, model_.rows().size(), LVSICF_NOSCROLL);
      InvalidateRect(hwnd_, nullptr, TRUE);
      updating_ = false;
      showSelection();
      return;
    }
    updating_ = true;
    const auto& rows = model_.rows();
    const auto top = static_cast<int>(SendMessageW(hwnd_, LVM_GETTOPINDEX, 0, 0));
    std::size_t same = 0;  // rows alike from the start
    while (same < rows.size() && same < shown_.size() && rows[same] == shown_[same]) ++same;
    std::size_t tail = 0;  // and from the end, past those
    while (tail < rows.size() - same && tail < shown_.size() - same &&
           rows[rows.size() - 1 - tail] == shown_[shown_.size() - 1 - tail])
      ++tail;
    SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
    if (same == 0 && tail == 0) {
      SendMessageW(hwnd_, LVM_DELETEALLITEMS, 0, 0);
    } else {
      for (std::size_t row = shown_.size() - tail; row-- > same;)
        SendMessageW(hwnd_, LVM_DELETEITEM, row, 0);
    }
    for (std::size_t row = same; row < rows.size() - tail; ++row) insertRow(row, rows[row]);
    // Rows put in show no tick until told.
    const auto oldTicks = shownTicks_.begin();
    std::vector<char> ticks(oldTicks, oldTicks + static_cast<std::ptrdiff_t>(same));
    ticks.resize(rows.size() - tail, kUnknownTick);
    ticks.insert(ticks.end(), shownTicks_.end() - static_cast<std::ptrdiff_t>(tail),
                 shownTicks_.end());
    shownTicks_ = std::move(ticks);
    shown_ = rows;
    const auto now = static_cast<int>(SendMessageW(hwnd_, LVM_GETTOPINDEX, 0, 0));
    if (now != top && !rows.empty()) {
      RECT item{};
      item.left = LVIR_BOUNDS;
      SendMessageW(hwnd_, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
      SendMessageW(hwnd_, LVM_SCROLL, 0, (top - now) * (item.bottom - item.top));
    }
    SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd_, nullptr, TRUE);
    updating_ = false;
    showTicks();
    showSelection();
  }
  void insertRow(std::size_t row, const std::vector<std::string>& cells) {
    for (std::size_t column = 0; column < cells.size(); ++column) {
      std::wstring cell = wide(cells[column]);
      LVITEMW entry{};
      entry.mask = LVIF_TEXT;
      entry.iItem = static_cast<int>(row);
      entry.iSubItem = static_cast<int>(column);
      entry.pszText = cell.data();
      SendMessageW(hwnd_, column == 0 ? LVM_INSERTITEMW : LVM_SETITEMTEXTW, column == 0 ? 0 : row,
                   reinterpret_cast<LPARAM>(&entry));
    }
  }
  // A cell of a list of many rows, as it is drawn.
  void showCell(const LVITEMW& item) const {
    if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0) return;
    const auto& rows = model_.rows();
    const auto row = static_cast<std::size_t>(item.iItem);
    const auto column = static_cast<std::size_t>(item.iSubItem);
    const std::wstring cell =
        row < rows.size() && column < rows[row].size() ? wide(rows[row][column]) : L"";
    lstrcpynW(item.pszText, cell.c_str(), item.cchTextMax);
  }
  // Only the ticks that differ from what the list shows are sent.
  void showTicks() {
    if (!model_.style().tickBoxes) return;
    updating_ = true;
    shownTicks_.resize(model_.rows().size(), kUnknownTick);
    for (std::size_t row = 0; row < shownTicks_.size(); ++row) {
      const char tick = model_.RowTicked(static_cast<int>(row)) ? 1 : 0;
      if (shownTicks_[row] == tick) continue;
      shownTicks_[row] = tick;
      LVITEMW state{};
      state.stateMask = LVIS_STATEIMAGEMASK;
      state.state = INDEXTOSTATEIMAGEMASK(tick ? 2 : 1);
      SendMessageW(hwnd_, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
    }
    updating_ = false;
  }
  void showSelection() {
    updating_ = true;
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    // One row at most is selected and one focused: those are cleared, not
    // every row (told of every row, Wine visits each of a long list's).
    for (const UINT which : {LVNI_SELECTED, LVNI_FOCUSED}) {
      const auto row = SendMessageW(hwnd_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), which);
      if (row >= 0) SendMessageW(hwnd_, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                                 reinterpret_cast<LPARAM>(&state));
    }
    if (model_.ListIndex() >= 0) {
      state.state = LVIS_SELECTED | LVIS_FOCUSED;
      SendMessageW(hwnd_, LVM_SETITEMSTATE, static_cast<WPARAM>(model_.ListIndex()),
                   reinterpret_cast<LPARAM>(&state));
      SendMessageW(hwnd_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(model_.ListIndex()), FALSE);
    }
    updating_ = false;
  }

  int widened_ = 0;  // what the columns were last sized for
  // What the native list shows, as it was told: its rows, and each row's
  // tick (1 ticked, 0 not, kUnknownTick not yet told).
  static constexpr char kUnknownTick = 2;
  std::vector<std::vector<std::string>> shown_;
  std::vector<char> shownTicks_;
};

}  // namespace

std::unique_ptr<ControlWindow> makeComboBox(Control& model) {
  return std::make_unique<SimpleList>(model, kComboMessages);
}
std::unique_ptr<ControlWindow> makeListBox(Control& model) {
  return std::make_unique<SimpleList>(model, kListMessages);
}
std::unique_ptr<ControlWindow> makeImageCombo(Control& model) {
  return std::make_unique<ImageCombo>(model);
}
std::unique_ptr<ControlWindow> makeListView(Control& model) {
  return std::make_unique<ListView>(model);
}

}  // namespace corvanta::ui::win32
