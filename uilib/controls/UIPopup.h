// The controls' drop-down windows (combo list, calendar): their window base, opening one
// from its control, where to put it, the owner window's fonts for the popup's own paint
// manager, and handing the foreground back when it closes.
#pragma once

#include "uilib/core/UIControl.h"
#include "uilib/core/UIManager.h"
#include "uilib/core/UIWindow.h"

// A drop-down window whose object (paint manager, rows) outlives every message it is
// handling: a close asked for while one of its messages is handled (a handler of its
// click removing or disabling the control it belongs to), and even the window's
// destruction by its owner, take effect when the outermost of its messages returns.
// Deletes itself when its window is gone.
class CPopupWnd : public CWindowWnd {
public:
    // Destroys the window now, or when the message being handled returns.
    void DestroyWhenIdle();

protected:
    virtual LRESULT HandlePopupMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) = 0;
    virtual void OnPopupGone() {}  // the window is gone: tell the owner control

private:
    LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) final;
    void OnFinalMessage(HWND hWnd) final;

    int m_iDepth = 0;  // messages of this window being handled
    bool m_bDestroyPending = false;
    bool m_bGone = false;  // the window was destroyed while a message was handled
};

namespace uilib {

// Whether a key press asks a closed drop-down control to open: F4 or Alt+Down.
bool IsDropDownKey(const TEventUI &event);

// Makes and opens the control's drop-down window (TWnd(owner), then Open()) and sends
// "dropdown". False, with nothing made, when the control has no window to drop from.
template <class TWnd, class TOwner>
bool OpenDropDown(TOwner *owner, TWnd *&window) {
    CPaintManagerUI *manager = owner->GetManager();
    if (manager == nullptr || manager->GetPaintWindow() == nullptr) return false;
    window = new TWnd(owner);
    window->Open();
    if (window->GetHWND() == nullptr) {  // never created: no final message will free it
        delete window;
        window = nullptr;
        return false;
    }
    manager->SendNotify(owner, DUI_MSGTYPE_DROPDOWN);
    return true;
}

// Creates the top-most tool popup of cx x cy under the control (see PopupRectBelow) and
// shows it with the focus.
void ShowPopupBelow(CWindowWnd &popup, CControlUI *pControl, int cx, int cy);
// A closing popup brings the control's window to the foreground again. False when there
// is no control (gone) or it has no manager.
bool RaiseOwnerWindow(CControlUI *pControl);

// Screen rectangle of cx x cy under the control (above it when the monitor's work area
// has no room below), left-aligned with it.
RECT PopupRectBelow(CControlUI *pControl, int cx, int cy);
// Copies the default font and font iFont (when it exists) from one manager to another.
void CopyPopupFonts(CPaintManagerUI *from, CPaintManagerUI *to, int iFont);

}  // namespace uilib
