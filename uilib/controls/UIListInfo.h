// What lists and combos share about their rows: the "item..." attributes applied to their
// TListInfoUI, the palette, and the row lookups.
#pragma once

#include <functional>

#include "uilib/controls/UIList.h"

// True when pstrName is one of the item attributes (and the value was applied if valid).
bool SetListInfoAttribute(TListInfoUI &info, LPCTSTR pstrName, LPCTSTR pstrValue);
// The palette's row colours.
void SetDefaultListColors(TListInfoUI &info);
// The control as a list row, or null when it is none.
IListItemUI *AsListItem(CControlUI *control);
// Moves the selection mark from the row at iOld to the row at iNew (either may be -1).
void MoveRowSelection(const IContainerUI &rows, int iOld, int iNew);
// Selects row iIndex of a list owner (none when out of range) whose selection is iCurSel:
// takes the focus when asked, moves the rows' marks, calls onMoved(new, old), and sends
// "itemselect" (wParam: new, lParam: old) last, since a handler may remove rows. Returns
// whether a row is selected.
bool ChangeRowSelection(CControlUI &owner, const IContainerUI &rows, int &iCurSel, int iIndex, bool bTakeFocus,
                        const std::function<void(int, int)> &onMoved);
