#include "uilib/core/UIWindow.h"

#include "uilib/core/UIManager.h"

void MaximisedPlacement(const MONITORINFO &monitor, POINT &position, POINT &size) {
    const RECT &work = monitor.rcWork;
    position = {work.left - monitor.rcMonitor.left, work.top - monitor.rcMonitor.top};
    size = {work.right - work.left, work.bottom - work.top};
}

void MaximisedPlacement(HWND hWnd, MINMAXINFO &info) {
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    if (!::GetMonitorInfoW(::MonitorFromWindow(hWnd, MONITOR_DEFAULTTONEAREST), &monitor)) return;
    MaximisedPlacement(monitor, info.ptMaxPosition, info.ptMaxSize);
}

CWindowWnd::CWindowWnd() = default;

CWindowWnd::~CWindowWnd() = default;

HWND CWindowWnd::GetHWND() const { return m_hWnd; }
CWindowWnd::operator HWND() const { return m_hWnd; }

LPCTSTR CWindowWnd::GetSuperClassName() const { return nullptr; }
UINT CWindowWnd::GetClassStyle() const { return 0; }

bool CWindowWnd::RegisterWindowClass() {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = GetClassStyle();
    wc.lpfnWndProc = &CWindowWnd::__WndProc;
    wc.hInstance = CPaintManagerUI::GetInstance();
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = nullptr;
    wc.lpszClassName = GetWindowClassName();
    if (::RegisterClassExW(&wc) != 0) return true;
    // Several window types may share one class name: the class registered first serves all.
    return ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool CWindowWnd::RegisterSuperclass() {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    if (!::GetClassInfoExW(nullptr, GetSuperClassName(), &wc) &&
        !::GetClassInfoExW(CPaintManagerUI::GetInstance(), GetSuperClassName(), &wc))
        return false;
    m_OldWndProc = wc.lpfnWndProc;
    wc.lpfnWndProc = &CWindowWnd::__ControlProc;
    wc.hInstance = CPaintManagerUI::GetInstance();
    wc.lpszClassName = GetWindowClassName();
    if (::RegisterClassExW(&wc) != 0) return true;
    return ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND CWindowWnd::Create(HWND hwndParent, LPCTSTR pstrName, DWORD dwStyle, DWORD dwExStyle, int x, int y, int cx, int cy,
                        HMENU hMenu) {
    if (GetSuperClassName() != nullptr && !RegisterSuperclass()) return nullptr;
    if (GetSuperClassName() == nullptr && !RegisterWindowClass()) return nullptr;
    m_hWnd = ::CreateWindowExW(dwExStyle, GetWindowClassName(), pstrName, dwStyle, x, y, cx, cy, hwndParent, hMenu,
                               CPaintManagerUI::GetInstance(), this);
    return m_hWnd;
}

HWND CWindowWnd::Create(HWND hwndParent, LPCTSTR pstrName, DWORD dwStyle, DWORD dwExStyle, const RECT rc, HMENU hMenu) {
    return Create(hwndParent, pstrName, dwStyle, dwExStyle, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                  hMenu);
}

HWND CWindowWnd::Subclass(HWND hWnd) {
    if (!::IsWindow(hWnd)) return nullptr;
    m_OldWndProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWindowWnd::__ControlProc)));
    if (m_OldWndProc == nullptr) return nullptr;
    m_bSubclassed = true;
    m_hWnd = hWnd;
    ::SetPropW(hWnd, L"WndX", reinterpret_cast<HANDLE>(this));
    return m_hWnd;
}

void CWindowWnd::Unsubclass() {
    if (!m_bSubclassed || !::IsWindow(m_hWnd)) return;
    ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_OldWndProc));
    m_OldWndProc = ::DefWindowProcW;
    m_bSubclassed = false;
}

void CWindowWnd::ShowWindow(bool bShow, bool bTakeFocus) {
    if (!::IsWindow(m_hWnd)) return;
    ::ShowWindow(m_hWnd, bShow ? (bTakeFocus ? SW_SHOWNORMAL : SW_SHOWNOACTIVATE) : SW_HIDE);
}

UINT CWindowWnd::ShowModal() {
    if (!::IsWindow(m_hWnd)) return 0;
    UINT nRet = 0;
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
    if (owner != nullptr) ::EnableWindow(owner, FALSE);
    MSG msg = {};
    while (::IsWindow(m_hWnd) && ::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_CLOSE && msg.hwnd == m_hWnd) {
            nRet = static_cast<UINT>(msg.wParam);
            if (owner != nullptr) ::EnableWindow(owner, TRUE);
        }
        if (!CPaintManagerUI::TranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    if (owner != nullptr) {
        ::EnableWindow(owner, TRUE);
        ::SetFocus(owner);
    }
    if (msg.message == WM_QUIT) ::PostQuitMessage(static_cast<int>(msg.wParam));
    return nRet;
}

void CWindowWnd::Close(UINT nRet) {
    if (!::IsWindow(m_hWnd)) return;
    ::PostMessageW(m_hWnd, WM_CLOSE, static_cast<WPARAM>(nRet), 0);
}

void CWindowWnd::CenterWindow() {
    if (!::IsWindow(m_hWnd)) return;
    RECT rcWnd;
    ::GetWindowRect(m_hWnd, &rcWnd);
    const int w = rcWnd.right - rcWnd.left, h = rcWnd.bottom - rcWnd.top;
    m_centreWhenShown = w == 0 && h == 0 && !::IsWindowVisible(m_hWnd);
    if (m_centreWhenShown) return;
    const POINT pt = CentredPosition(w, h);
    ::SetWindowPos(m_hWnd, nullptr, pt.x, pt.y, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

POINT CWindowWnd::CentredPosition(int w, int h) const {
    HMONITOR monitor = ::MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTONEAREST);
    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    ::GetMonitorInfoW(monitor, &mi);
    RECT area = mi.rcWork;
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    if ((::GetWindowLongW(m_hWnd, GWL_STYLE) & WS_CHILD) != 0) owner = ::GetParent(m_hWnd);
    RECT center = area;
    if (owner != nullptr && ::IsWindowVisible(owner) && !::IsIconic(owner)) ::GetWindowRect(owner, &center);
    int x = (center.left + center.right) / 2 - w / 2;
    int y = (center.top + center.bottom) / 2 - h / 2;
    // Keep the window on the work area.
    if (x + w > area.right) x = area.right - w;
    if (y + h > area.bottom) y = area.bottom - h;
    if (x < area.left) x = area.left;
    if (y < area.top) y = area.top;
    POINT pt = {x, y};
    if ((::GetWindowLongW(m_hWnd, GWL_STYLE) & WS_CHILD) != 0 && owner != nullptr) ::ScreenToClient(owner, &pt);
    return pt;
}

void CWindowWnd::SetIcon(UINT nRes) {
    HINSTANCE inst = CPaintManagerUI::GetInstance();
    HICON big = static_cast<HICON>(::LoadImageW(inst, MAKEINTRESOURCEW(nRes), IMAGE_ICON, ::GetSystemMetrics(SM_CXICON),
                                                ::GetSystemMetrics(SM_CYICON), LR_DEFAULTCOLOR));
    if (big != nullptr) ::SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    HICON smallIcon =
        static_cast<HICON>(::LoadImageW(inst, MAKEINTRESOURCEW(nRes), IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                                        ::GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    if (smallIcon != nullptr) ::SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
}

LRESULT CWindowWnd::SendMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    return ::SendMessageW(m_hWnd, uMsg, wParam, lParam);
}

LRESULT CWindowWnd::PostMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    return ::PostMessageW(m_hWnd, uMsg, wParam, lParam);
}

void CWindowWnd::ResizeClient(int cx, int cy) {
    RECT rc = {};
    if (!::GetClientRect(m_hWnd, &rc)) return;
    if (cx != -1) rc.right = cx;
    if (cy != -1) rc.bottom = cy;
    DWORD style = static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_STYLE));
    DWORD exStyle = static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_EXSTYLE));
    if (!::AdjustWindowRectEx(&rc, style, ::GetMenu(m_hWnd) != nullptr, exStyle)) return;
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, rc.right - rc.left, rc.bottom - rc.top,
                   SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
}

LRESULT CWindowWnd::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    return ::CallWindowProcW(m_OldWndProc, m_hWnd, uMsg, wParam, lParam);
}

void CWindowWnd::OnFinalMessage(HWND /*hWnd*/) {}

LRESULT CALLBACK CWindowWnd::__WndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    CWindowWnd *pThis = nullptr;
    if (uMsg == WM_NCCREATE) {
        auto *cs = reinterpret_cast<LPCREATESTRUCTW>(lParam);
        pThis = static_cast<CWindowWnd *>(cs->lpCreateParams);
        pThis->m_hWnd = hWnd;
        ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pThis));
    } else {
        pThis = reinterpret_cast<CWindowWnd *>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
        if (uMsg == WM_NCDESTROY && pThis != nullptr) {
            LRESULT lRes = ::CallWindowProcW(pThis->m_OldWndProc, hWnd, uMsg, wParam, lParam);
            ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, 0);
            if (pThis->m_bSubclassed) pThis->Unsubclass();
            pThis->m_hWnd = nullptr;
            pThis->OnFinalMessage(hWnd);
            return lRes;
        }
    }
    if (pThis == nullptr) return ::DefWindowProcW(hWnd, uMsg, wParam, lParam);
    if (uMsg == WM_WINDOWPOSCHANGED && (reinterpret_cast<const WINDOWPOS *>(lParam)->flags & SWP_NOMOVE) == 0)
        pThis->m_centreWhenShown = false;  // placed: a centring still due is dropped
    const LRESULT lRes = pThis->HandleMessage(uMsg, wParam, lParam);
    // After the handlers, which give the window its size as it is shown.
    if (uMsg == WM_SHOWWINDOW && wParam != FALSE && pThis->m_centreWhenShown) pThis->CenterWindow();
    if (uMsg == WM_WINDOWPOSCHANGING && pThis->m_centreWhenShown) {
        // Shown by SetWindowPos, which sends no WM_SHOWWINDOW: centred in the same move.
        WINDOWPOS &pos = *reinterpret_cast<WINDOWPOS *>(lParam);
        if ((pos.flags & (SWP_SHOWWINDOW | SWP_NOMOVE)) == (SWP_SHOWWINDOW | SWP_NOMOVE)) {
            const POINT pt = pThis->CentredPosition(pos.cx, pos.cy);
            pos.x = pt.x;
            pos.y = pt.y;
            pos.flags &= ~SWP_NOMOVE;
        }
    }
    return lRes;
}

LRESULT CALLBACK CWindowWnd::__ControlProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    CWindowWnd *pThis = nullptr;
    if (uMsg == WM_NCCREATE) {
        auto *cs = reinterpret_cast<LPCREATESTRUCTW>(lParam);
        pThis = static_cast<CWindowWnd *>(cs->lpCreateParams);
        ::SetPropW(hWnd, L"WndX", reinterpret_cast<HANDLE>(pThis));
        pThis->m_hWnd = hWnd;
    } else {
        pThis = reinterpret_cast<CWindowWnd *>(::GetPropW(hWnd, L"WndX"));
        if (uMsg == WM_NCDESTROY && pThis != nullptr) {
            LRESULT lRes = ::CallWindowProcW(pThis->m_OldWndProc, hWnd, uMsg, wParam, lParam);
            if (pThis->m_bSubclassed) pThis->Unsubclass();
            ::RemovePropW(hWnd, L"WndX");
            pThis->m_hWnd = nullptr;
            pThis->OnFinalMessage(hWnd);
            return lRes;
        }
    }
    if (pThis != nullptr) return pThis->HandleMessage(uMsg, wParam, lParam);
    return ::DefWindowProcW(hWnd, uMsg, wParam, lParam);
}
