// CWindowWnd: a native window bound to a C++ object. The class is registered on first
// Create (an existing class name is shared, not an error); messages go to HandleMessage;
// OnFinalMessage runs after WM_NCDESTROY.
#pragma once

#include "uilib/core/UIDefine.h"

// Where a maximised window goes (WM_GETMINMAXINFO's ptMaxPosition and ptMaxSize): the
// work area of the monitor, relative to that monitor's top-left corner, as the system
// expects; the taskbar may be on any side.
void MaximisedPlacement(const MONITORINFO &monitor, POINT &position, POINT &size);
// The same for a window, on the monitor that holds most of it (the nearest when none).
void MaximisedPlacement(HWND hWnd, MINMAXINFO &info);

class CWindowWnd {
public:
    CWindowWnd();

    HWND GetHWND() const;
    operator HWND() const;

    bool RegisterWindowClass();
    bool RegisterSuperclass();

    HWND Create(HWND hwndParent, LPCTSTR pstrName, DWORD dwStyle, DWORD dwExStyle, int x = CW_USEDEFAULT,
                int y = CW_USEDEFAULT, int cx = CW_USEDEFAULT, int cy = CW_USEDEFAULT, HMENU hMenu = nullptr);
    HWND Create(HWND hwndParent, LPCTSTR pstrName, DWORD dwStyle, DWORD dwExStyle, const RECT rc,
                HMENU hMenu = nullptr);
    HWND Subclass(HWND hWnd);
    void Unsubclass();
    void ShowWindow(bool bShow = true, bool bTakeFocus = true);
    UINT ShowModal();
    void Close(UINT nRet = IDOK);
    // Over the owner, else on the work area of its monitor. A hidden window without a size
    // (a pop-up that takes its skin's when shown) is centred when first shown, unless it is
    // placed otherwise before.
    void CenterWindow();
    // Where CenterWindow puts a window of w x h.
    POINT CentredPosition(int w, int h) const;
    void SetIcon(UINT nRes);

    LRESULT SendMessage(UINT uMsg, WPARAM wParam = 0, LPARAM lParam = 0L);
    LRESULT PostMessage(UINT uMsg, WPARAM wParam = 0, LPARAM lParam = 0L);
    void ResizeClient(int cx = -1, int cy = -1);

    virtual LPCTSTR GetWindowClassName() const = 0;
    virtual LPCTSTR GetSuperClassName() const;
    virtual UINT GetClassStyle() const;
    // Default: the native default window procedure (or the subclassed one).
    virtual LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam);
    virtual void OnFinalMessage(HWND hWnd);
    virtual ~CWindowWnd();

protected:
    static LRESULT CALLBACK __WndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK __ControlProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd = nullptr;
    WNDPROC m_OldWndProc = ::DefWindowProcW;
    bool m_bSubclassed = false;
    bool m_centreWhenShown = false;  // centred while hidden and without a size
};
