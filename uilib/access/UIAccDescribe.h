// What each control is to a screen reader (Microsoft Active Accessibility): whether it
// has an accessible object of its own, its role, name, value, state and default action,
// and its accessible children. Layouts without an "accname" and plain spacers have no
// object: their children count as their parent's. List rows are reached by index, so a
// list of any length is described without visiting its rows.
#pragma once

#include <windows.h>

#include <vector>

#include "uilib/core/UIDefine.h"

namespace uilib {

// Whether the control has an accessible object of its own.
bool AccExposed(CControlUI *control);
// The nearest ancestor with an object below root; null: the window's client object.
CControlUI *AccParent(CControlUI *control, CControlUI *root);
// The accessible children of a control (or of root's client object when control is root).
int AccChildCount(CControlUI *control);
CControlUI *AccChildAt(CControlUI *control, int index);  // null when out of range
// The position of child among its parent's accessible children; -1 when not one.
int AccIndexOf(CControlUI *parent, CControlUI *child);

LONG AccRole(CControlUI *control);
CDuiString AccName(CControlUI *control);
// False when the control has no value (or, for a password, must not tell it).
bool AccValue(CControlUI *control, CDuiString &value);
LONG AccState(CControlUI *control);
CDuiString AccDefaultAction(CControlUI *control);  // empty: none
// Performs the default action; false when the control has none or cannot now.
bool AccDoDefaultAction(CControlUI *control);
// What a screen reader is told has the focus when the control has it: a list's selected
// row, else the control or its nearest ancestor with an object.
CControlUI *AccFocusTarget(CControlUI *focus);
// The event a change of the control's text raises: its name, or its value (edits).
DWORD AccTextEvent(CControlUI *control);

}  // namespace uilib
