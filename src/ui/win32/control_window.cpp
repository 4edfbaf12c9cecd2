#include "ui/win32/control_window.h"

#include "platform/win32/wide_text.h"
#include "ui/win32/accessible_object.h"

namespace corvanta::ui::win32 {

HWND ControlWindow::createNative(const wchar_t* windowClass, DWORD style, DWORD exStyle,
                                 HWND parent, const RECT& bounds, const std::string& text,
                                 HFONT font) {
  // Shown as the model says, enabled at first; the form window applies the
  // rest of the model's state.
  if (model_.Visible()) style |= WS_VISIBLE;
  HWND window = CreateWindowExW(
      exStyle, windowClass, wide(text).c_str(), style | WS_CHILD | WS_CLIPSIBLINGS, bounds.left,
      bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)), GetModuleHandleW(nullptr), nullptr);
  if (!window) return nullptr;
  if (font) SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  // The user data is free in a standard control, for the application.
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  native_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&procedure)));
  return window;
}

std::shared_ptr<const ControlWindow* const> ControlWindow::presence() const {
  if (!presence_) presence_ = std::make_shared<const ControlWindow*>(this);
  return presence_;
}

LRESULT CALLBACK ControlWindow::procedure(HWND window, UINT message, WPARAM wParam,
                                          LPARAM lParam) noexcept {
  auto* self = reinterpret_cast<ControlWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  LRESULT result = 0;
  try {
    if (self->intercept(message, wParam, lParam, result)) return result;
  } catch (...) {
  }
  const WNDPROC native = self->native_;
  // The window's last message: the native control has it alone.
  if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  return CallWindowProcW(native, window, message, wParam, lParam);
}

bool ControlWindow::paintedBySkin() const {
  return SendMessageW(GetAncestor(hwnd_, GA_ROOT), kMsgPaintControl, 0,
                      reinterpret_cast<LPARAM>(hwnd_)) != 0;
}

bool ControlWindow::intercept(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  // The object id travels as a 32-bit number, sign-extended or not.
  if (message != WM_GETOBJECT || static_cast<LONG>(static_cast<DWORD>(lParam)) != OBJID_CLIENT)
    return false;
  result = answerAccessibleObject(*this, wParam);
  return result != 0;
}

std::string windowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return narrow(text);
}

void setWindowText(HWND window, const std::string& text) {
  SetWindowTextW(window, wide(text).c_str());
}

HFONT createFont(LOGFONTW face, const std::string& name) {
  const std::wstring wanted = wide(name);
  lstrcpynW(face.lfFaceName, wanted.c_str(), LF_FACESIZE);
  return CreateFontIndirectW(&face);
}

ControlWindow::~ControlWindow() {
  if (ownFont_) DeleteObject(ownFont_);
  if (presence_) *presence_ = nullptr;
  // A window that outlived it (none should) no longer finds it.
  if (hwnd_ && IsWindow(hwnd_)) SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
}

void ControlWindow::showOwnFont() {
  const FontSpec& wanted = model_.Font();
  if (wanted.name.empty()) return;
  LOGFONTW face{};
  face.lfHeight = -MulDiv(wanted.size, dpi_, 72);
  face.lfWeight = wanted.bold ? FW_BOLD : FW_NORMAL;
  face.lfItalic = wanted.italic;
  face.lfStrikeOut = wanted.strikeout;
  face.lfCharSet = DEFAULT_CHARSET;
  HFONT font = createFont(face, wanted.name);
  if (!font) return;
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  if (ownFont_) DeleteObject(ownFont_);
  ownFont_ = font;
}

void ControlWindow::update(Property property) {
  switch (property) {
    case Property::Font:
      showOwnFont();
      break;
    case Property::Caption:
      setWindowText(hwnd_, model_.Caption());
      break;
    case Property::Visible:
      ShowWindow(hwnd_, model_.Visible() ? SW_SHOWNA : SW_HIDE);
      break;
    case Property::Enabled:
      EnableWindow(hwnd_, model_.Enabled());
      break;
    case Property::ZOrder:
      SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      break;
    default:
      break;
  }
}

}  // namespace corvanta::ui::win32
