#include "ui/SkinnedWindow.h"

#include "ui/ControlFactory.h"
#include "ui/SkinFailure.h"

namespace SkinnedWindow {

namespace {

const LONG kStyleKeepMask = static_cast<LONG>(0xff3fffff);  // clears WS_CAPTION
const LONG kStyleClipBits = WS_CLIPSIBLINGS | WS_CLIPCHILDREN;

// Controls that take their own clicks inside the caption band.
const wchar_t *const kCaptionExemptClasses[] = {L"Button", L"Option", L"Text"};

bool IsCaptionExempt(LPCTSTR className) {
    if (className == nullptr) return false;
    for (const wchar_t *exempt : kCaptionExemptClasses) {
        if (wcscmp(className, exempt) == 0) return true;
    }
    return false;
}

void SetControlVisible(CPaintManagerUI &pm, LPCTSTR name, bool visible) {
    if (CControlUI *control = pm.FindControl(name)) control->SetVisible(visible);
}

// The size and the corner that the window's region was made for.
const wchar_t kRegionSize[] = L"SkinnedWindow.RegionSize";
const wchar_t kRegionCorner[] = L"SkinnedWindow.RegionCorner";

HANDLE Packed(LONG a, LONG b) { return reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(MAKELONG(a, b))); }

// Cuts the skin's round corners for the window's present size, unless its region is that
// already: a region set again repaints the whole window.
void RoundCorners(HWND hWnd, CPaintManagerUI &pm) {
    const SIZE corner = pm.GetRoundCorner();
    RECT rc = {};
    ::GetWindowRect(hWnd, &rc);
    // A window without a size yet (a hidden pop-up) has nothing to round.
    if (::IsIconic(hWnd) || ::IsRectEmpty(&rc) || (corner.cx == 0 && corner.cy == 0)) return;
    const LONG w = rc.right - rc.left, h = rc.bottom - rc.top;
    RECT box = {};
    if (::GetWindowRgnBox(hWnd, &box) != ERROR && ::GetPropW(hWnd, kRegionSize) == Packed(w, h) &&
        ::GetPropW(hWnd, kRegionCorner) == Packed(corner.cx, corner.cy))
        return;
    HRGN region = ::CreateRoundRectRgn(0, 0, w + 1, h + 1, corner.cx, corner.cy);
    if (::SetWindowRgn(hWnd, region, TRUE) == 0) {  // the window owns the region once it is set
        ::DeleteObject(region);
        return;
    }
    ::SetPropW(hWnd, kRegionSize, Packed(w, h));
    ::SetPropW(hWnd, kRegionCorner, Packed(corner.cx, corner.cy));
}

}  // namespace

void Create(HWND hWnd, CPaintManagerUI &pm, LPCTSTR skinFile, INotifyUI *notifier) {
    LONG style = ::GetWindowLongW(hWnd, GWL_STYLE);
    style = (style & kStyleKeepMask) | kStyleClipBits;
    ::SetWindowLongW(hWnd, GWL_STYLE, style);

    pm.Init(hWnd);
    CDialogBuilder builder;
    CDialogBuilderCallbackEx factory;
    CControlUI *root = builder.Create(skinFile, nullptr, &factory, &pm, nullptr);
    if (root == nullptr) NoteSkinFailure(builder.GetLastErrorMessage());
    pm.AttachDialog(root);
    pm.AddNotifier(notifier);
    RoundCorners(hWnd, pm);  // while the window is hidden, before its first frame
}

LRESULT NcActivate(HWND hWnd, WPARAM wParam, BOOL &bHandled) {
    if (::IsIconic(hWnd)) bHandled = FALSE;
    return (wParam == 0) ? TRUE : FALSE;
}

LRESULT NcCalcSize(BOOL &bHandled) {
    bHandled = TRUE;
    return 0;
}

LRESULT NcPaint(BOOL &bHandled) {
    bHandled = TRUE;
    return 0;
}

LRESULT NcHitTest(HWND hWnd, CPaintManagerUI &pm, LPARAM lParam, BOOL &bHandled) {
    bHandled = TRUE;
    POINT pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ::ScreenToClient(hWnd, &pt);

    RECT client = {};
    ::GetClientRect(hWnd, &client);
    const RECT caption = pm.GetCaptionRect();
    if (pt.x >= client.left + caption.left && pt.x < client.right - caption.right && pt.y >= caption.top &&
        pt.y < caption.bottom) {
        CControlUI *control = pm.FindControl(pt);
        if (control != nullptr && !IsCaptionExempt(control->GetClass())) return HTCAPTION;
    }
    return HTCLIENT;
}

LRESULT Size(HWND hWnd, CPaintManagerUI &pm, BOOL &bHandled) {
    RoundCorners(hWnd, pm);
    bHandled = FALSE;
    return 0;
}

LRESULT GetMinMaxInfo(HWND hWnd, LPARAM lParam, BOOL &bHandled) {
    MaximisedPlacement(hWnd, *reinterpret_cast<MINMAXINFO *>(lParam));
    bHandled = FALSE;
    return 0;
}

LRESULT SysCommand(CWindowWnd &wnd, CPaintManagerUI &pm, UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL &bHandled) {
    bHandled = TRUE;
    if (wParam == SC_CLOSE) {
        ::PostQuitMessage(0);
        return 0;
    }
    const HWND hWnd = wnd.GetHWND();
    const BOOL wasZoomed = ::IsZoomed(hWnd);
    const LRESULT lRes = wnd.CWindowWnd::HandleMessage(uMsg, wParam, lParam);
    const BOOL isZoomed = ::IsZoomed(hWnd);
    if (wasZoomed != isZoomed) {
        SetControlVisible(pm, L"maxbtn", !isZoomed);
        SetControlVisible(pm, L"restorebtn", isZoomed != FALSE);
    }
    return lRes;
}

bool RouteCommon(WindowImplBase &wnd, UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT &lRes, BOOL &bHandled) {
    bHandled = TRUE;
    switch (uMsg) {
    case WM_CREATE: lRes = wnd.OnCreate(uMsg, wParam, lParam, bHandled); return true;
    case WM_DESTROY: lRes = wnd.OnDestroy(uMsg, wParam, lParam, bHandled); return true;
    case WM_SIZE: lRes = wnd.OnSize(uMsg, wParam, lParam, bHandled); return true;
    case WM_CLOSE: lRes = wnd.OnClose(uMsg, wParam, lParam, bHandled); return true;
    case WM_GETMINMAXINFO: lRes = wnd.OnGetMinMaxInfo(uMsg, wParam, lParam, bHandled); return true;
    case WM_NCCALCSIZE: lRes = wnd.OnNcCalcSize(uMsg, wParam, lParam, bHandled); return true;
    case WM_NCHITTEST: lRes = wnd.OnNcHitTest(uMsg, wParam, lParam, bHandled); return true;
    case WM_NCPAINT: lRes = wnd.OnNcPaint(uMsg, wParam, lParam, bHandled); return true;
    case WM_NCACTIVATE: lRes = wnd.OnNcActivate(uMsg, wParam, lParam, bHandled); return true;
    case WM_SYSCOMMAND: lRes = wnd.OnSysCommand(uMsg, wParam, lParam, bHandled); return true;
    default: bHandled = FALSE; return false;
    }
}

LRESULT PassOn(WindowImplBase &wnd, CPaintManagerUI &pm, bool routed, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    LRESULT lRes = 0;
    if (pm.MessageHandler(uMsg, wParam, lParam, lRes)) return lRes;
    return routed ? wnd.HandlePassedOn(uMsg, wParam, lParam) : wnd.WindowImplBase::HandleMessage(uMsg, wParam, lParam);
}

}  // namespace SkinnedWindow
