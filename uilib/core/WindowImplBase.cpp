// WindowImplBase: the frameless skinned window with the library's default handlers.
#include "uilib/core/WindowImplBase.h"

#include <windowsx.h>

#include "uilib/skin/UIDlgBuilder.h"

namespace {

// A handler's answer for a message it leaves to the next in line.
LRESULT PassOn(BOOL &bHandled) {
    bHandled = FALSE;
    return 0;
}

}  // namespace

DUI_BEGIN_MESSAGE_MAP(WindowImplBase, CNotifyPump)
DUI_ON_MSGTYPE(DUI_MSGTYPE_CLICK, WindowImplBase::OnClick)
DUI_END_MESSAGE_MAP()

WindowImplBase::WindowImplBase() = default;
WindowImplBase::~WindowImplBase() = default;

LPCTSTR WindowImplBase::GetSuperClassName() const { return CWindowWnd::GetSuperClassName(); }
UINT WindowImplBase::GetClassStyle() const { return CS_DBLCLKS; }

void WindowImplBase::OnFinalMessage(HWND hWnd) {
    m_PaintManager.RemovePreMessageFilter(this);
    m_PaintManager.RemoveNotifier(this);
    CWindowWnd::OnFinalMessage(hWnd);
}

void WindowImplBase::InitWindow() {}
void WindowImplBase::OnClick(TNotifyUI & /*msg*/) {}

// Enter and Escape are not consumed by default; a window that closes on them overrides this.
LRESULT WindowImplBase::ResponseDefaultKeyEvent(WPARAM /*wParam*/) { return FALSE; }

UILIB_RESOURCETYPE WindowImplBase::GetResourceType() const { return UILIB_FILE; }
CDuiString WindowImplBase::GetZIPFileName() const { return CDuiString(); }
LPCTSTR WindowImplBase::GetResourceID() const { return L""; }

// These only pass the message on down the line (HandleCustomMessage, the paint manager,
// the default processing); a window overrides the ones it needs.
LRESULT WindowImplBase::OnClose(UINT, WPARAM, LPARAM, BOOL &bHandled) { return PassOn(bHandled); }
LRESULT WindowImplBase::OnDestroy(UINT, WPARAM, LPARAM, BOOL &bHandled) { return PassOn(bHandled); }
LRESULT WindowImplBase::OnMouseWheel(UINT, WPARAM, LPARAM, BOOL &bHandled) { return PassOn(bHandled); }
LRESULT WindowImplBase::OnMouseHover(UINT, WPARAM, LPARAM, BOOL &bHandled) { return PassOn(bHandled); }
LRESULT WindowImplBase::OnChar(UINT, WPARAM, LPARAM, BOOL &bHandled) { return PassOn(bHandled); }
LRESULT WindowImplBase::OnKeyDown(UINT, WPARAM, LPARAM, BOOL &bHandled) { return PassOn(bHandled); }
LRESULT WindowImplBase::OnKillFocus(UINT, WPARAM, LPARAM, BOOL &bHandled) { return PassOn(bHandled); }
LRESULT WindowImplBase::OnSetFocus(UINT, WPARAM, LPARAM, BOOL &bHandled) { return PassOn(bHandled); }
LRESULT WindowImplBase::OnLButtonDown(UINT, WPARAM, LPARAM, BOOL &bHandled) { return PassOn(bHandled); }
LRESULT WindowImplBase::OnLButtonUp(UINT, WPARAM, LPARAM, BOOL &bHandled) { return PassOn(bHandled); }
LRESULT WindowImplBase::OnMouseMove(UINT, WPARAM, LPARAM, BOOL &bHandled) { return PassOn(bHandled); }
LRESULT WindowImplBase::HandleCustomMessage(UINT, WPARAM, LPARAM, BOOL &bHandled) { return PassOn(bHandled); }

LRESULT WindowImplBase::OnNcActivate(UINT, WPARAM wParam, LPARAM, BOOL &bHandled) {
    if (::IsIconic(m_hWnd)) bHandled = FALSE;
    return (wParam == 0) ? TRUE : FALSE;
}

LRESULT WindowImplBase::OnNcCalcSize(UINT, WPARAM, LPARAM, BOOL & /*bHandled*/) { return 0; }
LRESULT WindowImplBase::OnNcPaint(UINT, WPARAM, LPARAM, BOOL & /*bHandled*/) { return 0; }

LRESULT WindowImplBase::OnNcHitTest(UINT, WPARAM, LPARAM lParam, BOOL & /*bHandled*/) {
    POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ::ScreenToClient(m_hWnd, &pt);
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    const RECT &caption = m_PaintManager.GetCaptionRect();
    if (pt.x >= client.left + caption.left && pt.x < client.right - caption.right && pt.y >= caption.top &&
        pt.y < caption.bottom) {
        CControlUI *control = m_PaintManager.FindControl(pt);
        if (control != nullptr) {
            LPCTSTR cls = control->GetClass();
            if (wcscmp(cls, L"Button") != 0 && wcscmp(cls, L"Option") != 0 && wcscmp(cls, L"Text") != 0)
                return HTCAPTION;
        }
    }
    return HTCLIENT;
}

LRESULT WindowImplBase::OnGetMinMaxInfo(UINT, WPARAM, LPARAM lParam, BOOL &bHandled) {
    auto *info = reinterpret_cast<LPMINMAXINFO>(lParam);
    MaximisedPlacement(m_hWnd, *info);
    SIZE minInfo = m_PaintManager.GetMinInfo();
    if (minInfo.cx > 0 && minInfo.cy > 0) info->ptMinTrackSize = {minInfo.cx, minInfo.cy};
    SIZE maxInfo = m_PaintManager.GetMaxInfo();
    if (maxInfo.cx > 0 && maxInfo.cy > 0) info->ptMaxTrackSize = {maxInfo.cx, maxInfo.cy};
    return PassOn(bHandled);
}

LRESULT WindowImplBase::OnSize(UINT, WPARAM, LPARAM, BOOL &bHandled) {
    SIZE round = m_PaintManager.GetRoundCorner();
    if (!::IsIconic(m_hWnd) && (round.cx != 0 || round.cy != 0)) {
        RECT rc;
        ::GetWindowRect(m_hWnd, &rc);
        ::OffsetRect(&rc, -rc.left, -rc.top);
        HRGN rgn = ::CreateRoundRectRgn(rc.left, rc.top, rc.right + 1, rc.bottom + 1, round.cx, round.cy);
        ::SetWindowRgn(m_hWnd, rgn, TRUE);  // the window owns the region now
    }
    return PassOn(bHandled);
}

LRESULT WindowImplBase::OnSysCommand(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL &bHandled) {
    if (wParam == SC_CLOSE) return PassOn(bHandled);  // the default procedure closes the window
    bool zoomed = ::IsZoomed(m_hWnd) != FALSE;
    LRESULT lRes = CWindowWnd::HandleMessage(uMsg, wParam, lParam);
    if (zoomed != (::IsZoomed(m_hWnd) != FALSE)) {
        bool nowZoomed = !zoomed;
        if (CControlUI *maxBtn = m_PaintManager.FindControl(L"maxbtn")) maxBtn->SetVisible(!nowZoomed);
        if (CControlUI *restoreBtn = m_PaintManager.FindControl(L"restorebtn")) restoreBtn->SetVisible(nowZoomed);
    }
    return lRes;
}

LRESULT WindowImplBase::OnCreate(UINT, WPARAM, LPARAM, BOOL & /*bHandled*/) {
    LONG style = ::GetWindowLongW(m_hWnd, GWL_STYLE);
    style &= ~WS_CAPTION;
    ::SetWindowLongW(m_hWnd, GWL_STYLE, style | WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    m_PaintManager.Init(m_hWnd);
    CDialogBuilder builder;
    CDuiString skin = GetSkinFolder() + GetSkinFile();
    CControlUI *root = builder.Create(skin.c_str(), nullptr, this, &m_PaintManager);
    m_PaintManager.AttachDialog(root);
    m_PaintManager.AddNotifier(this);
    InitWindow();
    return 0;
}

LONG WindowImplBase::GetStyle() {
    LONG style = ::GetWindowLongW(m_hWnd, GWL_STYLE);
    return style & ~WS_CAPTION;
}

namespace {

using MessageHandlerFn = LRESULT (WindowImplBase::*)(UINT, WPARAM, LPARAM, BOOL &);

// Which overridable handler each window message goes to.
struct MessageRoute {
    UINT uMsg;
    MessageHandlerFn handler;
};

const MessageRoute kMessageRoutes[] = {
    {WM_CREATE, &WindowImplBase::OnCreate},
    {WM_CLOSE, &WindowImplBase::OnClose},
    {WM_DESTROY, &WindowImplBase::OnDestroy},
    {WM_NCACTIVATE, &WindowImplBase::OnNcActivate},
    {WM_NCCALCSIZE, &WindowImplBase::OnNcCalcSize},
    {WM_NCPAINT, &WindowImplBase::OnNcPaint},
    {WM_NCHITTEST, &WindowImplBase::OnNcHitTest},
    {WM_GETMINMAXINFO, &WindowImplBase::OnGetMinMaxInfo},
    {WM_MOUSEWHEEL, &WindowImplBase::OnMouseWheel},
    {WM_SIZE, &WindowImplBase::OnSize},
    {WM_CHAR, &WindowImplBase::OnChar},
    {WM_SYSCOMMAND, &WindowImplBase::OnSysCommand},
    {WM_KEYDOWN, &WindowImplBase::OnKeyDown},
    {WM_KILLFOCUS, &WindowImplBase::OnKillFocus},
    {WM_SETFOCUS, &WindowImplBase::OnSetFocus},
    {WM_LBUTTONUP, &WindowImplBase::OnLButtonUp},
    {WM_LBUTTONDOWN, &WindowImplBase::OnLButtonDown},
    {WM_MOUSEMOVE, &WindowImplBase::OnMouseMove},
    {WM_MOUSEHOVER, &WindowImplBase::OnMouseHover},
};

}  // namespace

LRESULT WindowImplBase::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    LRESULT lRes = 0;
    BOOL bHandled = FALSE;
    for (const MessageRoute &route : kMessageRoutes) {
        if (route.uMsg != uMsg) continue;
        bHandled = TRUE;
        lRes = (this->*route.handler)(uMsg, wParam, lParam, bHandled);
        break;
    }
    if (bHandled) return lRes;
    return HandlePassedOn(uMsg, wParam, lParam);
}

LRESULT WindowImplBase::HandlePassedOn(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    BOOL bHandled = TRUE;
    LRESULT lRes = HandleCustomMessage(uMsg, wParam, lParam, bHandled);
    if (bHandled) return lRes;
    if (m_PaintManager.MessageHandler(uMsg, wParam, lParam, lRes)) return lRes;
    return CWindowWnd::HandleMessage(uMsg, wParam, lParam);
}

void WindowImplBase::Notify(TNotifyUI &msg) { NotifyPump(msg); }

LRESULT WindowImplBase::MessageHandler(UINT uMsg, WPARAM wParam, LPARAM /*lParam*/, bool &bHandled) {
    if (uMsg == WM_KEYDOWN && (wParam == VK_RETURN || wParam == VK_ESCAPE)) {
        LRESULT r = ResponseDefaultKeyEvent(wParam);
        bHandled = r != FALSE;
        return r;
    }
    return 0;
}

CControlUI *WindowImplBase::CreateControl(LPCTSTR /*pstrClass*/) { return nullptr; }
