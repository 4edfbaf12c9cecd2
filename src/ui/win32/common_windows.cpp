// Track bars, progress bars, up-down arrows and tab strips: the common controls.
#include "platform/win32/wide_text.h"
#include "ui/win32/control_kinds.h"

namespace corvanta::ui::win32 {
namespace {

// What every range control shows: its range and where in it it stands.
class RangeWindow : public ControlWindow {
 public:
  using ControlWindow::ControlWindow;

  void update(Property property) override {
    if (property == Property::Value || property == Property::Range) {
      showRange();
    } else {
      ControlWindow::update(property);
    }
  }

 protected:
  virtual void showRange() = 0;
};

class TrackBar final : public RangeWindow {
 public:
  using RangeWindow::RangeWindow;

  void create(HWND parent, const RECT& bounds, HFONT font) override {
    const DWORD orientation = model_.style().vertical ? TBS_VERT : TBS_HORZ;
    hwnd_ = createNative(TRACKBAR_CLASSW, orientation | TBS_AUTOTICKS | WS_TABSTOP, 0, parent,
                         bounds, "", font);
    showRange();
  }
  void scroll(int) override {
    const auto position = static_cast<int>(SendMessageW(hwnd_, TBM_GETPOS, 0, 0));
    if (position != model_.Value()) model_.valueFromUser(position);
  }

 private:
  void showRange() override {
    SendMessageW(hwnd_, TBM_SETRANGEMIN, FALSE, model_.Min());
    SendMessageW(hwnd_, TBM_SETRANGEMAX, FALSE, model_.Max());
    SendMessageW(hwnd_, TBM_SETLINESIZE, 0, model_.SmallChange());
    SendMessageW(hwnd_, TBM_SETPAGESIZE, 0, model_.LargeChange());
    SendMessageW(hwnd_, TBM_SETTICFREQ, static_cast<WPARAM>(model_.TickFrequency()), 0);
    SendMessageW(hwnd_, TBM_SETPOS, TRUE, model_.Value());
  }
};

class ProgressBar final : public RangeWindow {
 public:
  using RangeWindow::RangeWindow;

  void create(HWND parent, const RECT& bounds, HFONT font) override {
    hwnd_ = createNative(PROGRESS_CLASSW, PBS_SMOOTH, 0, parent, bounds, "", font);
    showRange();
  }

 private:
  void showRange() override {
    SendMessageW(hwnd_, PBM_SETRANGE32, static_cast<WPARAM>(model_.Min()), model_.Max());
    SendMessageW(hwnd_, PBM_SETPOS, static_cast<WPARAM>(model_.Value()), 0);
  }
};

class UpDown final : public RangeWindow {
 public:
  using RangeWindow::RangeWindow;

  void create(HWND parent, const RECT& bounds, HFONT font) override {
    const DWORD orientation = model_.style().vertical ? 0 : UDS_HORZ;
    hwnd_ = createNative(UPDOWN_CLASSW, orientation | UDS_ARROWKEYS | WS_TABSTOP, 0, parent, bounds,
                         "", font);
    showRange();
  }
  void scroll(int) override {
    const auto position = static_cast<int>(SendMessageW(hwnd_, UDM_GETPOS32, 0, 0));
    if (position != model_.Value()) model_.valueFromUser(position);
  }

 private:
  void showRange() override {
    SendMessageW(hwnd_, UDM_SETRANGE32, static_cast<WPARAM>(model_.Min()), model_.Max());
    SendMessageW(hwnd_, UDM_SETPOS32, 0, model_.Value());
  }
};

class TabStrip final : public ControlWindow {
 public:
  using ControlWindow::ControlWindow;

  void create(HWND parent, const RECT& bounds, HFONT font) override {
    hwnd_ = createNative(WC_TABCONTROLW, WS_TABSTOP, 0, parent, bounds, "", font);
    showTabs();
  }
  void update(Property property) override {
    if (property == Property::Tabs) {
      showTabs();
    } else if (property == Property::Value) {
      SendMessageW(hwnd_, TCM_SETCURSEL, static_cast<WPARAM>(model_.SelectedTab() - 1), 0);
    } else {
      ControlWindow::update(property);
    }
  }
  LRESULT notify(const NMHDR& header) override {
    if (header.code == TCN_SELCHANGE) {
      model_.selectedTabFromUser(static_cast<int>(SendMessageW(hwnd_, TCM_GETCURSEL, 0, 0)) + 1);
    }
    return 0;
  }

 protected:
  bool intercept(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    if (message == WM_PAINT && paintedBySkin()) {
      result = 0;
      return true;
    }
    return ControlWindow::intercept(message, wParam, lParam, result);
  }

 private:
  void showTabs() {
    SendMessageW(hwnd_, TCM_DELETEALLITEMS, 0, 0);
    int position = 0;
    for (const auto& caption : model_.tabs()) {
      std::wstring text = wide(caption);
      TCITEMW tab{};
      tab.mask = TCIF_TEXT;
      tab.pszText = text.data();
      SendMessageW(hwnd_, TCM_INSERTITEMW, static_cast<WPARAM>(position++),
                   reinterpret_cast<LPARAM>(&tab));
    }
    SendMessageW(hwnd_, TCM_SETCURSEL, static_cast<WPARAM>(model_.SelectedTab() - 1), 0);
  }
};

}  // namespace

std::unique_ptr<ControlWindow> makeTrackBar(Control& model) {
  return std::make_unique<TrackBar>(model);
}
std::unique_ptr<ControlWindow> makeProgressBar(Control& model) {
  return std::make_unique<ProgressBar>(model);
}
std::unique_ptr<ControlWindow> makeUpDown(Control& model) {
  return std::make_unique<UpDown>(model);
}
std::unique_ptr<ControlWindow> makeTabStrip(Control& model) {
  return std::make_unique<TabStrip>(model);
}

std::unique_ptr<ControlWindow> makeControlWindow(Control& model) {
  switch (model.kind()) {
    case ControlKind::Button:
      return makePushButton(model);
    case ControlKind::CheckBox:
    case ControlKind::OptionButton:
      return makeCheckButton(model);
    case ControlKind::Label:
    case ControlKind::SkinLabel:
      return makeLabel(model);
    case ControlKind::Frame:
      return makeFrame(model);
    case ControlKind::TextBox:
      return makeTextBox(model);
    case ControlKind::ComboBox:
    case ControlKind::DriveList:
      return makeComboBox(model);
    case ControlKind::ImageCombo:
      return makeImageCombo(model);
    case ControlKind::ListBox:
      return makeListBox(model);
    case ControlKind::ListView:
      return makeListView(model);
    case ControlKind::TrackBar:
      return makeTrackBar(model);
    case ControlKind::ProgressBar:
      return makeProgressBar(model);
    case ControlKind::TabStrip:
      return makeTabStrip(model);
    case ControlKind::UpDown:
      return makeUpDown(model);
    case ControlKind::Picture:
      return makePicture(model);
    case ControlKind::Histogram:
      return makeHistogram(model);
  }
  return makeLabel(model);
}

}  // namespace corvanta::ui::win32
