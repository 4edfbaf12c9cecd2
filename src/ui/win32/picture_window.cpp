// The picture box: its back colour, and the picture file (BMP, JPEG or GIF)
// scaled to fit inside it, keeping its proportions. A picture larger than
// the box is kept at the size it shows at, decoded that small: a wallpaper
// photograph's preview costs a fraction of its full decoding, and every
// paint is a plain copy.
#include "platform/win32/picture_win32.h"
#include "ui/win32/control_kinds.h"
#include "ui/win32/painted_window.h"

namespace corvanta::ui::win32 {
namespace {

class Picture final : public PaintedWindow {
 public:
  using PaintedWindow::PaintedWindow;
  ~Picture() override {
    if (bitmap_) DeleteObject(bitmap_);
  }

  void create(HWND parent, const RECT& bounds, HFONT font) override {
    createPainted(L"CorvantaPicture", 0, parent, bounds, "", font);
    load();
  }
  void update(Property property) override {
    if (property != Property::Picture) {
      ControlWindow::update(property);
      return;
    }
    if (model_.PicturePath() != loadedPath_) load();
    repaint();
  }

 private:
  void load() {
    if (bitmap_) DeleteObject(bitmap_);
    bitmap_ = nullptr;
    loadedPath_ = model_.PicturePath();
    RECT area{};
    GetClientRect(hwnd_, &area);
    decodedFor_ = {area.right, area.bottom};
    if (!loadedPath_.empty()) bitmap_ = decodePicture(loadedPath_, width_, height_, decodedFor_);
  }
  // A box grown past the size the picture was decoded for shows it anew.
  void resized(int width, int height) override {
    if (bitmap_ && (width > decodedFor_.cx || height > decodedFor_.cy)) load();
  }

  // What a picture box shows, as a static picture control tells it.
  bool answer(UINT message, LRESULT& result) const override {
    if (message != STM_GETIMAGE) return false;
    result = reinterpret_cast<LRESULT>(bitmap_);
    return true;
  }

  void paint(HDC dc, const RECT& area) const override {
    HBRUSH back =
        CreateSolidBrush(model_.hasBackColor() ? model_.BackColor() : GetSysColor(COLOR_BTNFACE));
    FillRect(dc, &area, back);
    DeleteObject(back);
    if (!bitmap_ || width_ <= 0 || height_ <= 0) return;
    const SIZE shown = scaledToFit(width_, height_, {area.right, area.bottom});
    const int w = shown.cx;
    const int h = shown.cy;
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(source, bitmap_);
    SetStretchBltMode(dc, HALFTONE);
    StretchBlt(dc, (area.right - w) / 2, (area.bottom - h) / 2, w, h, source, 0, 0, width_, height_,
               SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
  }

  HBITMAP bitmap_ = nullptr;
  std::string loadedPath_;
  SIZE decodedFor_{};
  int width_ = 0;
  int height_ = 0;
};

}  // namespace

std::unique_ptr<ControlWindow> makePicture(Control& model) {
  return std::make_unique<Picture>(model);
}

}  // namespace corvanta::ui::win32
