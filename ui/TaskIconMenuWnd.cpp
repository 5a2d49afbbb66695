#include "ui/TaskIconMenuWnd.h"

#include "ui/SkinnedWindow.h"
#include "ui/TrayIcon.h"

namespace {
const int kMenuAboveCursor = 30;
}

CTaskIconMenuWnd::CTaskIconMenuWnd(CTaskIconMenuWnd **ownerRef) : m_ownerRef(ownerRef) {}

LPCTSTR CTaskIconMenuWnd::GetWindowClassName() const { return L"UIBsCfgFrame"; }
UINT CTaskIconMenuWnd::GetClassStyle() const { return CS_DBLCLKS; }
CDuiString CTaskIconMenuWnd::GetSkinFolder() { return L""; }
CDuiString CTaskIconMenuWnd::GetSkinFile() { return L"skin.xml"; }

LRESULT CTaskIconMenuWnd::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    LRESULT lRes = 0;
    BOOL bHandled = TRUE;
    bool routed = true;
    if (uMsg == WM_KILLFOCUS) {
        lRes = OnKillFocus(uMsg, wParam, lParam, bHandled);
    } else {
        routed = SkinnedWindow::RouteCommon(*this, uMsg, wParam, lParam, lRes, bHandled);
    }
    if (bHandled) return lRes;
    return SkinnedWindow::PassOn(*this, m_pm, routed, uMsg, wParam, lParam);
}

void CTaskIconMenuWnd::OnFinalMessage(HWND) {
    if (m_ownerRef != nullptr && *m_ownerRef == this) *m_ownerRef = nullptr;
    delete this;
}

LRESULT CTaskIconMenuWnd::OnCreate(UINT, WPARAM, LPARAM, BOOL &bHandled) {
    SkinnedWindow::Create(m_hWnd, m_pm, L"TaskIconMenuUI.xml", this);
    Init();
    bHandled = TRUE;
    return 0;
}

void CTaskIconMenuWnd::Init() { m_pCloseBtn = m_pm.FindControl(L"closebtn"); }

LRESULT CTaskIconMenuWnd::OnClose(UINT, WPARAM, LPARAM, BOOL &bHandled) {
    bHandled = FALSE;
    return 0;
}

LRESULT CTaskIconMenuWnd::OnDestroy(UINT, WPARAM, LPARAM, BOOL &bHandled) {
    bHandled = FALSE;
    return 0;
}

LRESULT CTaskIconMenuWnd::OnKillFocus(UINT, WPARAM, LPARAM, BOOL &bHandled) {
    ::ShowWindow(m_hWnd, SW_HIDE);
    bHandled = FALSE;
    return 0;
}

void CTaskIconMenuWnd::Notify(TNotifyUI &msg) {
    if (msg.sType == DUI_MSGTYPE_CLICK && m_pCloseBtn != nullptr && msg.pSender == m_pCloseBtn) {
        DeleteTrayIcon();
        ::PostQuitMessage(0);
    }
}

void CTaskIconMenuWnd::ShowAtCursor() {
    POINT pt = {};
    ::GetCursorPos(&pt);
    ::SetWindowPos(m_hWnd, HWND_TOP, pt.x, pt.y - kMenuAboveCursor, 0, 0, SWP_NOSIZE);
    ::ShowWindow(m_hWnd, SW_SHOW);
    // Foreground, so that a click anywhere else takes its focus and hides it.
    ::SetForegroundWindow(m_hWnd);
}
