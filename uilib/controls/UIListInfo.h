// The "item..." attributes shared by lists and combos, applied to their TListInfoUI.
#pragma once

#include "uilib/controls/UIList.h"

// True when pstrName is one of the item attributes (and the value was applied if valid).
bool SetListInfoAttribute(TListInfoUI &info, LPCTSTR pstrName, LPCTSTR pstrValue);
// The palette's row colours.
void SetDefaultListColors(TListInfoUI &info);
