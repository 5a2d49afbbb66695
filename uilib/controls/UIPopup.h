// Helpers for the controls' drop-down windows (combo list, calendar): where to put the
// popup, and the owner window's fonts for the popup's own paint manager.
#pragma once

#include "uilib/core/UIControl.h"

class CPaintManagerUI;

namespace uilib {

// Screen rectangle of cx x cy under the control (above it when the monitor's work area
// has no room below), left-aligned with it.
RECT PopupRectBelow(CControlUI *pControl, int cx, int cy);
// Copies the default font and font iFont (when it exists) from one manager to another.
void CopyPopupFonts(CPaintManagerUI *from, CPaintManagerUI *to, int iFont);

}  // namespace uilib
