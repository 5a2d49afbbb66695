// Behaviour shared by the console's four skinned windows: creation from a skin, frame
// painting, caption hit test, rounded region, maximised placement and system commands.
// Each window's own dispatch calls these from its handlers; each takes the window's own
// paint manager (the one WindowImplBase carries is never used).
#pragma once

#include "uilib/UIlib.h"

namespace SkinnedWindow {

// Creation steps: drop WS_CAPTION and add WS_CLIPSIBLINGS|WS_CLIPCHILDREN, bind pm to
// the window, build skinFile with the page factory, attach the root (as returned), and
// register notifier. The caller then runs its initialisation step and returns 0.
void Create(HWND hWnd, CPaintManagerUI &pm, LPCTSTR skinFile, INotifyUI *notifier);

LRESULT NcActivate(HWND hWnd, WPARAM wParam, BOOL &bHandled);
LRESULT NcCalcSize(BOOL &bHandled);
LRESULT NcPaint(BOOL &bHandled);
LRESULT NcHitTest(HWND hWnd, CPaintManagerUI &pm, LPARAM lParam, BOOL &bHandled);
LRESULT Size(HWND hWnd, CPaintManagerUI &pm, BOOL &bHandled);
LRESULT GetMinMaxInfo(HWND hWnd, LPARAM lParam, BOOL &bHandled);
// SC_CLOSE posts a quit; anything else runs the default procedure and swaps
// "maxbtn"/"restorebtn" when the maximised state changed.
LRESULT SysCommand(CWindowWnd &wnd, CPaintManagerUI &pm, UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL &bHandled);

// The common message table: calls wnd's handler for uMsg when it is one of WM_CREATE,
// WM_DESTROY, WM_SIZE, WM_CLOSE, WM_GETMINMAXINFO, WM_NCCALCSIZE, WM_NCHITTEST,
// WM_NCPAINT, WM_NCACTIVATE, WM_SYSCOMMAND (bHandled set true before the call) and
// returns true; false (bHandled false) for any other message.
bool RouteCommon(WindowImplBase &wnd, UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT &lRes, BOOL &bHandled);

// A message the window's table passed on (routed) or does not list: pm, then the library.
// A routed message skips the library's own table: its handler has run once already.
LRESULT PassOn(WindowImplBase &wnd, CPaintManagerUI &pm, bool routed, UINT uMsg, WPARAM wParam, LPARAM lParam);

}  // namespace SkinnedWindow

// Inside a window class whose own paint manager is m_pm: the frame handlers that every
// skinned window shares, forwarding to the functions above.
#define SKINNED_WINDOW_FRAME_HANDLERS()                                                                                \
    LRESULT OnNcActivate(UINT, WPARAM wParam, LPARAM, BOOL &bHandled) override {                                       \
        return SkinnedWindow::NcActivate(m_hWnd, wParam, bHandled);                                                    \
    }                                                                                                                  \
    LRESULT OnNcCalcSize(UINT, WPARAM, LPARAM, BOOL &bHandled) override {                                              \
        return SkinnedWindow::NcCalcSize(bHandled);                                                                    \
    }                                                                                                                  \
    LRESULT OnNcPaint(UINT, WPARAM, LPARAM, BOOL &bHandled) override { return SkinnedWindow::NcPaint(bHandled); }      \
    LRESULT OnNcHitTest(UINT, WPARAM, LPARAM lParam, BOOL &bHandled) override {                                        \
        return SkinnedWindow::NcHitTest(m_hWnd, m_pm, lParam, bHandled);                                               \
    }                                                                                                                  \
    LRESULT OnGetMinMaxInfo(UINT, WPARAM, LPARAM lParam, BOOL &bHandled) override {                                    \
        return SkinnedWindow::GetMinMaxInfo(m_hWnd, lParam, bHandled);                                                 \
    }                                                                                                                  \
    LRESULT OnSize(UINT, WPARAM, LPARAM, BOOL &bHandled) override {                                                    \
        return SkinnedWindow::Size(m_hWnd, m_pm, bHandled);                                                            \
    }                                                                                                                  \
    LRESULT OnSysCommand(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL &bHandled) override {                           \
        return SkinnedWindow::SysCommand(*this, m_pm, uMsg, wParam, lParam, bHandled);                                 \
    }
