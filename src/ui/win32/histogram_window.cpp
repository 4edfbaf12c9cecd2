// The processor-usage histogram: the model's newest values as bars, newest
// on the right, on a dark grid. Drawn into a memory bitmap and copied in one
// go, so it never flickers. Its window text is the newest value ("37 %"),
// which is what a screen reader reads for it.
#include <algorithm>

#include "ui/win32/control_kinds.h"

namespace corvanta::ui::win32 {
namespace {

constexpr const char* kHistogramClass = "CorvantaHistogram";
constexpr COLORREF kBackground = RGB(0, 0, 0);
constexpr COLORREF kGrid = RGB(0, 64, 0);
constexpr int kGridLines = 4;

class Histogram final : public ControlWindow {
 public:
  using ControlWindow::ControlWindow;

  void create(HWND parent, const RECT& bounds, HFONT font) override {
    static const ATOM registered = [] {
      WNDCLASSA window{};
      window.lpfnWndProc = &Histogram::windowProc;
      window.hInstance = GetModuleHandleA(nullptr);
      window.hCursor = LoadCursor(nullptr, IDC_ARROW);
      window.lpszClassName = kHistogramClass;
      return RegisterClassA(&window);
    }();
    if (!registered) return;
    hwnd_ = createNative(kHistogramClass, 0, WS_EX_CLIENTEDGE, parent, bounds, latestText(), font);
    if (hwnd_) SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~Histogram() override {
    if (hwnd_) SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
  }
  void update(Property property) override {
    if (property != Property::History) {
      ControlWindow::update(property);
      return;
    }
    SetWindowTextA(hwnd_, latestText().c_str());
    InvalidateRect(hwnd_, nullptr, FALSE);
  }

 private:
  std::string latestText() const {
    const auto& values = model_.history();
    return values.empty() ? std::string() : std::to_string(values.back()) + " %";
  }

  void paint(HDC target) const {
    RECT area{};
    GetClientRect(hwnd_, &area);
    const int width = area.right;
    const int height = area.bottom;
    if (width <= 0 || height <= 0) return;
    HDC memory = CreateCompatibleDC(target);
    HBITMAP bitmap = CreateCompatibleBitmap(target, width, height);
    HGDIOBJ previous = SelectObject(memory, bitmap);

    HBRUSH background = CreateSolidBrush(kBackground);
    FillRect(memory, &area, background);
    DeleteObject(background);
    HPEN grid = CreatePen(PS_SOLID, 1, kGrid);
    HGDIOBJ previousPen = SelectObject(memory, grid);
    for (int line = 1; line < kGridLines; ++line) {
      const int y = height * line / kGridLines;
      MoveToEx(memory, 0, y, nullptr);
      LineTo(memory, width, y);
    }
    SelectObject(memory, previousPen);
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
      FillRect(memory, &column, bar);
    }
    DeleteObject(bar);

    BitBlt(target, 0, 0, width, height, memory, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
  }

  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam,
                                     LPARAM lParam) noexcept {
    const auto* self = reinterpret_cast<const Histogram*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
      case WM_ERASEBKGND:
        return 1;  // the paint covers everything
      case WM_PAINT: {
        PAINTSTRUCT paintStruct;
        HDC dc = BeginPaint(window, &paintStruct);
        if (self) self->paint(dc);
        EndPaint(window, &paintStruct);
        return 0;
      }
      default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
  }
};

}  // namespace

std::unique_ptr<ControlWindow> makeHistogram(Control& model) {
  return std::make_unique<Histogram>(model);
}

}  // namespace corvanta::ui::win32
