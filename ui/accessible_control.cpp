#include "ui/accessible_control.h"

#include <oleacc.h>

#include <new>

#include "common/dll_function.h"
#include "common/com_apartment.h"
#include "ui/released.h"

namespace {

// The accessibility functions, bound at the first request a screen reader makes.
struct Oleacc {
    common::DllFunction<decltype(::CreateStdAccessibleObject)> createStandard{
        "oleacc.dll", "CreateStdAccessibleObject"};
    common::DllFunction<decltype(::LresultFromObject)> lresultFromObject{"oleacc.dll",
                                                                         "LresultFromObject"};
    // Strings handed to a screen reader, which frees them.
    common::DllFunction<decltype(::SysAllocString)> allocString{"oleaut32.dll", "SysAllocString"};

    bool Bound() { return createStandard.get() && lresultFromObject.get() && allocString.get(); }
};

Oleacc& Library() {
    static Oleacc library;
    return library;
}

bool IsSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

HRESULT NewString(const wchar_t* text, BSTR* string) {
    if (!string) {
        return E_INVALIDARG;
    }
    *string = Library().allocString.get()(text);
    return *string ? S_OK : E_OUTOFMEMORY;
}

// The control's standard object with the look's answers in place of its own.
class Wrapper final : public IAccessible {
public:
    Wrapper(IAccessible* standard, HWND control, AccessibleControl::Look look)
        : standard_(standard), control_(control), look_(look) {
        standard_->AddRef();
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (!object) {
            return E_POINTER;
        }
        *object = nullptr;
        if (id != IID_IUnknown && id != IID_IDispatch && id != IID_IAccessible) {
            return E_NOINTERFACE;
        }
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) {
            delete this;
        }
        return left;
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        return standard_->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
        return standard_->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID id, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override {
        return standard_->GetIDsOfNames(id, names, count, locale, ids);
    }
    // Through the standard object's type description, but on this object, so
    // that a call by name gets the same answers as a direct one.
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID locale, WORD flags,
                                     DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                     UINT* badArgument) override {
        Released<ITypeInfo> info;
        const HRESULT found = standard_->GetTypeInfo(0, locale, &info.p);
        if (FAILED(found)) {
            return found;
        }
        return info.p->Invoke(static_cast<IAccessible*>(this), member, flags, parameters, result,
                              exception, badArgument);
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (look_.name && IsSelf(child)) {
            return NewString(look_.name, name);
        }
        return standard_->get_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!IsLink(child)) {
            return standard_->get_accRole(child, role);
        }
        if (!role) {
            return E_INVALIDARG;
        }
        role->vt = VT_I4;
        role->lVal = ROLE_SYSTEM_LINK;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        const HRESULT result = standard_->get_accState(child, state);
        if (SUCCEEDED(result) && IsLink(child) && state->vt == VT_I4) {
            state->lVal |= STATE_SYSTEM_LINKED;
        }
        return result;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        if (IsLink(child)) {
            return NewString(L"Open", action);
        }
        return standard_->get_accDefaultAction(child, action);
    }
    // The click the mouse gives, posted, so that no box shows inside the
    // reader's call: it returns at once. None where the mouse gives none, as
    // while a box or the open-file dialog holds the window, or a conversion runs.
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        if (!IsLink(child)) {
            return standard_->accDoDefaultAction(child);
        }
        HWND parent = GetParent(control_);
        if (!SendMessageA(parent, AccessibleControl::kTakesCommands, 0, 0)) {
            return E_FAIL;
        }
        PostMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control_), STN_CLICKED),
                     reinterpret_cast<LPARAM>(control_));
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return standard_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        return standard_->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return standard_->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return standard_->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        return standard_->get_accDescription(child, description);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return standard_->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
        return standard_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return standard_->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        return standard_->get_accFocus(child);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return standard_->get_accSelection(children);
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
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
        return standard_->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return standard_->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return standard_->put_accValue(child, value);
    }

private:
    ~Wrapper() { standard_->Release(); }

    // The control itself, not a child of it, when it is a link.
    bool IsLink(const VARIANT& child) const { return look_.link && IsSelf(child); }

    LONG references_ = 1;
    IAccessible* standard_;
    HWND control_;
    AccessibleControl::Look look_;
};

}  // namespace

AccessibleControl::AccessibleControl(HWND control, Look look) : control_(control), look_(look) {
    // Buttons and labels leave the user data to the program.
    SetWindowLongPtrA(control_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(control_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc)));
}

AccessibleControl::~AccessibleControl() {
    SetWindowLongPtrA(control_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
}

LRESULT CALLBACK AccessibleControl::SubclassProc(HWND control, UINT message, WPARAM wParam,
                                                 LPARAM lParam) {
    const auto* self =
        reinterpret_cast<const AccessibleControl*>(GetWindowLongPtrA(control, GWLP_USERDATA));
    // The object id comes as a 32-bit value, which 64-bit Windows may not
    // sign-extend.
    if (message == WM_GETOBJECT && static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT)) {
        if (const LRESULT answer = self->Answer(wParam)) {
            return answer;
        }
    }
    return CallWindowProcA(self->original_, control, message, wParam, lParam);
}

// A reference to a new wrapper for the screen reader, or 0 when the libraries
// or COM are missing or anything fails: then the control answers as before.
LRESULT AccessibleControl::Answer(WPARAM wParam) const {
    Oleacc& library = Library();
    if (!library.Bound() || !common::EnterComApartment()) {
        return 0;
    }
    Released<IAccessible> standard;
    if (FAILED(library.createStandard.get()(control_, OBJID_CLIENT, IID_IAccessible,
                                            reinterpret_cast<void**>(&standard.p)))) {
        return 0;
    }
    // The screen reader's reference keeps the wrapper alive, not ours.
    const Released<IAccessible> wrapper{new (std::nothrow) Wrapper(standard.p, control_, look_)};
    if (!wrapper.p) {
        return 0;
    }
    const LRESULT reference = library.lresultFromObject.get()(IID_IAccessible, wParam, wrapper.p);
    return reference > 0 ? reference : 0;
}
