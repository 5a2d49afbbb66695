// What lists and combos share about their rows: the "item..." attributes applied to their
// TListInfoUI, the palette, and the row lookups.
#pragma once

#include "uilib/controls/UIList.h"

// True when pstrName is one of the item attributes (and the value was applied if valid).
bool SetListInfoAttribute(TListInfoUI &info, LPCTSTR pstrName, LPCTSTR pstrValue);
// The palette's row colours.
void SetDefaultListColors(TListInfoUI &info);
// The control as a list row, or null when it is none.
IListItemUI *AsListItem(CControlUI *control);
// Moves the selection mark from the row at iOld to the row at iNew (either may be -1).
void MoveRowSelection(const IContainerUI &rows, int iOld, int iNew);
