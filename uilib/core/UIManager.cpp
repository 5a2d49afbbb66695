// CPaintManagerUI: life cycle, window geometry settings, the control tree and its name
// map, option groups, focus, capture, notifications, deferred destruction, message loop.
#include "uilib/core/UIManager.h"

#include <algorithm>
#include <climits>

#include "uilib/access/UIAccDescribe.h"
#include "uilib/access/UIAccObject.h"
#include "uilib/controls/UIPalette.h"
#include "uilib/core/UIManagerImpl.h"
#include "uilib/core/UIScale.h"
#include "uilib/render/UIGdiplus.h"
#include "uilib/render/UIImageCache.h"
#include "uilib/render/UIPaintAhead.h"
#include "uilib/render/UIRender.h"

namespace {

std::vector<CPaintManagerUI *> gManagers;  // initialised managers, for the message loop

CControlUI *CALLBACK VisitControl(CControlUI *control, LPVOID data) {
    (*static_cast<const std::function<void(CControlUI *)> *>(data))(control);
    return nullptr;
}

CControlUI *CALLBACK FindFromPoint(CControlUI *control, LPVOID /*data*/) { return control; }

CControlUI *CALLBACK FindFromName(CControlUI *control, LPVOID data) {
    return control->GetName() == static_cast<LPCTSTR>(data) ? control : nullptr;
}

}  // namespace

namespace uilib {

void ForEachControl(CControlUI *root, const std::function<void(CControlUI *)> &fn) {
    if (root == nullptr) return;
    root->FindControl(&VisitControl, const_cast<std::function<void(CControlUI *)> *>(&fn),
                      UIFIND_ALL | UIFIND_ME_FIRST);
}

bool IsAttached(const CControlUI *control, const CControlUI *root) {
    if (root == nullptr) return false;
    for (const CControlUI *c = control; c != nullptr; c = c->GetParent()) {
        if (c == root) return true;
    }
    return false;
}

}  // namespace uilib

// ---- Impl helpers ----

void CPaintManagerUI::Impl::RegisterNames(CControlUI *subtreeRoot) {
    uilib::ForEachControl(subtreeRoot, [this](CControlUI *c) {
        CDuiString n = c->GetName();
        if (n.empty()) return;
        std::vector<CControlUI *> &list = names[n];
        if (std::find(list.begin(), list.end(), c) == list.end()) list.push_back(c);
    });
}

void CPaintManagerUI::Impl::ForgetControl(CControlUI *control) {
    if (access) access->Forget(control);
    if (focus == control) focus = nullptr;
    if (hover == control) {
        hover = nullptr;
        HideToolTip();
    }
    if (click == control) click = nullptr;
    CDuiString n = control->CControlUI::GetName();
    if (!n.empty()) {
        auto it = names.find(n);
        if (it != names.end()) {
            it->second.erase(std::remove(it->second.begin(), it->second.end(), control), it->second.end());
            if (it->second.empty()) names.erase(it);
        }
    }
    for (auto &group : optionGroups) {
        auto &v = group.second;
        v.erase(std::remove(v.begin(), v.end(), control), v.end());
    }
    asyncNotify.erase(std::remove_if(asyncNotify.begin(), asyncNotify.end(),
                                     [control](const TNotifyUI &m) { return m.pSender == control; }),
                      asyncNotify.end());
}

void CPaintManagerUI::Impl::ForgetSubtree(CControlUI *subtreeRoot) {
    uilib::ForEachControl(subtreeRoot, [this](CControlUI *c) { ForgetControl(c); });
}

void CPaintManagerUI::Impl::FlushCleanup() {
    while (!delayedCleanup.empty()) {
        std::vector<CControlUI *> pending;
        pending.swap(delayedCleanup);
        for (CControlUI *c : pending) delete c;
    }
}

void CPaintManagerUI::Impl::DispatchEvent(CControlUI *control, TEventUI &event) {
    if (control == nullptr) return;
    DispatchScope scope(*this);
    control->Event(event);
}

// ---- life cycle ----

CPaintManagerUI::CPaintManagerUI() : m_impl(new Impl) {}

CPaintManagerUI::~CPaintManagerUI() {
    gManagers.erase(std::remove(gManagers.begin(), gManagers.end(), this), gManagers.end());
    if (m_impl->access) {
        m_impl->access->manager = nullptr;  // objects still held by clients answer E_FAIL
        m_impl->access->ids.clear();
        m_impl->access->controls.clear();
    }
    RemoveAllTimers();
    m_impl->FlushCleanup();
    CControlUI *root = m_impl->root;
    m_impl->root = nullptr;
    delete root;
    m_impl->FlushCleanup();
    for (auto &f : m_impl->fonts) {
        if (f.second.hFont != nullptr) ::DeleteObject(f.second.hFont);
    }
    if (m_impl->defaultFont.hFont != nullptr) ::DeleteObject(m_impl->defaultFont.hFont);
    RemoveAllImages();
    m_impl->FreeOffscreen();
    if (m_impl->toolTip != nullptr && ::IsWindow(m_impl->toolTip)) ::DestroyWindow(m_impl->toolTip);
}

void CPaintManagerUI::Init(HWND hWnd, LPCTSTR pstrName) {
    m_impl->hwnd = hWnd;
    m_impl->name = pstrName != nullptr ? pstrName : L"";
    SetDPI(WindowDPI(hWnd));
    if (std::find(gManagers.begin(), gManagers.end(), this) == gManagers.end()) gManagers.push_back(this);
    m_impl->ApplyInitSize();
}

HWND CPaintManagerUI::GetPaintWindow() const { return m_impl->hwnd; }
LPCTSTR CPaintManagerUI::GetName() const { return m_impl->name.c_str(); }

void CPaintManagerUI::NeedUpdate() { m_impl->updateNeeded = true; }

void CPaintManagerUI::Invalidate() {
    if (m_impl->hwnd == nullptr) return;
    ::InvalidateRect(m_impl->hwnd, nullptr, FALSE);
    m_impl->wholeInvalidated = true;
}

void CPaintManagerUI::Invalidate(const RECT &rcItem) {
    if (m_impl->invalidateMuted) return;
    if (m_impl->hwnd != nullptr && rcItem.right > rcItem.left && rcItem.bottom > rcItem.top)
        ::InvalidateRect(m_impl->hwnd, &rcItem, FALSE);
}

POINT CPaintManagerUI::GetMousePos() const { return m_impl->lastMouse; }

SIZE CPaintManagerUI::GetClientSize() const {
    RECT rc = {0, 0, 0, 0};
    if (m_impl->hwnd != nullptr) ::GetClientRect(m_impl->hwnd, &rc);
    return {rc.right - rc.left, rc.bottom - rc.top};
}

SIZE CPaintManagerUI::GetInitSize() const { return Scale(m_impl->initSize); }

void CPaintManagerUI::SetInitSize(int cx, int cy) {
    m_impl->initSize = {cx, cy};
    m_impl->ApplyInitSize();
}

void CPaintManagerUI::Impl::ApplyInitSize(bool showing) {
    // Pop-ups are created 0 x 0 and take their size from the skin when they are first
    // shown: a hidden window's size is work for the window system and nobody sees it.
    if (hwnd == nullptr || initSize.cx <= 0 || initSize.cy <= 0) return;
    RECT rc;
    ::GetWindowRect(hwnd, &rc);
    if (rc.right - rc.left != 0 || rc.bottom - rc.top != 0) return;
    initSizePending = !showing && !::IsWindowVisible(hwnd);
    if (initSizePending) return;
    const SIZE size = uilib::ScaleSize(initSize, dpi);
    ::SetWindowPos(hwnd, nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
}

void CPaintManagerUI::Impl::SizeAsShown(WINDOWPOS &pos) {
    if ((pos.flags & SWP_SHOWWINDOW) == 0) return;
    initSizePending = false;
    if ((pos.flags & SWP_NOSIZE) == 0 && (pos.cx != 0 || pos.cy != 0)) return;  // a size of the caller's
    const SIZE size = uilib::ScaleSize(initSize, dpi);
    pos.cx = size.cx;
    pos.cy = size.cy;
    pos.flags &= ~SWP_NOSIZE;
}

RECT CPaintManagerUI::GetSizeBox() const { return Scale(m_impl->sizeBox); }
void CPaintManagerUI::SetSizeBox(const RECT &rcSizeBox) { m_impl->sizeBox = rcSizeBox; }
RECT CPaintManagerUI::GetCaptionRect() const { return Scale(m_impl->caption); }
void CPaintManagerUI::SetCaptionRect(const RECT &rcCaption) { m_impl->caption = rcCaption; }
SIZE CPaintManagerUI::GetRoundCorner() const { return Scale(m_impl->roundCorner); }
void CPaintManagerUI::SetRoundCorner(int cx, int cy) { m_impl->roundCorner = {cx, cy}; }
SIZE CPaintManagerUI::GetMinInfo() const { return Scale(m_impl->minInfo); }
void CPaintManagerUI::SetMinInfo(int cx, int cy) { m_impl->minInfo = {cx, cy}; }
SIZE CPaintManagerUI::GetMaxInfo() const { return Scale(m_impl->maxInfo); }
void CPaintManagerUI::SetMaxInfo(int cx, int cy) { m_impl->maxInfo = {cx, cy}; }

// ---- the control tree ----

bool CPaintManagerUI::AttachDialog(CControlUI *pControl) {
    CControlUI *old = m_impl->root;
    if (old == pControl && old != nullptr) return true;
    if (m_impl->focus != nullptr) SetFocus(nullptr);
    m_impl->hover = nullptr;
    m_impl->click = nullptr;
    m_impl->root = nullptr;
    if (old != nullptr) {
        m_impl->ForgetSubtree(old);
        if (m_impl->dispatchDepth > 0)
            m_impl->delayedCleanup.push_back(old);
        else
            delete old;
    }
    m_impl->names.clear();
    m_impl->root = pControl;
    if (pControl != nullptr) InitControls(pControl, nullptr);
    m_impl->updateNeeded = true;
    m_impl->ApplyInitSize();
    Invalidate();
    return true;
}

bool CPaintManagerUI::InitControls(CControlUI *pControl, CControlUI *pParent) {
    if (pControl == nullptr) return false;
    pControl->SetManager(this, pParent != nullptr ? pParent : pControl->GetParent(), true);
    m_impl->RegisterNames(pControl);
    return true;
}

void CPaintManagerUI::ReapObjects(CControlUI *pControl) {
    if (pControl == nullptr) return;
    m_impl->ForgetControl(pControl);
    KillTimer(pControl);
    if (m_impl->root == pControl) m_impl->root = nullptr;
}

CControlUI *CPaintManagerUI::GetRoot() const { return m_impl->root; }

CControlUI *CPaintManagerUI::FindControl(POINT pt) const {
    m_impl->EnsureLayout(const_cast<CPaintManagerUI *>(this));
    return FindSubControlByPoint(m_impl->root, pt);
}

CControlUI *CPaintManagerUI::FindControl(LPCTSTR pstrName) const {
    if (pstrName == nullptr || pstrName[0] == L'\0') return nullptr;
    auto it = m_impl->names.find(pstrName);
    if (it == m_impl->names.end() || it->second.empty()) return nullptr;
    return it->second.front();
}

CControlUI *CPaintManagerUI::FindSubControlByPoint(CControlUI *pParent, POINT pt) const {
    if (pParent == nullptr) pParent = m_impl->root;
    if (pParent == nullptr) return nullptr;
    return pParent->FindControl(&FindFromPoint, &pt, UIFIND_VISIBLE | UIFIND_HITTEST | UIFIND_TOP_FIRST);
}

CControlUI *CPaintManagerUI::FindSubControlByName(CControlUI *pParent, LPCTSTR pstrName) const {
    if (pstrName == nullptr || pstrName[0] == L'\0') return nullptr;
    if (pParent == nullptr) pParent = m_impl->root;
    if (pParent == nullptr) return nullptr;
    return pParent->FindControl(&FindFromName, const_cast<LPTSTR>(pstrName), UIFIND_ALL | UIFIND_ME_FIRST);
}

void CPaintManagerUI::NameChanged(CControlUI *pControl, LPCTSTR pstrOldName) {
    if (pControl == nullptr) return;
    if (pstrOldName != nullptr && pstrOldName[0] != L'\0') {
        auto it = m_impl->names.find(pstrOldName);
        if (it != m_impl->names.end()) {
            auto &v = it->second;
            v.erase(std::remove(v.begin(), v.end(), pControl), v.end());
            if (v.empty()) m_impl->names.erase(it);
        }
    }
    CDuiString n = pControl->GetName();
    if (!n.empty() && uilib::IsAttached(pControl, m_impl->root)) m_impl->names[n].push_back(pControl);
}

// ---- option groups ----

bool CPaintManagerUI::AddOptionGroup(LPCTSTR pStrGroupName, CControlUI *pControl) {
    if (pStrGroupName == nullptr || pControl == nullptr) return false;
    auto &v = m_impl->optionGroups[pStrGroupName];
    if (std::find(v.begin(), v.end(), pControl) != v.end()) return false;
    v.push_back(pControl);
    return true;
}

std::vector<CControlUI *> *CPaintManagerUI::GetOptionGroup(LPCTSTR pStrGroupName) {
    if (pStrGroupName == nullptr) return nullptr;
    auto it = m_impl->optionGroups.find(pStrGroupName);
    return it == m_impl->optionGroups.end() ? nullptr : &it->second;
}

void CPaintManagerUI::RemoveOptionGroup(LPCTSTR pStrGroupName, CControlUI *pControl) {
    if (pStrGroupName == nullptr) return;
    auto it = m_impl->optionGroups.find(pStrGroupName);
    if (it == m_impl->optionGroups.end()) return;
    auto &v = it->second;
    v.erase(std::remove(v.begin(), v.end(), pControl), v.end());
    if (v.empty()) m_impl->optionGroups.erase(it);
}

// ---- focus and capture ----

CControlUI *CPaintManagerUI::GetFocus() const { return m_impl->focus; }

void CPaintManagerUI::SetFocus(CControlUI *pControl) {
    if (pControl == m_impl->focus) return;
    // Held as a dispatch: controls removed by the focus handlers outlive this call.
    Impl::DispatchScope scope(*m_impl);
    if (m_impl->focusCue && m_impl->focus != nullptr) m_impl->focus->Invalidate();  // its frame goes
    if (CControlUI *old = m_impl->focus) {
        m_impl->focus = nullptr;
        TEventUI event;
        event.Type = UIEVENT_KILLFOCUS;
        event.pSender = pControl;
        event.dwTimestamp = ::GetTickCount();
        m_impl->DispatchEvent(old, event);
        SendNotify(old, DUI_MSGTYPE_KILLFOCUS);
    }
    if (pControl != nullptr && pControl->GetManager() == this && pControl->IsVisible() && pControl->IsEnabled() &&
        uilib::IsAttached(pControl, m_impl->root)) {
        m_impl->focus = pControl;
        TEventUI event;
        event.Type = UIEVENT_SETFOCUS;
        event.pSender = pControl;
        event.dwTimestamp = ::GetTickCount();
        m_impl->DispatchEvent(pControl, event);
        if (m_impl->focus == pControl) NotifyAccessible(uilib::AccFocusTarget(pControl), EVENT_OBJECT_FOCUS);
        if (m_impl->focusCue && m_impl->focus == pControl) pControl->Invalidate();
        if (m_impl->focus == pControl) SendNotify(pControl, DUI_MSGTYPE_SETFOCUS);
    }
}

void CPaintManagerUI::SetFocusNeeded(CControlUI *pControl) { SetFocus(pControl); }

bool CPaintManagerUI::IsFocusCueShown() const { return m_impl->focusCue; }

namespace {

const DWORD kFocusFrameColor = uilib::kPaletteBrand;

// The part of a control that shows: its rectangle inside every ancestor's.
RECT ShownPart(CControlUI *control) {
    RECT rc = control->GetPos();
    for (CControlUI *p = control->GetParent(); p != nullptr; p = p->GetParent()) {
        RECT parent = p->GetPos();
        if (!::IntersectRect(&rc, &rc, &parent)) return RECT{0, 0, 0, 0};
    }
    return rc;
}

}  // namespace

bool CPaintManagerUI::SetNextTabControl(bool bForward) {
    m_impl->EnsureLayout(this);
    // Tab stops in visual order (top to bottom, then left to right); a "tabindex" above
    // 0 goes first, ascending; -1 is never a stop.
    struct Stop {
        CControlUI *control;
        int index;
        RECT rc;
    };
    std::vector<Stop> stops;
    uilib::ForEachControl(m_impl->root, [&stops](CControlUI *c) {
        if ((c->GetControlFlags() & UIFLAG_TABSTOP) == 0 || !c->IsKeyboardEnabled() || !c->IsVisible() ||
            !c->IsEnabled() || c->GetTabIndex() < 0)
            return;
        const RECT rc = ShownPart(c);
        if (rc.right > rc.left && rc.bottom > rc.top) stops.push_back({c, c->GetTabIndex(), c->GetPos()});
    });
    if (stops.empty()) return false;
    std::stable_sort(stops.begin(), stops.end(), [](const Stop &a, const Stop &b) {
        const int ka = a.index > 0 ? a.index : INT_MAX, kb = b.index > 0 ? b.index : INT_MAX;
        if (ka != kb) return ka < kb;
        if (a.rc.top != b.rc.top) return a.rc.top < b.rc.top;
        return a.rc.left < b.rc.left;
    });
    size_t cur = stops.size();
    for (size_t i = 0; i < stops.size(); ++i) {
        // Focus inside a stop (a list's row) counts as the stop.
        if (uilib::IsAttached(m_impl->focus, stops[i].control)) cur = i;
    }
    size_t next;
    if (cur == stops.size())
        next = bForward ? 0 : stops.size() - 1;
    else
        next = bForward ? (cur + 1) % stops.size() : (cur + stops.size() - 1) % stops.size();
    ShowFocusCue();
    SetFocus(stops[next].control);
    return true;
}

void CPaintManagerUI::Impl::PaintFocusFrame(HDC hDC) {
    if (!focusCue || focus == nullptr || !focus->IsVisible()) return;
    const RECT shown = ShownPart(focus);
    if (shown.right <= shown.left || shown.bottom <= shown.top) return;
    // Inside the control, so that no parent clips it; a second ring in white keeps it
    // visible on the brand colour.
    RECT rc = focus->GetPos();
    CRenderClip clip(hDC, shown);
    const SIZE round = focus->GetBorderRound();
    if (round.cx > 0 || round.cy > 0) {
        CRenderEngine::DrawRoundRect(hDC, rc, 2, round.cx, round.cy, kFocusFrameColor);
    } else {
        CRenderEngine::DrawRect(hDC, rc, 2, kFocusFrameColor);
        ::InflateRect(&rc, -2, -2);
        CRenderEngine::DrawRect(hDC, rc, 1, 0xFFFFFFFF);
    }
}

void CPaintManagerUI::ShowFocusCue() {
    if (!m_impl->focusCue && m_impl->focus != nullptr) m_impl->focus->Invalidate();
    m_impl->focusCue = true;
}

void CPaintManagerUI::SetCapture() {
    if (m_impl->hwnd != nullptr) ::SetCapture(m_impl->hwnd);
    m_impl->captured = true;
}

void CPaintManagerUI::ReleaseCapture() {
    m_impl->captured = false;
    if (m_impl->hwnd != nullptr && ::GetCapture() == m_impl->hwnd) ::ReleaseCapture();
}

bool CPaintManagerUI::IsCaptured() const { return m_impl->captured; }

// ---- notifications ----

bool CPaintManagerUI::AddNotifier(INotifyUI *pControl) {
    if (pControl == nullptr) return false;
    auto &v = m_impl->notifiers;
    if (std::find(v.begin(), v.end(), pControl) != v.end()) return false;
    v.push_back(pControl);
    return true;
}

bool CPaintManagerUI::RemoveNotifier(INotifyUI *pControl) {
    auto &v = m_impl->notifiers;
    auto it = std::find(v.begin(), v.end(), pControl);
    if (it == v.end()) return false;
    v.erase(it);
    return true;
}

UINT uilib::AsyncNotifyMessage() {
    static const UINT msg = ::RegisterWindowMessageW(L"UILibAsyncNotify");
    return msg;
}

void CPaintManagerUI::SendNotify(TNotifyUI &Msg, bool bAsync) {
    Msg.ptMouse = m_impl->lastMouse;
    Msg.dwTimestamp = ::GetTickCount();
    if (Msg.sVirtualWnd.empty() && Msg.pSender != nullptr) Msg.sVirtualWnd = Msg.pSender->GetVirtualWnd();
    if (bAsync && m_impl->hwnd != nullptr) {
        m_impl->asyncNotify.push_back(Msg);
        ::PostMessageW(m_impl->hwnd, uilib::AsyncNotifyMessage(), 0, 0);
        return;
    }
    Impl::DispatchScope scope(*m_impl);
    // A notifier may remove itself (or others) while notified: walk a copy.
    std::vector<INotifyUI *> notifiers = m_impl->notifiers;
    for (INotifyUI *n : notifiers) {
        if (std::find(m_impl->notifiers.begin(), m_impl->notifiers.end(), n) != m_impl->notifiers.end()) n->Notify(Msg);
    }
}

void CPaintManagerUI::SendNotify(CControlUI *pControl, LPCTSTR pstrMessage, WPARAM wParam, LPARAM lParam, bool bAsync) {
    TNotifyUI msg;
    msg.pSender = pControl;
    msg.sType = pstrMessage != nullptr ? pstrMessage : L"";
    msg.wParam = wParam;
    msg.lParam = lParam;
    SendNotify(msg, bAsync);
}

bool CPaintManagerUI::AddPreMessageFilter(IMessageFilterUI *pFilter) {
    auto &v = m_impl->preFilters;
    if (pFilter == nullptr || std::find(v.begin(), v.end(), pFilter) != v.end()) return false;
    v.push_back(pFilter);
    return true;
}

bool CPaintManagerUI::RemovePreMessageFilter(IMessageFilterUI *pFilter) {
    auto &v = m_impl->preFilters;
    auto it = std::find(v.begin(), v.end(), pFilter);
    if (it == v.end()) return false;
    v.erase(it);
    return true;
}

bool CPaintManagerUI::AddMessageFilter(IMessageFilterUI *pFilter) {
    auto &v = m_impl->filters;
    if (pFilter == nullptr || std::find(v.begin(), v.end(), pFilter) != v.end()) return false;
    v.push_back(pFilter);
    return true;
}

bool CPaintManagerUI::RemoveMessageFilter(IMessageFilterUI *pFilter) {
    auto &v = m_impl->filters;
    auto it = std::find(v.begin(), v.end(), pFilter);
    if (it == v.end()) return false;
    v.erase(it);
    return true;
}

void CPaintManagerUI::AddDelayedCleanup(CControlUI *pControl) {
    if (pControl == nullptr) return;
    // Gone from lookups at once; destroyed when the current dispatch returns.
    m_impl->ForgetSubtree(pControl);
    uilib::ForEachControl(pControl, [this](CControlUI *c) { KillTimer(c); });
    pControl->SetManager(this, nullptr, false);
    if (m_impl->dispatchDepth > 0)
        m_impl->delayedCleanup.push_back(pControl);
    else
        delete pControl;
}

// ---- message loop ----

void CPaintManagerUI::MessageLoop() {
    MSG msg = {};
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!CPaintManagerUI::TranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}

bool CPaintManagerUI::TranslateMessage(const LPMSG pMsg) {
    if (pMsg == nullptr || pMsg->hwnd == nullptr) return false;
    for (HWND h = pMsg->hwnd; h != nullptr; h = ::GetParent(h)) {
        for (CPaintManagerUI *m : gManagers) {
            if (m->GetPaintWindow() != h) continue;
            LRESULT lRes = 0;
            if (m->PreMessageHandler(pMsg->message, pMsg->wParam, pMsg->lParam, lRes)) return true;
            return false;
        }
    }
    return false;
}

bool CPaintManagerUI::PreMessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT &lRes) {
    return Impl::RunFilters(m_impl->preFilters, uMsg, wParam, lParam, lRes);
}

void CPaintManagerUI::Term() {
    for (CPaintManagerUI *m : gManagers) m->RemoveAllImages();
    uilib::FreeSharedImages();
    uilib::FreePreparedBackBuffer();
    uilib::ShutdownGdiplus();
}
