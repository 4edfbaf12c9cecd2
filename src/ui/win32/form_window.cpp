#include "ui/win32/form_window.h"

#include <algorithm>
#include <exception>
#include <string>
#include <utility>

#include "platform/win32/late_bound.h"
#include "platform/win32/startup_trace.h"
#include "platform/win32/wide_text.h"
#include "ui/forms.h"
#include "ui/win32/accessible_object.h"
#include "ui/win32/caption_fit.h"
#include "ui/win32/tab_order.h"

namespace corvanta::ui::win32 {
namespace {

constexpr const wchar_t* kFormClass = L"CorvantaForm";

// The program's default face until the skin gives its own.
HFONT formFont(int dpi) {
  LOGFONTW face{};
  face.lfHeight = -MulDiv(8, dpi, 72);
  face.lfCharSet = DEFAULT_CHARSET;
  return createFont(face, "Tahoma");
}

// The dots per inch of the monitor `window` is on, where Windows tells each
// monitor's (10, version 1607 on); the system's before.
int windowDpi(HWND window) {
  using GetDpiForWindowFunction = UINT WINAPI(HWND);
  static const auto getDpiForWindow =
      lateBound<GetDpiForWindowFunction>(L"user32.dll", "GetDpiForWindow");
  if (getDpiForWindow && window) {
    if (const UINT dpi = getDpiForWindow(window)) return static_cast<int>(dpi);
  }
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

// Whether a WM_SETTINGCHANGE may have turned high contrast or the apps'
// dark look on or off: the setting itself, or the colour set Windows
// broadcasts when it switches schemes or between light and dark.
bool lookMayHaveChanged(WPARAM wParam, LPARAM lParam) {
  if (wParam == SPI_SETHIGHCONTRAST) return true;
  const auto* area = reinterpret_cast<const wchar_t*>(lParam);
  return area && lstrcmpiW(area, L"ImmersiveColorSet") == 0;
}

BOOL CALLBACK tellColorChange(HWND child, LPARAM) {
  SendMessageW(child, WM_SYSCOLORCHANGE, 0, 0);
  return TRUE;
}

}  // namespace

FormWindow::FormWindow(Form& form, HWND owner, Forms& forms, SkinPainter* skin)
    : form_(form), owner_(owner), forms_(forms), skin_(skin) {
  dpi_ = windowDpi(owner);
  font_ = formFont(dpi_);
}

FormWindow::~FormWindow() {
  destroy();
  if (font_) DeleteObject(font_);
}

int FormWindow::pixels(int twips) const { return MulDiv(twips, dpi_, 1440); }

FormWindow* FormWindow::fromHandle(HWND window) {
  // Other windows keep their own things in the user data (frames their
  // group box's procedure, the splash itself).
  if (GetWindowLongPtrW(window, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&windowProc))
    return nullptr;
  return reinterpret_cast<FormWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

bool FormWindow::create() {
  static const ATOM registered = [] {
    // The program's icon, its small size drawn for the title bar rather than
    // scaled down from the large one.
    HINSTANCE program = GetModuleHandleW(nullptr);
    WNDCLASSEXW window{};
    window.cbSize = sizeof window;
    window.lpfnWndProc = &FormWindow::windowProc;
    window.hInstance = program;
    window.hCursor = LoadCursor(nullptr, IDC_ARROW);
    window.hIcon = LoadIcon(program, MAKEINTRESOURCE(1));
    window.hIconSm = static_cast<HICON>(LoadImageW(program, MAKEINTRESOURCE(1), IMAGE_ICON,
                                                   GetSystemMetrics(SM_CXSMICON),
                                                   GetSystemMetrics(SM_CYSMICON), 0));
    window.lpszClassName = kFormClass;
    return RegisterClassExW(&window);
  }();
  if (!registered) return false;
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN |
                      (owner_ ? 0 : WS_MINIMIZEBOX) |
                      (form_.resizable() ? WS_THICKFRAME | WS_MAXIMIZEBOX : 0);
  const int width = pixels(form_.Width());
  const int height = pixels(form_.Height());
  // Centred over the owner, or on the screen.
  RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (owner_) GetWindowRect(owner_, &area);
  const int left = area.left + ((area.right - area.left) - width) / 2;
  const int top = area.top + ((area.bottom - area.top) - height) / 2;
  hwnd_ = CreateWindowExW(WS_EX_CONTROLPARENT, kFormClass, wide(form_.Caption()).c_str(), style,
                          left > 0 ? left : 0, top > 0 ? top : 0, width, height, owner_, nullptr,
                          GetModuleHandleW(nullptr), this);
  if (!hwnd_) return false;
  form_.setHandle(reinterpret_cast<std::uintptr_t>(hwnd_));
  form_.setObserver(this);
  // Placed on a monitor of other dots per inch than its owner's (or the
  // primary's): sized for that monitor's.
  if (const int dpi = windowDpi(hwnd_); dpi != dpi_) {
    changeDpi(dpi, nullptr);
  } else {
    applySize();
  }
  syncTimers();
  return true;
}

void FormWindow::createControls() {
  for (const auto& model : form_.controls()) {
    if (showing(*model)) realise(*model);
  }
  fitMadeCaptions();
}

bool FormWindow::showing(const Control& control) { return control.showing(); }

ControlWindow* FormWindow::realise(Control& model) {
  if (const auto found = byModel_.find(&model); found != byModel_.end()) return found->second;
  HWND container = hwnd_;
  if (Control* parent = model.parent()) {
    ControlWindow* parentWindow = realise(*parent);
    if (!parentWindow) return nullptr;
    container = parentWindow->container();
  }
  auto window = makeControlWindow(model);
  window->setId(nextId_++);
  window->setDpi(dpi_);
  window->create(container, window->nativeBounds(boundsOf(model)), font_);
  if (!window->hwnd()) return nullptr;
  // Windows stacks children first made on top, and that order is the Tab
  // order too: a control made late goes just below the one declared before
  // it, so that both keep the declared order.
  HWND after = HWND_TOP;
  bool laterSiblingExists = false;
  for (const auto& other : form_.controls()) {
    if (other.get() == &model) {
      for (auto next = std::find(form_.controls().begin(), form_.controls().end(), other) + 1;
           next != form_.controls().end() && !laterSiblingExists; ++next) {
        laterSiblingExists = (*next)->parent() == model.parent() && byModel_.count(next->get());
      }
      break;
    }
    if (other->parent() == model.parent()) {
      if (const auto made = byModel_.find(other.get()); made != byModel_.end()) {
        after = made->second->hwnd();
      }
    }
  }
  if (laterSiblingExists) {
    SetWindowPos(window->hwnd(), after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  byHandle_[window->hwnd()] = window.get();
  byModel_[&model] = window.get();
  model.setHandle(reinterpret_cast<std::uintptr_t>(window->hwnd()));
  if (!model.Enabled()) window->update(Property::Enabled);
  if (!model.Font().name.empty()) window->update(Property::Font);
  if (skin_) skin_->controlMade(window->hwnd());
  if (skin_ && !model.SkinElement().empty())
    skin_->skinControl(window->hwnd(), model.SkinElement());
  ControlWindow* made = window.get();
  controls_.push_back(std::move(window));
  unfitted_.push_back(made);
  return made;
}

// A caption may grow up to the next control on its line, so captions are
// fitted once every control shown with them has been made.
void FormWindow::fitMadeCaptions() {
  for (ControlWindow* made : std::exchange(unfitted_, {})) {
    fitCaptionOf(*made);
    if (toolTipsReady_) showToolTip(*made);
  }
}

void FormWindow::realiseShowing(const Control& container) {
  for (const auto& model : form_.controls()) {
    bool inside = false;
    for (const Control* level = model->parent(); level && !inside; level = level->parent()) {
      inside = level == &container;
    }
    if (inside && !byModel_.count(model.get()) && showing(*model)) realise(*model);
  }
  fitMadeCaptions();
}

RECT FormWindow::boundsOf(const Control& control) const {
  const Geometry& g = control.geometry();
  // Controls of the window itself move as it scrolls; those in a frame
  // move with it.
  const bool topLevel = control.parent() == nullptr;
  int left = pixels(g.left) - (topLevel ? scroll_.x : 0);
  int top = pixels(g.top) + (topLevel ? topInset_ - scroll_.y : 0);
  int width = pixels(g.width);
  int height = pixels(g.height);
  if (topLevel) {
    // In a window made larger than its design, what follows it.
    const auto follow = [](Grow grow, LONG by, int& place, int& size) {
      if (grow == Grow::Move) place += by;
      if (grow == Grow::Stretch) size += by;
    };
    follow(control.growsAcross(), grown_.cx, left, width);
    follow(control.growsDown(), grown_.cy, top, height);
  }
  return {left, top, left + width, top + height};
}

void FormWindow::place(ControlWindow& window) {
  const RECT bounds = window.nativeBounds(boundsOf(window.model()));
  const int width = bounds.right - bounds.left;
  const int height = bounds.bottom - bounds.top;
  MoveWindow(window.hwnd(), bounds.left, bounds.top, width, height, TRUE);
  // Scrolled up under the skin's top strip, a control of the window shows
  // only below it, so that it never covers the strip and its buttons; a
  // window without the strip clips nothing.
  if (window.model().parent() || topInset_ == 0) return;
  const int underStrip = topInset_ - bounds.top;
  RECT clipped{};
  if (underStrip > 0)
    SetWindowRgn(window.hwnd(), CreateRectRgn(0, std::min(underStrip, height), width, height),
                 TRUE);
  else if (GetWindowRgnBox(window.hwnd(), &clipped) != ERROR)
    SetWindowRgn(window.hwnd(), nullptr, TRUE);
}

void FormWindow::setTopInset(int pixels) {
  if (topInset_ == pixels) return;
  topInset_ = pixels;
  for (const auto& window : controls_) {
    if (!window->model().parent()) place(*window);
  }
  applySize();
}

void FormWindow::applySize() {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (GetMonitorInfoW(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTONEAREST), &monitor))
    area = monitor.rcWork;
  RECT now{};
  GetWindowRect(hwnd_, &now);
  const int width = std::min<int>(pixels(form_.Width()), area.right - area.left);
  const int height = std::min<int>(pixels(form_.Height()) + topInset_, area.bottom - area.top);
  const int left = std::clamp<int>(now.left, area.left, area.right - width);
  const int top = std::clamp<int>(now.top, area.top, area.bottom - height);
  SetWindowPos(hwnd_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  updateScrollBars();
}

void FormWindow::changeDpi(int dpi, const RECT* suggested) {
  if (dpi <= 0 || dpi == dpi_) return;
  dpi_ = dpi;
  HFONT previous = std::exchange(font_, formFont(dpi_));
  for (const auto& window : controls_) {
    window->setDpi(dpi_);
    SendMessageW(window->hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    if (!window->model().Font().name.empty()) window->update(Property::Font);
    if (window->model().kind() == ControlKind::ListView) window->update(Property::Columns);
  }
  // The skin's fonts and band (whose height is the top inset) next, then
  // every control in its place at the new scale.
  if (skin_) skin_->dpiChanged(hwnd_);
  if (suggested) {
    SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top,
                 suggested->right - suggested->left, suggested->bottom - suggested->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    applySize();
  }
  // Captions are fitted once the window has its new size: one may grow up
  // to the window's edge.
  for (const auto& window : controls_) place(*window);
  for (const auto& window : controls_) fitCaptionOf(*window);
  if (previous) DeleteObject(previous);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void FormWindow::show() {
  // The controls are made when the window first shows, by then in the state
  // its load left them: the hidden pages' controls wait for their page.
  // The first window shown traces its steps for the start-up benchmark.
  static bool firstShown = true;
  const bool tracing = std::exchange(firstShown, false);
  if (!controlsMade_) {
    controlsMade_ = true;
    createControls();
    if (tracing) tracePhase("controls");
  }
  ShowWindow(hwnd_, SW_SHOW);
  if (tracing) tracePhase("visible");
  UpdateWindow(hwnd_);
  if (tracing) tracePhase("updated");
  PostMessageW(hwnd_, kMsgShown, tracing, 0);
  SetForegroundWindow(hwnd_);
  // A window opens with its first control focused, or the one it had.
  if (const HWND focus = GetFocus(); !focus || focus == hwnd_ || !IsChild(hwnd_, focus))
    restoreFocus();
}

void FormWindow::destroy() {
  if (!hwnd_) return;
  form_.setObserver(nullptr);
  for (UINT_PTR id : runningTimers_) KillTimer(hwnd_, id);
  runningTimers_.clear();
  if (skin_) skin_->forget(hwnd_);
  HWND window = hwnd_;
  hwnd_ = nullptr;
  SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  if (owner_) EnableWindow(owner_, TRUE);
  DestroyWindow(window);
  toolTips_ = nullptr;  // owned by the window, gone with it
  lastFocus_ = nullptr;
  byHandle_.clear();
  byModel_.clear();
  clippedCaptions_.clear();
  controls_.clear();
  form_.setHandle(0);
  for (const auto& model : form_.controls()) model->setHandle(0);
}

void FormWindow::showToolTip(ControlWindow& window) {
  std::string text = window.model().ToolTipText();
  if (text.empty()) {
    const auto clipped = clippedCaptions_.find(window.hwnd());
    if (clipped != clippedCaptions_.end()) text = clipped->second;
  }
  if (text.empty() && !toolTips_) return;
  if (!toolTips_) {
    toolTips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  TOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = hwnd_;
  tool.uId = reinterpret_cast<UINT_PTR>(window.hwnd());
  SendMessageW(toolTips_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  if (text.empty()) return;
  std::wstring tip = wide(text);
  tool.lpszText = tip.data();
  SendMessageW(toolTips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void FormWindow::fitCaptionOf(ControlWindow& window) {
  switch (window.model().kind()) {
    case ControlKind::Label:
    case ControlKind::SkinLabel:
    case ControlKind::CheckBox:
    case ControlKind::OptionButton:
    case ControlKind::Button:
      break;
    default:
      return;
  }
  const CaptionFit fit = fitCaption(window.hwnd(), window.model().Caption());
  if (fit.fits) {
    if (clippedCaptions_.erase(window.hwnd()) && toolTipsReady_) showToolTip(window);
    return;
  }
  clippedCaptions_[window.hwnd()] = fit.toolTip;
  if (toolTipsReady_) showToolTip(window);
}

void FormWindow::syncTimers() {
  for (UINT_PTR id : runningTimers_) KillTimer(hwnd_, id);
  runningTimers_.clear();
  UINT_PTR id = 0;
  for (const auto& timer : form_.timers()) {
    ++id;
    if (timer->enabled && timer->interval > 0) {
      SetTimer(hwnd_, id, static_cast<UINT>(timer->interval), nullptr);
      runningTimers_.push_back(id);
    }
  }
}

void FormWindow::controlChanged(Control& control, Property property) {
  if (!controlsMade_) return;
  const auto found = byModel_.find(&control);
  if (found == byModel_.end()) {
    // Not made yet: it takes the model's state when it first shows.
    if (property == Property::Visible && showing(control) && realise(control)) {
      realiseShowing(control);
    }
    return;
  }
  if (property == Property::Visible && control.Visible()) realiseShowing(control);
  if (property == Property::Skin) {
    if (skin_ && !control.SkinElement().empty()) {
      skin_->skinControl(found->second->hwnd(), control.SkinElement());
    }
    fitCaptionOf(*found->second);
  } else if (property == Property::Geometry) {
    place(*found->second);
    fitCaptionOf(*found->second);
  } else if (property == Property::Caption || property == Property::Font) {
    found->second->update(property);
    fitCaptionOf(*found->second);
  } else if (property == Property::ToolTip) {
    if (toolTipsReady_) showToolTip(*found->second);
  } else if (property == Property::Visible && !control.Visible()) {
    // The focus does not go with a control that is hidden (a page left):
    // it goes to the window's first control, not to the frame around.
    const HWND focus = GetFocus();
    const HWND window = found->second->hwnd();
    const bool held = focus && (focus == window || IsChild(window, focus));
    found->second->update(property);
    if (held) focusControl(nextTabStop(hwnd_, nullptr, false));
  } else if (property == Property::Expanded) {
    announceStateChange(found->second->hwnd());
  } else if (property == Property::Enabled) {
    // A control that loses the focus by being disabled (a button that
    // starts work) gets it back when it is enabled again, unless the user
    // has put it elsewhere meanwhile.
    const HWND window = found->second->hwnd();
    const HWND focus = GetFocus();
    const auto holds = [&](HWND inner) {
      return inner && (inner == window || IsChild(window, inner));
    };
    if (!control.Enabled() && holds(focus)) lastFocus_ = focus;
    found->second->update(property);
    if (control.Enabled() && holds(lastFocus_) && GetActiveWindow() == hwnd_ &&
        (!GetFocus() || GetFocus() == hwnd_))
      SetFocus(lastFocus_);
  } else {
    found->second->update(property);
  }
}

void FormWindow::formChanged(Form& form, FormProperty property) {
  switch (property) {
    case FormProperty::Caption:
      setWindowText(hwnd_, form.Caption());
      break;
    case FormProperty::Size:
      applySize();
      break;
    case FormProperty::Timer:
      syncTimers();
      break;
  }
}

ControlWindow* FormWindow::windowFor(HWND window) const {
  const auto found = byHandle_.find(window);
  return found == byHandle_.end() ? nullptr : found->second;
}

void FormWindow::showHelp() {
  guard([&] { forms_.help(form_.helpTopic(modelOf(GetFocus()))); });
}

HBRUSH FormWindow::backgroundBrush(HWND window) {
  HBRUSH brush = skin_ ? skin_->background(window) : nullptr;
  return brush ? brush : GetSysColorBrush(COLOR_BTNFACE);
}

template <class Event>
void FormWindow::guard(Event&& event) noexcept {
  try {
    event();
  } catch (const std::exception& error) {
    MessageBoxW(hwnd_, wide(std::string("Run-time error:\r\n") + error.what()).c_str(),
                wide(form_.Caption()).c_str(), MB_ICONERROR | MB_OK);
  } catch (...) {
    MessageBoxW(hwnd_, L"Run-time error", wide(form_.Caption()).c_str(), MB_ICONERROR | MB_OK);
  }
}

LRESULT CALLBACK FormWindow::windowProc(HWND window, UINT message, WPARAM wParam,
                                        LPARAM lParam) noexcept {
  if (message == WM_NCCREATE) {
    const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
  }
  auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  // Until CreateWindowEx returns, and once the window is being destroyed,
  // Windows handles everything itself.
  if (!self || !self->hwnd_) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_PAINT) {
    static bool painted = false;
    if (!painted) tracePhase("first paint");
    painted = true;
  }
  LRESULT result = 0;
  try {
    result = self->handle(message, wParam, lParam);
  } catch (...) {
    result = DefWindowProcW(window, message, wParam, lParam);
  }
  return result;
}

LRESULT FormWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT result = 0; keyboardMessage(message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_COMMAND: {
      const auto child = reinterpret_cast<HWND>(lParam);
      if (!child && LOWORD(wParam) == IDCANCEL) {
        // Escape, from the dialog manager.
        if (Control* cancel = form_.cancelButton()) guard([&] { cancel->click(); });
      } else if (ControlWindow* window = windowFor(child)) {
        guard([&] { window->command(HIWORD(wParam)); });
      } else if (skin_ && HIWORD(wParam) == BN_CLICKED) {
        guard([&] { skin_->elementCommand(child); });
      }
      return 0;
    }
    case WM_NOTIFY: {
      const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
      LRESULT result = 0;
      if (ControlWindow* window = windowFor(header.hwndFrom))
        guard([&] { result = window->notify(header); });
      return result;
    }
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (scrollMessage(message, wParam, lParam)) return 0;
      if (ControlWindow* window = windowFor(reinterpret_cast<HWND>(lParam))) {
        guard([&] { window->scroll(LOWORD(wParam)); });
      }
      return 0;
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (skin_ && skin_->drawItem(item)) return TRUE;
      // The plain look of a push button.
      wchar_t text[256] = {};
      GetWindowTextW(item.hwndItem, text, 256);
      RECT face = item.rcItem;
      const bool pressed = item.itemState & ODS_SELECTED;
      DrawFrameControl(item.hDC, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
      SetBkMode(item.hDC, TRANSPARENT);
      SetTextColor(item.hDC,
                   GetSysColor((item.itemState & ODS_DISABLED) ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
      DrawTextW(item.hDC, text, -1, &face,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
      if (item.itemState & ODS_FOCUS) {
        InflateRect(&face, -3, -3);
        DrawFocusRect(item.hDC, &face);
      }
      return TRUE;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      const auto dc = reinterpret_cast<HDC>(wParam);
      const auto control = reinterpret_cast<HWND>(lParam);
      HBRUSH brush = nullptr;
      if (skin_ && skin_->controlColors(control, dc, brush))
        return reinterpret_cast<LRESULT>(brush);
      brush = backgroundBrush(control);
      // Set, not left to the control: a DC starts with black text, which
      // a dark scheme's face would swallow.
      SetTextColor(dc, GetSysColor(IsWindowEnabled(control) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
      SetBkMode(dc, TRANSPARENT);
      return reinterpret_cast<LRESULT>(brush);
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX: {
      HBRUSH brush = nullptr;
      if (skin_ &&
          skin_->fieldColors(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam), brush))
        return reinterpret_cast<LRESULT>(brush);
      return DefWindowProcW(hwnd_, message, wParam, lParam);
    }
    case kMsgShown:
      if (!toolTipsReady_) {
        toolTipsReady_ = true;
        for (const auto& window : controls_) showToolTip(*window);
      }
      guard([&] { form_.reportShown(); });
      if (wParam) tracePhase("pages filled");
      return 0;
    case kMsgBackgroundBrush:
      return reinterpret_cast<LRESULT>(backgroundBrush(reinterpret_cast<HWND>(lParam)));
    case kMsgPaintControl:
      return skin_ && skin_->paintControl(reinterpret_cast<HWND>(lParam));
    case WM_ERASEBKGND: {
      if (skin_ && skin_->eraseForm(hwnd_, reinterpret_cast<HDC>(wParam))) return 1;
      RECT area;
      GetClientRect(hwnd_, &area);
      FillRect(reinterpret_cast<HDC>(wParam), &area, backgroundBrush(hwnd_));
      return 1;
    }
    case WM_TIMER: {
      const auto index = static_cast<std::size_t>(wParam) - 1;
      if (index < form_.timers().size()) {
        Timer& timer = *form_.timers()[index];
        if (timer.onTick) guard([&] { timer.onTick(); });
      }
      return 0;
    }
    case WM_CLOSE:
      guard([&] { forms_.closeRequested(form_); });
      return 0;
    case WM_SYSCOLORCHANGE:
      // Only top-level windows hear it; the common controls inside keep
      // the old colours until they are told.
      EnumChildWindows(hwnd_, &tellColorChange, 0);
      if (skin_) skin_->systemLookChanged();
      return 0;
    case WM_SETTINGCHANGE:
      if (skin_ && lookMayHaveChanged(wParam, lParam)) skin_->systemLookChanged();
      return DefWindowProcW(hwnd_, message, wParam, lParam);
    case WM_HELP:
      showHelp();
      return TRUE;
    case WM_SIZE:
      if (skin_) skin_->resized(hwnd_);
      followSize();
      if (!fittingScroll_) updateScrollBars();
      if (form_.onResize) guard([&] { form_.onResize(); });
      return 0;
    case WM_GETMINMAXINFO: {
      // No larger than its design, past which there is nothing to show,
      // unless something in it follows the window.
      if (form_.growable()) return 0;
      auto& limits = *reinterpret_cast<MINMAXINFO*>(lParam);
      limits.ptMaxTrackSize.x = std::min<LONG>(limits.ptMaxTrackSize.x, pixels(form_.Width()));
      limits.ptMaxTrackSize.y =
          std::min<LONG>(limits.ptMaxTrackSize.y, pixels(form_.Height()) + topInset_);
      limits.ptMaxSize = limits.ptMaxTrackSize;
      return 0;
    }
    case WM_MOUSEWHEEL:
      return scrollMessage(message, wParam, lParam) ? 0 : DefWindowProcW(hwnd_, message, wParam, lParam);
    case WM_DPICHANGED: {
      // Moved to a monitor of other dots per inch: laid out for them, at the
      // size and place Windows suggests.
      changeDpi(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
      return 0;
    }
    default:
      return DefWindowProcW(hwnd_, message, wParam, lParam);
  }
}

}  // namespace corvanta::ui::win32
