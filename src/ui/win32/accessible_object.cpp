// Windows' own accessible object for each kind of control knows its role,
// its state, its children and how to work it; it only lacks a name where
// the control shows none itself, and knows nothing of the processor graph
// the program draws. The object given out wraps Windows' one, answers
// those few questions from the form model, and passes every other on.
//
// It may be asked long after the control is gone (a screen reader keeps
// it): it then passes every question on. The accessibility DLL and COM are
// loaded only when a screen reader first asks.
#include "ui/win32/accessible_object.h"

#include <oleacc.h>

#include <memory>
#include <string>
#include <utility>

#include "platform/win32/com_ptr.h"
#include "platform/win32/late_bound.h"
#include "platform/win32/wide_text.h"
#include "ui/accessibility.h"
#include "ui/win32/control_window.h"

namespace corvanta::ui::win32 {
namespace {

const IID kIidAccessible = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

bool isSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

HRESULT text(const std::string& value, BSTR* out) {
  static auto* const allocate =
      lateBound<decltype(SysAllocStringLen)>(L"oleaut32.dll", "SysAllocStringLen");
  if (!out) return E_POINTER;
  const std::wstring units = wide(value);
  *out = allocate ? allocate(units.data(), static_cast<UINT>(units.size())) : nullptr;
  return *out ? S_OK : E_OUTOFMEMORY;
}

// A COM object is deleted by its own Release, never through its interface:
// COM interfaces have no virtual destructor.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class AccessibleControl final : public IAccessible {
 public:
  AccessibleControl(std::shared_ptr<const ControlWindow* const> control, IAccessible* standard)
      : control_(std::move(control)), standard_(standard) {}
  AccessibleControl(const AccessibleControl&) = delete;
  AccessibleControl& operator=(const AccessibleControl&) = delete;

  // IUnknown: what the wrapper is not (a list of children, a window) the
  // standard object answers.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == kIidAccessible) {
      *out = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    return standard_->QueryInterface(iid, out);
  }
  ULONG STDMETHODCALLTYPE AddRef() override {
    return static_cast<ULONG>(InterlockedIncrement(&references_));
  }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    return standard_->GetTypeInfoCount(count);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
    return standard_->GetTypeInfo(index, locale, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override {
    return standard_->GetIDsOfNames(iid, names, count, locale, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                   DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                   UINT* argument) override {
    return standard_->Invoke(id, iid, locale, flags, parameters, result, exception, argument);
  }

  // IAccessible: the model's answers.
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    const ControlWindow* control = self(child);
    if (!control) return standard_->get_accName(child, name);
    return text(accessibleName(control->model()), name);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    const ControlWindow* control = self(child);
    const std::string shown = control ? accessibleValue(control->model()) : std::string();
    return shown.empty() ? standard_->get_accValue(child, value) : text(shown, value);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    const ControlWindow* control = self(child);
    if (!control || control->model().kind() != ControlKind::Histogram)
      return standard_->get_accRole(child, role);
    if (!role) return E_POINTER;
    role->vt = VT_I4;
    role->lVal = ROLE_SYSTEM_PROGRESSBAR;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    const HRESULT result = standard_->get_accState(child, state);
    const ControlWindow* control = self(child);
    if (FAILED(result) || !control || !control->model().hasExpandedState() || state->vt != VT_I4)
      return result;
    state->lVal &= ~(STATE_SYSTEM_EXPANDED | STATE_SYSTEM_COLLAPSED);
    state->lVal |= control->model().Expanded() ? STATE_SYSTEM_EXPANDED : STATE_SYSTEM_COLLAPSED;
    return result;
  }

  // IAccessible: Windows' answers.
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return standard_->get_accParent(parent);
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    return standard_->get_accChildCount(count);
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
    return standard_->get_accChild(child, out);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* out) override {
    return standard_->get_accDescription(child, out);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* out) override {
    return standard_->get_accHelp(child, out);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
    return standard_->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* out) override {
    return standard_->get_accKeyboardShortcut(child, out);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* out) override {
    return standard_->get_accFocus(out);
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* out) override {
    return standard_->get_accSelection(out);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* out) override {
    return standard_->get_accDefaultAction(child, out);
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
    return standard_->accSelect(flags, child);
  }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                        VARIANT child) override {
    return standard_->accLocation(left, top, width, height, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
    return standard_->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG left, LONG top, VARIANT* child) override {
    return standard_->accHitTest(left, top, child);
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    return standard_->accDoDefaultAction(child);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
    return standard_->put_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return standard_->put_accValue(child, value);
  }

 private:
  ~AccessibleControl() { standard_->Release(); }

  // The control itself, while it is there; null for a child of it (a
  // list's row) or once it is gone.
  const ControlWindow* self(const VARIANT& child) const {
    return isSelf(child) ? *control_ : nullptr;
  }

  std::shared_ptr<const ControlWindow* const> control_;
  IAccessible* standard_;
  LONG references_ = 1;
};
#pragma GCC diagnostic pop

}  // namespace

LRESULT answerAccessibleObject(const ControlWindow& control, WPARAM wParam) {
  static const ComApartment apartment;  // for as long as the program runs
  static auto* const standardObject =
      lateBound<decltype(CreateStdAccessibleObject)>(L"oleacc.dll", "CreateStdAccessibleObject");
  static auto* const result =
      lateBound<decltype(LresultFromObject)>(L"oleacc.dll", "LresultFromObject");
  if (!standardObject || !result) return 0;
  IAccessible* standard = nullptr;
  if (FAILED(standardObject(control.hwnd(), OBJID_CLIENT, kIidAccessible,
                            reinterpret_cast<void**>(&standard))) ||
      !standard)
    return 0;
  auto* wrapper = new AccessibleControl(control.presence(), standard);
  const LRESULT answer = result(kIidAccessible, wParam, wrapper);
  wrapper->Release();
  return answer > 0 ? answer : 0;
}

void announceValueChange(HWND control) {
  NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, control, OBJID_CLIENT, CHILDID_SELF);
}

void announceStateChange(HWND control) {
  NotifyWinEvent(EVENT_OBJECT_STATECHANGE, control, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace corvanta::ui::win32
