// The processor-usage histogram: the model's newest values as bars, newest
// on the right, on a dark grid. A screen reader takes it for a progress bar
// named after its frame whose value is the newest one ("37 %"); it is told
// of a new value at most once a second, however often values come.
#include <algorithm>

#include "ui/win32/accessible_object.h"
#include "ui/win32/control_kinds.h"
#include "ui/win32/painted_window.h"

namespace corvanta::ui::win32 {
namespace {

constexpr const wchar_t* kHistogramClass = L"CorvantaHistogram";
constexpr COLORREF kBackground = RGB(0, 0, 0);
constexpr COLORREF kGrid = RGB(0, 64, 0);
constexpr int kGridLines = 4;
constexpr ULONGLONG kAnnounceEvery = 1000;  // milliseconds
constexpr UINT_PTR kAnnounceTimer = 1;

class Histogram final : public PaintedWindow {
 public:
  using PaintedWindow::PaintedWindow;

  void create(HWND parent, const RECT& bounds, HFONT font) override {
    createPainted(kHistogramClass, WS_EX_CLIENTEDGE, parent, bounds, latestText(), font);
  }
  void update(Property property) override {
    if (property != Property::History) {
      ControlWindow::update(property);
      return;
    }
    setWindowText(hwnd_, latestText());
    repaint();
    announce();
  }

 protected:
  bool intercept(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    if (message != WM_TIMER || wParam != kAnnounceTimer)
      return ControlWindow::intercept(message, wParam, lParam, result);
    KillTimer(hwnd_, kAnnounceTimer);
    waiting_ = false;
    announce();
    result = 0;
    return true;
  }

 private:
  // A value within a second of the last one told waits for the second to
  // pass, and is told then if no newer one has come.
  void announce() {
    if (waiting_) return;
    const ULONGLONG now = GetTickCount64();
    if (told_ != 0 && now - told_ < kAnnounceEvery) {
      waiting_ = SetTimer(hwnd_, kAnnounceTimer, static_cast<UINT>(kAnnounceEvery - (now - told_)),
                          nullptr) != 0;
      return;
    }
    told_ = now;
    announceValueChange(hwnd_);
  }

  std::string latestText() const {
    const auto& values = model_.history();
    return values.empty() ? std::string() : std::to_string(values.back()) + " %";
  }

  void paint(HDC dc, const RECT& area) const override {
    const int width = area.right;
    const int height = area.bottom;
    HBRUSH background = CreateSolidBrush(kBackground);
    FillRect(dc, &area, background);
    DeleteObject(background);
    HPEN grid = CreatePen(PS_SOLID, 1, kGrid);
    HGDIOBJ previousPen = SelectObject(dc, grid);
    for (int line = 1; line < kGridLines; ++line) {
      const int y = height * line / kGridLines;
      MoveToEx(dc, 0, y, nullptr);
      LineTo(dc, width, y);
    }
    SelectObject(dc, previousPen);
    DeleteObject(grid);

    // Each of the MaxLines places is one bar wide; the newest value is the
    // rightmost bar.
    const auto& values = model_.history();
    const int places = std::max(1, model_.MaxLines());
    HBRUSH bar = CreateSolidBrush(static_cast<COLORREF>(model_.BarColor()));
    for (std::size_t i = 0; i < values.size(); ++i) {
      const int place = places - static_cast<int>(values.size()) + static_cast<int>(i);
      const int percent = std::clamp(values[i], 0, 100);
      RECT column{width * place / places + 1, height - height * percent / 100,
                  width * (place + 1) / places, height};
      FillRect(dc, &column, bar);
    }
    DeleteObject(bar);
  }

  ULONGLONG told_ = 0;
  bool waiting_ = false;
};

}  // namespace

std::unique_ptr<ControlWindow> makeHistogram(Control& model) {
  return std::make_unique<Histogram>(model);
}

}  // namespace corvanta::ui::win32
