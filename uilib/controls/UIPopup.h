// Helpers for the controls' drop-down windows (combo list, calendar): opening one from its
// control, where to put it, the owner window's fonts for the popup's own paint manager,
// and handing the foreground back when it closes.
#pragma once

#include "uilib/core/UIControl.h"
#include "uilib/core/UIManager.h"

class CWindowWnd;

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
