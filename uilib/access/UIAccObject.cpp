// IAccessible over the paint manager's controls: properties come from UIAccDescribe,
// children are made when asked for. Every call runs on the window's thread (the client
// area's apartment); nothing here blocks or runs a handler inside a client's call (the
// default action is posted to the window).
#include "uilib/access/UIAccObject.h"

#include <vector>

#include "uilib/access/UIAccDescribe.h"
#include "uilib/controls/UIList.h"
#include "uilib/core/UIManager.h"

namespace uilib {

LONG AccRegistry::IdOf(CControlUI *control) {
    auto it = ids.find(control);
    if (it != ids.end()) return it->second;
    const LONG id = next++;
    ids.emplace(control, id);
    controls.emplace(id, control);
    return id;
}

LONG AccRegistry::KnownId(CControlUI *control) const {
    auto it = ids.find(control);
    return it != ids.end() ? it->second : 0;
}

CControlUI *AccRegistry::Find(LONG id) const {
    auto it = controls.find(id);
    return it != controls.end() ? it->second : nullptr;
}

void AccRegistry::Forget(CControlUI *control) {
    auto it = ids.find(control);
    if (it == ids.end()) return;
    controls.erase(it->second);
    ids.erase(it);
}

UINT AccActionMessage() {
    static const UINT msg = ::RegisterWindowMessageW(L"UILibAccAction");
    return msg;
}

}  // namespace uilib

namespace {

using uilib::AccRegistry;

class CAccObject final : public IAccessible {
public:
    CAccObject(const std::shared_ptr<AccRegistry> &registry, LONG id) : m_registry(registry), m_id(id) {}

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void **ppv) override {
        if (ppv == nullptr) return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID_IAccessible) {
            *ppv = static_cast<IAccessible *>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++m_ref; }
    STDMETHODIMP_(ULONG) Release() override {
        const ULONG ref = --m_ref;
        if (ref == 0) delete this;
        return ref;
    }

    // IDispatch: clients use the vtable.
    STDMETHODIMP GetTypeInfoCount(UINT *pctinfo) override {
        if (pctinfo == nullptr) return E_POINTER;
        *pctinfo = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo **) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR *, UINT, LCID, DISPID *) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS *, VARIANT *, EXCEPINFO *, UINT *) override {
        return E_NOTIMPL;
    }

    // IAccessible
    STDMETHODIMP get_accParent(IDispatch **ppdispParent) override;
    STDMETHODIMP get_accChildCount(LONG *pcountChildren) override;
    STDMETHODIMP get_accChild(VARIANT varChild, IDispatch **ppdispChild) override;
    STDMETHODIMP get_accName(VARIANT varChild, BSTR *pszName) override;
    STDMETHODIMP get_accValue(VARIANT varChild, BSTR *pszValue) override;
    STDMETHODIMP get_accDescription(VARIANT varChild, BSTR *pszDescription) override;
    STDMETHODIMP get_accRole(VARIANT varChild, VARIANT *pvarRole) override;
    STDMETHODIMP get_accState(VARIANT varChild, VARIANT *pvarState) override;
    STDMETHODIMP get_accHelp(VARIANT, BSTR *pszHelp) override { return NoString(pszHelp); }
    STDMETHODIMP get_accHelpTopic(BSTR *pszHelpFile, VARIANT, LONG *pidTopic) override {
        if (pidTopic != nullptr) *pidTopic = 0;
        return NoString(pszHelpFile);
    }
    STDMETHODIMP get_accKeyboardShortcut(VARIANT, BSTR *pszKeyboardShortcut) override {
        return NoString(pszKeyboardShortcut);
    }
    STDMETHODIMP get_accFocus(VARIANT *pvarChild) override;
    STDMETHODIMP get_accSelection(VARIANT *pvarChildren) override;
    STDMETHODIMP get_accDefaultAction(VARIANT varChild, BSTR *pszDefaultAction) override;
    STDMETHODIMP accSelect(LONG flagsSelect, VARIANT varChild) override;
    STDMETHODIMP accLocation(LONG *pxLeft, LONG *pyTop, LONG *pcxWidth, LONG *pcyHeight, VARIANT varChild) override;
    STDMETHODIMP accNavigate(LONG navDir, VARIANT varStart, VARIANT *pvarEndUpAt) override;
    STDMETHODIMP accHitTest(LONG xLeft, LONG yTop, VARIANT *pvarChild) override;
    STDMETHODIMP accDoDefaultAction(VARIANT varChild) override;
    STDMETHODIMP put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    STDMETHODIMP put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    // What a call is about: the client area, or a control of the window.
    struct Target {
        bool client = false;
        CControlUI *control = nullptr;  // the root control for the client area
    };
    // Resolves this object (CHILDID_SELF), its n-th child (n > 0), or any control of the
    // window by -id. Fails when the window or the control is gone.
    HRESULT Resolve(const VARIANT &child, Target &target) const;
    HRESULT ResolveSelf(Target &target) const {
        VARIANT self;
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        return Resolve(self, target);
    }
    CPaintManagerUI *Manager() const { return m_registry->manager; }
    HWND Window() const { return Manager()->GetPaintWindow(); }
    // The accessible children of a target.
    int ChildCount(const Target &t) const;
    CControlUI *ChildAt(const Target &t, int index) const;
    // A new object for a control (or for the client area when null).
    IDispatch *ObjectFor(CControlUI *control) const;
    // Puts a control into a VARIANT: CHILDID_SELF when it is this object's, else an object.
    void PutControl(CControlUI *control, const Target &self, VARIANT *out) const;
    static HRESULT NoString(BSTR *out) {
        if (out == nullptr) return E_POINTER;
        *out = nullptr;
        return S_FALSE;
    }
    static HRESULT PutString(const CDuiString &text, BSTR *out) {
        if (text.empty()) return S_FALSE;
        *out = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
        return *out != nullptr ? S_OK : E_OUTOFMEMORY;
    }

    ULONG m_ref = 1;
    std::shared_ptr<AccRegistry> m_registry;
    LONG m_id;  // 0: the client area
};

HRESULT CAccObject::Resolve(const VARIANT &child, Target &target) const {
    CPaintManagerUI *manager = Manager();
    if (manager == nullptr || !::IsWindow(manager->GetPaintWindow())) return E_FAIL;
    if (child.vt != VT_I4) return E_INVALIDARG;
    Target self;
    if (m_id == 0) {
        self.client = true;
        self.control = manager->GetRoot();
    } else {
        self.control = m_registry->Find(m_id);
        if (self.control == nullptr) return E_FAIL;
    }
    if (child.lVal == CHILDID_SELF) {
        target = self;
        return S_OK;
    }
    CControlUI *control = child.lVal > 0 ? ChildAt(self, child.lVal - 1) : m_registry->Find(-child.lVal);
    if (control == nullptr) return E_INVALIDARG;
    target.client = false;
    target.control = control;
    return S_OK;
}

int CAccObject::ChildCount(const Target &t) const {
    if (t.control == nullptr) return 0;
    // The client area holds the root itself when the root has an object of its own.
    if (t.client && uilib::AccExposed(t.control)) return 1;
    return uilib::AccChildCount(t.control);
}

CControlUI *CAccObject::ChildAt(const Target &t, int index) const {
    if (t.control == nullptr) return nullptr;
    if (t.client && uilib::AccExposed(t.control)) return index == 0 ? t.control : nullptr;
    return uilib::AccChildAt(t.control, index);
}

IDispatch *CAccObject::ObjectFor(CControlUI *control) const {
    const LONG id = control != nullptr ? m_registry->IdOf(control) : 0;
    return uilib::NewAccObject(m_registry, id);
}

void CAccObject::PutControl(CControlUI *control, const Target &self, VARIANT *out) const {
    if (control == self.control || (self.client && control == nullptr)) {
        out->vt = VT_I4;
        out->lVal = CHILDID_SELF;
        return;
    }
    out->vt = VT_DISPATCH;
    out->pdispVal = ObjectFor(control);
}

STDMETHODIMP CAccObject::get_accParent(IDispatch **ppdispParent) {
    if (ppdispParent == nullptr) return E_POINTER;
    *ppdispParent = nullptr;
    Target t;
    HRESULT hr = ResolveSelf(t);
    if (FAILED(hr)) return hr;
    if (t.client)
        return ::AccessibleObjectFromWindow(Window(), static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                                            reinterpret_cast<void **>(ppdispParent));
    CControlUI *root = Manager()->GetRoot();
    CControlUI *parent = uilib::AccParent(t.control, root);
    // The root's children, and the root itself when it has an object, sit in the client area.
    if (parent == nullptr && t.control != root && uilib::AccExposed(root)) parent = root;
    *ppdispParent = ObjectFor(parent);
    return S_OK;
}

STDMETHODIMP CAccObject::get_accChildCount(LONG *pcountChildren) {
    if (pcountChildren == nullptr) return E_POINTER;
    *pcountChildren = 0;
    Target t;
    HRESULT hr = ResolveSelf(t);
    if (FAILED(hr)) return hr;
    *pcountChildren = ChildCount(t);
    return S_OK;
}

STDMETHODIMP CAccObject::get_accChild(VARIANT varChild, IDispatch **ppdispChild) {
    if (ppdispChild == nullptr) return E_POINTER;
    *ppdispChild = nullptr;
    Target t;
    HRESULT hr = Resolve(varChild, t);
    if (FAILED(hr)) return hr;
    if (varChild.lVal == CHILDID_SELF) return E_INVALIDARG;
    *ppdispChild = ObjectFor(t.control);
    return S_OK;
}

STDMETHODIMP CAccObject::get_accName(VARIANT varChild, BSTR *pszName) {
    if (pszName == nullptr) return E_POINTER;
    *pszName = nullptr;
    Target t;
    HRESULT hr = Resolve(varChild, t);
    if (FAILED(hr)) return hr;
    if (t.client) {
        wchar_t title[256] = {};
        ::GetWindowTextW(Window(), title, 256);
        return PutString(title, pszName);
    }
    return PutString(uilib::AccName(t.control), pszName);
}

STDMETHODIMP CAccObject::get_accValue(VARIANT varChild, BSTR *pszValue) {
    if (pszValue == nullptr) return E_POINTER;
    *pszValue = nullptr;
    Target t;
    HRESULT hr = Resolve(varChild, t);
    if (FAILED(hr)) return hr;
    CDuiString value;
    if (t.client || !uilib::AccValue(t.control, value)) return DISP_E_MEMBERNOTFOUND;
    *pszValue = ::SysAllocStringLen(value.data(), static_cast<UINT>(value.size()));
    return *pszValue != nullptr ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP CAccObject::get_accDescription(VARIANT varChild, BSTR *pszDescription) {
    if (pszDescription == nullptr) return E_POINTER;
    *pszDescription = nullptr;
    Target t;
    HRESULT hr = Resolve(varChild, t);
    if (FAILED(hr)) return hr;
    // A tooltip that is not already the name describes the control.
    if (t.client || t.control->GetToolTip() == uilib::AccName(t.control)) return S_FALSE;
    return PutString(t.control->GetToolTip(), pszDescription);
}

STDMETHODIMP CAccObject::get_accRole(VARIANT varChild, VARIANT *pvarRole) {
    if (pvarRole == nullptr) return E_POINTER;
    ::VariantInit(pvarRole);
    Target t;
    HRESULT hr = Resolve(varChild, t);
    if (FAILED(hr)) return hr;
    pvarRole->vt = VT_I4;
    pvarRole->lVal = t.client ? ROLE_SYSTEM_CLIENT : uilib::AccRole(t.control);
    return S_OK;
}

STDMETHODIMP CAccObject::get_accState(VARIANT varChild, VARIANT *pvarState) {
    if (pvarState == nullptr) return E_POINTER;
    ::VariantInit(pvarState);
    Target t;
    HRESULT hr = Resolve(varChild, t);
    if (FAILED(hr)) return hr;
    LONG state;
    if (t.client) {
        state = STATE_SYSTEM_FOCUSABLE;
        if (!::IsWindowVisible(Window())) state |= STATE_SYSTEM_INVISIBLE;
        if (::GetFocus() == Window() && Manager()->GetFocus() == nullptr) state |= STATE_SYSTEM_FOCUSED;
    } else {
        state = uilib::AccState(t.control);
        if (!::IsWindowVisible(Window())) state |= STATE_SYSTEM_INVISIBLE;
    }
    pvarState->vt = VT_I4;
    pvarState->lVal = state;
    return S_OK;
}

STDMETHODIMP CAccObject::get_accFocus(VARIANT *pvarChild) {
    if (pvarChild == nullptr) return E_POINTER;
    ::VariantInit(pvarChild);
    Target t;
    HRESULT hr = ResolveSelf(t);
    if (FAILED(hr)) return hr;
    if (::GetFocus() != Window()) return S_FALSE;
    CControlUI *focus = uilib::AccFocusTarget(Manager()->GetFocus());
    if (focus == nullptr) {
        if (!t.client) return S_FALSE;
        PutControl(nullptr, t, pvarChild);
        return S_OK;
    }
    // Only a focus inside this object is reported.
    if (!t.client) {
        bool inside = false;
        for (CControlUI *c = focus; c != nullptr && !inside; c = c->GetParent()) inside = c == t.control;
        if (!inside) return S_FALSE;
    }
    PutControl(focus, t, pvarChild);
    return S_OK;
}

STDMETHODIMP CAccObject::get_accSelection(VARIANT *pvarChildren) {
    if (pvarChildren == nullptr) return E_POINTER;
    ::VariantInit(pvarChildren);
    Target t;
    HRESULT hr = ResolveSelf(t);
    if (FAILED(hr)) return hr;
    IListOwnerUI *owner = t.client ? nullptr : static_cast<IListOwnerUI *>(t.control->GetInterface(L"IListOwner"));
    IContainerUI *rows = t.client ? nullptr : static_cast<IContainerUI *>(t.control->GetInterface(L"IContainer"));
    CControlUI *row = owner != nullptr && rows != nullptr ? rows->GetItemAt(owner->GetCurSel()) : nullptr;
    if (row == nullptr) return S_FALSE;
    PutControl(row, t, pvarChildren);
    return S_OK;
}

STDMETHODIMP CAccObject::get_accDefaultAction(VARIANT varChild, BSTR *pszDefaultAction) {
    if (pszDefaultAction == nullptr) return E_POINTER;
    *pszDefaultAction = nullptr;
    Target t;
    HRESULT hr = Resolve(varChild, t);
    if (FAILED(hr)) return hr;
    if (t.client) return S_FALSE;
    return PutString(uilib::AccDefaultAction(t.control), pszDefaultAction);
}

STDMETHODIMP CAccObject::accSelect(LONG flagsSelect, VARIANT varChild) {
    Target t;
    HRESULT hr = Resolve(varChild, t);
    if (FAILED(hr)) return hr;
    if (t.client) return E_INVALIDARG;
    if ((flagsSelect & SELFLAG_TAKEFOCUS) != 0) {
        if ((uilib::AccState(t.control) & STATE_SYSTEM_FOCUSABLE) == 0) return E_INVALIDARG;
        CControlUI *focus = t.control;
        // A row is focused through its list.
        if (IListItemUI *row = static_cast<IListItemUI *>(t.control->GetInterface(L"ListItem"))) {
            if (row->GetOwner() != nullptr) row->GetOwner()->SelectItem(row->GetIndex(), true);
        } else {
            focus->SetFocus();
        }
    }
    if ((flagsSelect & SELFLAG_TAKESELECTION) != 0) {
        IListItemUI *row = static_cast<IListItemUI *>(t.control->GetInterface(L"ListItem"));
        if (row == nullptr || row->GetOwner() == nullptr) return E_INVALIDARG;
        row->GetOwner()->SelectItem(row->GetIndex());
    }
    return S_OK;
}

STDMETHODIMP CAccObject::accLocation(LONG *pxLeft, LONG *pyTop, LONG *pcxWidth, LONG *pcyHeight, VARIANT varChild) {
    if (pxLeft == nullptr || pyTop == nullptr || pcxWidth == nullptr || pcyHeight == nullptr) return E_POINTER;
    *pxLeft = *pyTop = *pcxWidth = *pcyHeight = 0;
    Target t;
    HRESULT hr = Resolve(varChild, t);
    if (FAILED(hr)) return hr;
    RECT rc;
    if (t.client)
        ::GetClientRect(Window(), &rc);
    else
        rc = t.control->GetPos();
    POINT origin = {0, 0};
    ::ClientToScreen(Window(), &origin);
    *pxLeft = rc.left + origin.x;
    *pyTop = rc.top + origin.y;
    *pcxWidth = rc.right - rc.left;
    *pcyHeight = rc.bottom - rc.top;
    return S_OK;
}

STDMETHODIMP CAccObject::accNavigate(LONG navDir, VARIANT varStart, VARIANT *pvarEndUpAt) {
    if (pvarEndUpAt == nullptr) return E_POINTER;
    ::VariantInit(pvarEndUpAt);
    Target t;
    HRESULT hr = Resolve(varStart, t);
    if (FAILED(hr)) return hr;
    CControlUI *found = nullptr;
    switch (navDir) {
    case NAVDIR_FIRSTCHILD:
    case NAVDIR_LASTCHILD: {
        const int count = ChildCount(t);
        if (count > 0) found = ChildAt(t, navDir == NAVDIR_FIRSTCHILD ? 0 : count - 1);
        break;
    }
    case NAVDIR_NEXT:
    case NAVDIR_PREVIOUS: {
        if (t.client) break;
        CControlUI *root = Manager()->GetRoot();
        Target parent;
        parent.control = uilib::AccParent(t.control, root);
        if (parent.control == nullptr) {
            parent.client = true;
            parent.control = root;
        }
        const int index = parent.client && uilib::AccExposed(root) ? 0 : uilib::AccIndexOf(parent.control, t.control);
        if (index >= 0) found = ChildAt(parent, navDir == NAVDIR_NEXT ? index + 1 : index - 1);
        break;
    }
    default: return E_INVALIDARG;
    }
    if (found == nullptr) return S_FALSE;
    pvarEndUpAt->vt = VT_DISPATCH;
    pvarEndUpAt->pdispVal = ObjectFor(found);
    return S_OK;
}

STDMETHODIMP CAccObject::accHitTest(LONG xLeft, LONG yTop, VARIANT *pvarChild) {
    if (pvarChild == nullptr) return E_POINTER;
    ::VariantInit(pvarChild);
    Target t;
    HRESULT hr = ResolveSelf(t);
    if (FAILED(hr)) return hr;
    POINT pt = {xLeft, yTop};
    ::ScreenToClient(Window(), &pt);
    RECT area;
    if (t.client)
        ::GetClientRect(Window(), &area);
    else
        area = t.control->GetPos();
    if (!::PtInRect(&area, pt)) return S_FALSE;
    CControlUI *hit = Manager()->FindControl(pt);
    while (hit != nullptr && !uilib::AccExposed(hit)) hit = hit->GetParent();
    // A hit outside this object's subtree is this object.
    bool inside = t.client;
    for (CControlUI *c = hit; c != nullptr && !inside; c = c->GetParent()) inside = c == t.control;
    PutControl(inside ? hit : t.control, t, pvarChild);
    return S_OK;
}

STDMETHODIMP CAccObject::accDoDefaultAction(VARIANT varChild) {
    Target t;
    HRESULT hr = Resolve(varChild, t);
    if (FAILED(hr)) return hr;
    if (t.client || uilib::AccDefaultAction(t.control).empty()) return DISP_E_MEMBERNOTFOUND;
    // Posted: the action's handlers may show a modal box or remove the control, which must
    // not happen inside the client's call.
    ::PostMessageW(Window(), uilib::AccActionMessage(), static_cast<WPARAM>(m_registry->IdOf(t.control)), 0);
    return S_OK;
}

}  // namespace

IAccessible *uilib::NewAccObject(const std::shared_ptr<AccRegistry> &registry, LONG id) {
    return new CAccObject(registry, id);
}
