// CPaintManagerUI::MessageHandler: window messages become control events (hover, press,
// click, double-click, wheel, keys, focus, cursor); WM_PAINT lays out and paints the tree
// double-buffered.
#include <windows.h>
#include <windowsx.h>
#include <commctrl.h>
#include <imm.h>

#include <algorithm>
#include <cstdlib>

#include "uilib/controls/UIButton.h"
#include "uilib/core/UIContainer.h"
#include "uilib/core/UIManagerImpl.h"
#include "uilib/core/UIScale.h"
#include "uilib/core/UIStats.h"
#include "uilib/render/UIPaintAhead.h"
#include "uilib/render/UIPaintSurface.h"
#include "uilib/render/UIRender.h"
#include "uilib/render/UIShapeCache.h"

namespace {

const UINT kHoverTimeMs = 400;

// The nearest control (itself or an ancestor) that takes keyboard focus.
CControlUI *FocusTarget(CControlUI *control) {
    for (CControlUI *c = control; c != nullptr; c = c->GetParent()) {
        if ((c->GetControlFlags() & UIFLAG_TABSTOP) != 0 && c->IsEnabled() && c->IsKeyboardEnabled()) return c;
    }
    return nullptr;
}

TEventUI MakeEvent(int type, CControlUI *sender, POINT pt, WPARAM wParam, LPARAM lParam) {
    TEventUI event;
    event.Type = type;
    event.pSender = sender;
    event.dwTimestamp = ::GetTickCount();
    event.ptMouse = pt;
    event.wParam = wParam;
    event.lParam = lParam;
    event.wKeyState = static_cast<WORD>(wParam);
    return event;
}

POINT PointOf(LPARAM lParam) { return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

// The common controls (for the tooltip window class) are loaded with the first tooltip:
// linked, they are loaded and set up with the process and lengthen every start-up.
bool LoadCommonControls() {
    static const bool loaded = [] {
        typedef BOOL(WINAPI * InitProc)(const INITCOMMONCONTROLSEX *);
        const HMODULE module = ::LoadLibraryW(L"comctl32.dll");
        const InitProc init =
            module != nullptr
                ? reinterpret_cast<InitProc>(reinterpret_cast<void *>(::GetProcAddress(module, "InitCommonControlsEx")))
                : nullptr;
        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES};
        return init != nullptr && init(&icc) != FALSE;
    }();
    return loaded;
}

// Keys that move the focus or a selection: the focus frame shows from then on.
bool IsNavigationKey(WPARAM vk) {
    return vk == VK_LEFT || vk == VK_RIGHT || vk == VK_UP || vk == VK_DOWN || vk == VK_HOME || vk == VK_END ||
           vk == VK_PRIOR || vk == VK_NEXT;
}

}  // namespace

void CPaintManagerUI::Impl::SendEvent(int type, CControlUI *control, POINT pt, WPARAM wParam, LPARAM lParam) {
    TEventUI event = MakeEvent(type, control, pt, wParam, lParam);
    DispatchEvent(control, event);
}

void CPaintManagerUI::Impl::SendKey(int type, WPARAM wParam, LPARAM lParam) {
    if (focus == nullptr) return;
    TEventUI event = MakeEvent(type, focus, lastMouse, wParam, lParam);
    event.chKey = static_cast<wchar_t>(wParam);
    event.wKeyState = 0;
    DispatchEvent(focus, event);
}

bool CPaintManagerUI::Impl::RunFilters(std::vector<IMessageFilterUI *> filters, UINT uMsg, WPARAM wParam, LPARAM lParam,
                                       LRESULT &lRes) {
    for (IMessageFilterUI *f : filters) {
        bool handled = false;
        LRESULT r = f->MessageHandler(uMsg, wParam, lParam, handled);
        if (handled) {
            lRes = r;
            return true;
        }
    }
    return false;
}

CControlUI *CPaintManagerUI::Impl::OwnControlAt(CPaintManagerUI *self, POINT pt) {
    CControlUI *control = self->FindControl(pt);
    return control != nullptr && control->GetManager() == self ? control : nullptr;
}

// Defined in UITreeDump.cpp.
bool UilibAnswerInspect(CPaintManagerUI *manager, HWND requester);
UINT UilibInspectMessage();

bool CPaintManagerUI::Impl::WholeClientPending() const {
    RECT client, box;
    ::GetClientRect(hwnd, &client);
    const HRGN update = ::CreateRectRgn(0, 0, 0, 0);
    const bool whole = update != nullptr && ::GetUpdateRgn(hwnd, update, FALSE) == SIMPLEREGION &&
                       ::GetRgnBox(update, &box) == SIMPLEREGION && ::EqualRect(&box, &client);
    if (update != nullptr) ::DeleteObject(update);
    return whole;
}

void CPaintManagerUI::Impl::EnsureLayout(CPaintManagerUI *self) {
    if (root == nullptr || hwnd == nullptr) return;
    if (!updateNeeded && !root->IsUpdateNeeded()) return;
    uilib::StatsScope stats(uilib::kStatsLayout);
    // Asked only after a whole invalidation: the region may have been validated since.
    const bool mute = wholeInvalidated && WholeClientPending();
    // A layout can ask for another (a scroll bar appearing); a few rounds settle it.
    for (int round = 0; round < 3 && (updateNeeded || root->IsUpdateNeeded()); ++round) {
        updateNeeded = false;
        RECT rc;
        ::GetClientRect(hwnd, &rc);
        invalidateMuted = mute && wholeInvalidated;
        root->SetPos(rc, true);
        invalidateMuted = false;
        if (!windowInitSent && rc.right > rc.left && rc.bottom > rc.top) {
            windowInitSent = true;
            self->SendNotify(root, DUI_MSGTYPE_WINDOWINIT);
            if (root == nullptr) return;
        }
    }
}

void CPaintManagerUI::Impl::ShowToolTip(CControlUI *control) {
    CDuiString text = control != nullptr ? control->GetToolTip() : CDuiString();
    if (text.empty()) {
        HideToolTip();
        return;
    }
    if (toolTip == nullptr) {
        if (!LoadCommonControls()) return;
        toolTip = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd, nullptr,
                                    CPaintManagerUI::GetInstance(), nullptr);
        if (toolTip == nullptr) return;
        TTTOOLINFOW ti = {};
        ti.cbSize = TTTOOLINFOW_V2_SIZE;
        ti.uFlags = TTF_IDISHWND | TTF_TRACK | TTF_ABSOLUTE;
        ti.hwnd = hwnd;
        ti.uId = reinterpret_cast<UINT_PTR>(hwnd);
        ti.lpszText = const_cast<LPWSTR>(L"");
        ::SendMessageW(toolTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    }
    // The skin's default font at the window's scale (the system's tooltip font is not scaled);
    // set each time: a scale change makes the font again.
    if (defaultFont.hFont != nullptr)
        ::SendMessageW(toolTip, WM_SETFONT, reinterpret_cast<WPARAM>(defaultFont.hFont), FALSE);
    ::SendMessageW(toolTip, TTM_SETMAXTIPWIDTH, 0, uilib::ScaleValue(400, dpi));
    TTTOOLINFOW ti = {};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    ti.hwnd = hwnd;
    ti.uId = reinterpret_cast<UINT_PTR>(hwnd);
    ti.lpszText = const_cast<LPWSTR>(text.c_str());
    ::SendMessageW(toolTip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
    POINT pt;
    ::GetCursorPos(&pt);
    ::SendMessageW(toolTip, TTM_TRACKPOSITION, 0, MAKELPARAM(pt.x, pt.y + 20));
    ::SendMessageW(toolTip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&ti));
    toolTipShown = true;
}

void CPaintManagerUI::Impl::HideToolTip() {
    if (toolTip == nullptr || !toolTipShown) return;
    TTTOOLINFOW ti = {};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    ti.hwnd = hwnd;
    ti.uId = reinterpret_cast<UINT_PTR>(hwnd);
    ::SendMessageW(toolTip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&ti));
    toolTipShown = false;
}

void CPaintManagerUI::Impl::FreeOffscreen() {
    if (offscreenDC != nullptr) {
        ::SelectObject(offscreenDC, offscreenOld);
        ::DeleteDC(offscreenDC);
        offscreenDC = nullptr;
    }
    if (offscreenBitmap != nullptr) {
        ::DeleteObject(offscreenBitmap);
        offscreenBitmap = nullptr;
        offscreenBits = nullptr;
    }
    offscreenSize = {0, 0};
}

namespace {

// Whether a layout root's own background paints every pixel of rc opaque: then the white
// under it is never seen, and a full repaint is one fill of the window instead of two.
bool CoversOpaque(CControlUI *root, const RECT &rc) {
    if (!uilib::FillsOpaque(root)) return false;
    RECT both;
    return ::IntersectRect(&both, &rc, &root->GetPos()) && ::EqualRect(&both, &rc);
}

}  // namespace

void CPaintManagerUI::Impl::PaintThroughBuffer(HDC target, const RECT &rcPaint) {
    uilib::StatsScope stats(uilib::kStatsPaint);
    Impl &impl = *this;
    RECT client;
    ::GetClientRect(impl.hwnd, &client);
    int cx = client.right - client.left, cy = client.bottom - client.top;
    if (cx <= 0 || cy <= 0) return;
    if (impl.offscreenDC == nullptr || impl.offscreenSize.cx != cx || impl.offscreenSize.cy != cy) {
        impl.FreeOffscreen();
        impl.offscreenDC = ::CreateCompatibleDC(target);
        impl.offscreenBitmap = uilib::TakePreparedBackBuffer(cx, cy, &impl.offscreenBits);
        if (impl.offscreenBitmap == nullptr) impl.offscreenBitmap = uilib::CreateDib32(cx, cy, &impl.offscreenBits);
        if (impl.offscreenDC == nullptr || impl.offscreenBitmap == nullptr) {
            impl.FreeOffscreen();
            return;
        }
        impl.offscreenOld = ::SelectObject(impl.offscreenDC, impl.offscreenBitmap);
        impl.offscreenSize = {cx, cy};
    }
    HDC dc = impl.offscreenDC;
    HRGN clip = ::CreateRectRgnIndirect(&rcPaint);
    ::SelectClipRgn(dc, clip);
    ::DeleteObject(clip);
    {
        uilib::PaintSurface surface(dc, impl.offscreenBits, cx, cy, rcPaint);
        if (!CoversOpaque(impl.root, rcPaint)) CRenderEngine::DrawColor(dc, rcPaint, 0xFFFFFFFF);
        if (impl.root != nullptr) impl.root->DoPaint(dc, rcPaint);
        impl.PaintFocusFrame(dc);
    }
    ::GdiFlush();  // the pixels written directly are in the bitmap before GDI copies it
    ::SelectClipRgn(dc, nullptr);
    ::BitBlt(target, rcPaint.left, rcPaint.top, rcPaint.right - rcPaint.left, rcPaint.bottom - rcPaint.top, dc,
             rcPaint.left, rcPaint.top, SRCCOPY);
}

bool CPaintManagerUI::MessageHandler(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT &lRes) {
    Impl &d = *m_impl;
    if (d.hwnd == nullptr) return false;  // never initialised: nothing to do
    if (uMsg == WM_SHOWWINDOW && wParam != FALSE && d.initSizePending) d.ApplyInitSize(true);
    if (uMsg == WM_WINDOWPOSCHANGING && d.initSizePending) d.SizeAsShown(*reinterpret_cast<WINDOWPOS *>(lParam));

    // Held for the whole message: a control that any handler removes (a focus
    // notification during a button press, say) lives until the message is handled.
    Impl::DispatchScope scope(d);
    if (Impl::RunFilters(d.filters, uMsg, wParam, lParam, lRes)) return true;

    if (d.AccessMessage(this, uMsg, wParam, lParam, lRes)) return true;
    if (uMsg == UilibInspectMessage()) {
        lRes = UilibAnswerInspect(this, reinterpret_cast<HWND>(wParam)) ? 1 : 0;
        return true;
    }
    if (uMsg == uilib::AsyncNotifyMessage()) {
        std::vector<TNotifyUI> pending;
        pending.swap(d.asyncNotify);
        for (TNotifyUI &msg : pending) SendNotify(msg, false);
        lRes = 0;
        return true;
    }

    switch (uMsg) {
    case WM_ERASEBKGND: lRes = 1; return true;
    case WM_PAINT: {
        d.EnsureLayout(this);
        PAINTSTRUCT ps;
        HDC hdc = ::BeginPaint(d.hwnd, &ps);
        d.wholeInvalidated = false;
        d.invalidateMuted = false;  // a paint nested in a layout has taken the region
        if (ps.rcPaint.right > ps.rcPaint.left && ps.rcPaint.bottom > ps.rcPaint.top)
            d.PaintThroughBuffer(hdc, ps.rcPaint);
        ::EndPaint(d.hwnd, &ps);
        lRes = 0;
        return true;
    }
    case WM_PRINTCLIENT: {
        d.EnsureLayout(this);
        RECT rc;
        ::GetClientRect(d.hwnd, &rc);
        d.PaintThroughBuffer(reinterpret_cast<HDC>(wParam), rc);
        lRes = 0;
        return true;
    }
    case WM_SIZE:
        if (d.root != nullptr) d.root->NeedUpdate();
        d.updateNeeded = true;
        Invalidate();
        return false;
    case WM_DPICHANGED:
        d.OnDpiChanged(this, wParam, lParam);
        lRes = 0;
        return true;
    case WM_DESTROY: RemoveAllTimers(); return false;
    case WM_MOUSEMOVE: {
        if (!d.mouseTracking) {
            TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE | TME_HOVER, d.hwnd, kHoverTimeMs};
            ::TrackMouseEvent(&tme);
            d.mouseTracking = true;
        }
        POINT pt = PointOf(lParam);
        d.lastMouse = pt;
        d.EnsureLayout(this);
        if (d.click != nullptr) {
            d.SendEvent(UIEVENT_MOUSEMOVE, d.click, pt, wParam, lParam);
            return false;
        }
        CControlUI *control = d.OwnControlAt(this, pt);
        if (control != d.hover) {
            d.HideToolTip();
            if (CControlUI *old = d.hover) {
                d.hover = nullptr;
                d.SendEvent(UIEVENT_MOUSELEAVE, old, pt, wParam, lParam);
            }
            d.hover = control;
            if (control != nullptr) d.SendEvent(UIEVENT_MOUSEENTER, control, pt, wParam, lParam);
        }
        if (d.hover != nullptr) d.SendEvent(UIEVENT_MOUSEMOVE, d.hover, pt, wParam, lParam);
        return false;
    }
    case WM_MOUSELEAVE: {
        d.mouseTracking = false;
        d.HideToolTip();
        if (d.click == nullptr && d.hover != nullptr) {
            CControlUI *old = d.hover;
            d.hover = nullptr;
            d.SendEvent(UIEVENT_MOUSELEAVE, old, d.lastMouse, 0, 0);
        }
        return false;
    }
    case WM_MOUSEHOVER: {
        d.mouseTracking = false;  // hover ends tracking; the next move restarts it
        if (d.hover != nullptr) {
            d.SendEvent(UIEVENT_MOUSEHOVER, d.hover, PointOf(lParam), wParam, lParam);
            if (d.hover != nullptr && d.click == nullptr && ::IsWindowVisible(d.hwnd)) d.ShowToolTip(d.hover);
        }
        return false;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        d.HideToolTip();
        if (::GetFocus() != d.hwnd && ::IsWindowVisible(d.hwnd)) ::SetFocus(d.hwnd);
        POINT pt = PointOf(lParam);
        d.lastMouse = pt;
        CControlUI *control = d.OwnControlAt(this, pt);
        if (control == nullptr) return false;
        d.focusCue = false;
        CControlUI *target = FocusTarget(control);
        SetFocus(target);
        if (d.root == nullptr || !uilib::IsAttached(control, d.root)) return false;
        d.click = control;
        SetCapture();
        d.SendEvent(uMsg == WM_LBUTTONDOWN ? UIEVENT_BUTTONDOWN : UIEVENT_DBLCLICK, control, pt, wParam, lParam);
        return false;
    }
    case WM_LBUTTONUP: {
        POINT pt = PointOf(lParam);
        d.lastMouse = pt;
        CControlUI *control = d.click;
        d.click = nullptr;
        ReleaseCapture();
        if (control == nullptr) return false;
        d.SendEvent(UIEVENT_BUTTONUP, control, pt, wParam, lParam);
        // The press may have moved the pointer onto another control.
        LRESULT ignored = 0;
        MessageHandler(WM_MOUSEMOVE, wParam, lParam, ignored);
        return false;
    }
    case WM_RBUTTONDOWN: {
        POINT pt = PointOf(lParam);
        d.lastMouse = pt;
        if (CControlUI *control = d.OwnControlAt(this, pt))
            d.SendEvent(UIEVENT_RBUTTONDOWN, control, pt, wParam, lParam);
        return false;
    }
    case WM_CONTEXTMENU: {
        POINT pt = PointOf(lParam);
        ::ScreenToClient(d.hwnd, &pt);
        if (CControlUI *control = d.OwnControlAt(this, pt))
            d.SendEvent(UIEVENT_CONTEXTMENU, control, pt, wParam, lParam);
        return false;
    }
    case WM_CAPTURECHANGED:
        if (d.click != nullptr && reinterpret_cast<HWND>(lParam) != d.hwnd) {
            // Capture taken away mid-press: release the control without a click.
            CControlUI *control = d.click;
            d.click = nullptr;
            d.captured = false;
            d.SendEvent(UIEVENT_BUTTONUP, control, POINT{-32768, -32768}, 0, 0);
        }
        return false;
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL: {
        // Touchpads send small deltas: they add up to whole notches, one event each. The
        // tilt wheel counts positive to the right, the vertical wheel positive upwards.
        const bool horizontal = uMsg == WM_MOUSEHWHEEL;
        const int delta = GET_WHEEL_DELTA_WPARAM(wParam);
        int &rest = d.wheelRest[horizontal ? 1 : 0];
        if ((rest < 0) != (delta < 0)) rest = 0;  // turned back: start again
        rest += delta;
        const int notches = rest / WHEEL_DELTA;
        rest -= notches * WHEEL_DELTA;
        const bool towardsStart = horizontal ? notches < 0 : notches > 0;
        POINT pt = PointOf(lParam);
        ::ScreenToClient(d.hwnd, &pt);
        for (int i = 0; i < std::abs(notches); ++i) {
            CControlUI *control = d.OwnControlAt(this, pt);
            if (control == nullptr) break;
            TEventUI event = MakeEvent(
                UIEVENT_SCROLLWHEEL, control, pt,
                MAKEWPARAM(towardsStart ? SB_LINEUP : SB_LINEDOWN, horizontal ? kWheelHorizontal : 0), lParam);
            event.wKeyState = GET_KEYSTATE_WPARAM(wParam);
            d.DispatchEvent(control, event);
        }
        lRes = 0;
        return true;
    }
    case WM_CHAR: d.SendKey(UIEVENT_CHAR, wParam, lParam); return false;
    case WM_IME_STARTCOMPOSITION:
    case WM_IME_COMPOSITION:
    case WM_IME_ENDCOMPOSITION:
    case WM_IME_CHAR: {
        CControlUI *focus = d.focus;
        if (focus == nullptr || (focus->GetControlFlags() & UIFLAG_WANTIME) == 0) return false;
        TEventUI event = MakeEvent(UIEVENT_IME, focus, d.lastMouse, uMsg, lParam);
        event.chKey = static_cast<wchar_t>(wParam);
        d.DispatchEvent(focus, event);
        // A result the control took must not come back as WM_IME_CHAR or WM_CHAR.
        if (uMsg == WM_IME_CHAR || (uMsg == WM_IME_COMPOSITION && (lParam & GCS_RESULTSTR) != 0)) {
            lRes = 0;
            return true;
        }
        return false;  // the system's composition window shows the string being composed
    }
    case WM_KEYDOWN: {
        if (wParam == VK_TAB) {
            bool back = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
            if (SetNextTabControl(!back)) {
                lRes = 0;
                return true;
            }
            return false;
        }
        if (wParam == VK_RETURN || wParam == VK_ESCAPE) {
            // Esc, and Enter on a control with no use for it (an edit), click the window's
            // cancel or default button; a held key does not click again.
            const bool cancel = wParam == VK_ESCAPE;
            CControlUI *focus = d.focus;
            if (cancel || focus == nullptr || (focus->GetControlFlags() & UIFLAG_WANTRETURN) == 0) {
                if (CButtonUI *button = CButtonUI::FindKeyButton(d.root, cancel)) {
                    if ((lParam & 0x40000000) == 0) {
                        ++d.dispatchDepth;
                        button->Activate();
                        if (--d.dispatchDepth == 0) d.FlushCleanup();
                    }
                    lRes = 0;
                    return true;
                }
            }
        }
        if (IsNavigationKey(wParam)) ShowFocusCue();
        d.SendKey(UIEVENT_KEYDOWN, wParam, lParam);
        return false;
    }
    case WM_SYSKEYDOWN:
        // Alt+Up/Down open and close drop-downs; other Alt keys stay with the system.
        if (wParam == VK_DOWN || wParam == VK_UP) d.SendKey(UIEVENT_KEYDOWN, wParam, lParam);
        return false;
    case WM_KEYUP: d.SendKey(UIEVENT_KEYUP, wParam, lParam); return false;
    case WM_SETCURSOR: {
        if (LOWORD(lParam) != HTCLIENT) return false;
        POINT pt;
        ::GetCursorPos(&pt);
        ::ScreenToClient(d.hwnd, &pt);
        CControlUI *control = FindControl(pt);
        if (control == nullptr || (control->GetControlFlags() & UIFLAG_SETCURSOR) == 0) return false;
        d.SendEvent(UIEVENT_SETCURSOR, control, pt, wParam, lParam);
        lRes = TRUE;
        return true;
    }
    default: break;
    }
    return false;
}
