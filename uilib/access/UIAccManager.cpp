// CPaintManagerUI's side of accessibility: ids of controls, win events, WM_GETOBJECT
// for the client area, and the default action a client asked for, run from the queue.
#include <objbase.h>

#include "uilib/access/UIAccDescribe.h"
#include "uilib/access/UIAccObject.h"
#include "uilib/core/UIManagerImpl.h"

namespace {

std::shared_ptr<uilib::AccRegistry> &RegistryOf(CPaintManagerUI *self, std::shared_ptr<uilib::AccRegistry> &slot) {
    if (!slot) {
        slot = std::make_shared<uilib::AccRegistry>();
        slot->manager = self;
    }
    return slot;
}

}  // namespace

bool CPaintManagerUI::Impl::AccessMessage(CPaintManagerUI *self, UINT uMsg, WPARAM wParam, LPARAM lParam,
                                          LRESULT &lRes) {
    if (uMsg == WM_GETOBJECT) {
        // Other objects (the window, its scroll bars) are the system's.
        if (static_cast<LONG>(lParam) != static_cast<LONG>(OBJID_CLIENT)) return false;
        IAccessible *client = uilib::NewAccObject(RegistryOf(self, access), 0);
        lRes = ::LresultFromObject(IID_IAccessible, wParam, client);
        if (lRes == CO_E_NOTINITIALIZED) {
            // The object is handed over through COM: this thread joins an apartment once.
            ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
            lRes = ::LresultFromObject(IID_IAccessible, wParam, client);
        }
        client->Release();
        return true;
    }
    if (uMsg == uilib::AccActionMessage()) {
        CControlUI *control = access ? access->Find(static_cast<LONG>(wParam)) : nullptr;
        ++dispatchDepth;
        if (control != nullptr) uilib::AccDoDefaultAction(control);
        if (--dispatchDepth == 0) FlushCleanup();
        lRes = 0;
        return true;
    }
    return false;
}

LONG CPaintManagerUI::GetAccessibleId(CControlUI *pControl) {
    if (pControl == nullptr || pControl->GetManager() != this || !uilib::IsAttached(pControl, m_impl->root)) return 0;
    return RegistryOf(this, m_impl->access)->IdOf(pControl);
}

CControlUI *CPaintManagerUI::FindAccessibleId(LONG id) const {
    return m_impl->access ? m_impl->access->Find(id) : nullptr;
}

void CPaintManagerUI::NotifyAccessible(CControlUI *pControl, DWORD dwEvent, bool bKnownOnly) {
    if (m_impl->hwnd == nullptr || pControl == nullptr || !uilib::AccExposed(pControl)) return;
    LONG id = 0;
    if (bKnownOnly) {
        id = m_impl->access ? m_impl->access->KnownId(pControl) : 0;
        if (id == 0) return;
    } else {
        id = GetAccessibleId(pControl);
        if (id == 0) return;
    }
    ::NotifyWinEvent(dwEvent, m_impl->hwnd, OBJID_CLIENT, -id);
}
