#include "uilib/controls/UIPopup.h"

void CPopupWnd::DestroyWhenIdle() {
    if (m_hWnd == nullptr) return;
    if (m_iDepth > 0)
        m_bDestroyPending = true;
    else
        ::DestroyWindow(m_hWnd);
}

LRESULT CPopupWnd::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    ++m_iDepth;
    const LRESULT lRes = HandlePopupMessage(uMsg, wParam, lParam);
    if (--m_iDepth > 0) return lRes;
    if (m_bGone) {
        delete this;
    } else if (m_bDestroyPending) {
        m_bDestroyPending = false;
        ::DestroyWindow(m_hWnd);  // deletes this
    }
    return lRes;
}

void CPopupWnd::OnFinalMessage(HWND /*hWnd*/) {
    OnPopupGone();
    if (m_iDepth > 0)
        m_bGone = true;
    else
        delete this;
}

namespace uilib {

bool IsDropDownKey(const TEventUI &event) {
    return event.chKey == VK_F4 || (event.chKey == VK_DOWN && (::GetKeyState(VK_MENU) & 0x8000));
}

void ShowPopupBelow(CWindowWnd &popup, CControlUI *pControl, int cx, int cy) {
    const RECT rc = PopupRectBelow(pControl, cx, cy);
    HWND owner = pControl->GetManager() != nullptr ? pControl->GetManager()->GetPaintWindow() : nullptr;
    popup.Create(owner, nullptr, WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, rc);
    popup.ShowWindow(true, true);
}

bool RaiseOwnerWindow(CControlUI *pControl) {
    if (pControl == nullptr || pControl->GetManager() == nullptr) return false;
    HWND owner = pControl->GetManager()->GetPaintWindow();
    if (::IsWindow(owner)) ::SetForegroundWindow(owner);
    return true;
}

RECT PopupRectBelow(CControlUI *pControl, int cx, int cy) {
    const RECT rc = pControl->GetPos();
    HWND owner = pControl->GetManager() != nullptr ? pControl->GetManager()->GetPaintWindow() : nullptr;
    const int gap = pControl->GetManager() != nullptr ? pControl->GetManager()->Scale(2) : 2;
    POINT below = {rc.left, rc.bottom + gap};
    POINT above = {rc.left, rc.top - gap};
    ::ClientToScreen(owner, &below);
    ::ClientToScreen(owner, &above);
    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    ::GetMonitorInfoW(::MonitorFromPoint(below, MONITOR_DEFAULTTONEAREST), &mi);
    const RECT &work = mi.rcWork;
    RECT out = {below.x, below.y, below.x + cx, below.y + cy};
    if (out.bottom > work.bottom && above.y - cy >= work.top) out = {above.x, above.y - cy, above.x + cx, above.y};
    if (out.right > work.right) ::OffsetRect(&out, work.right - out.right, 0);
    if (out.left < work.left) ::OffsetRect(&out, work.left - out.left, 0);
    return out;
}

void CopyPopupFonts(CPaintManagerUI *from, CPaintManagerUI *to, int iFont) {
    if (from == nullptr || to == nullptr) return;
    to->SetDPI(from->GetDPI());  // the pop-up follows its owner's scale
    if (const TFontInfo *f = from->GetFontInfo(-1))
        to->SetDefaultFont(f->sFontName.c_str(), f->iSize, f->bBold, f->bUnderline, f->bItalic);
    if (iFont >= 0) {
        if (const TFontInfo *f = from->GetFontInfo(iFont))
            to->AddFont(iFont, f->sFontName.c_str(), f->iSize, f->bBold, f->bUnderline, f->bItalic);
    }
    to->SetDefaultFontColor(from->GetDefaultFontColor());
    to->SetDefaultDisabledColor(from->GetDefaultDisabledColor());
}

}  // namespace uilib
