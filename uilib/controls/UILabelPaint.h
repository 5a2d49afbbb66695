// Private to the library: text drawing shared by the label-like controls.
#pragma once

#include "uilib/core/UIDefine.h"

namespace uilib {

// Draws text in rc with style (DT_* flags); multi-line text honours vertical centring and
// bottom alignment too (DrawTextW alone does that only for single lines).
void DrawLabelText(HDC hDC, CPaintManagerUI *manager, RECT rc, const CDuiString &text, DWORD color, int font,
                   UINT style);

}  // namespace uilib
