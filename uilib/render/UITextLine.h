// Private to the library: one line of text, placed as DrawTextW places it and drawn with
// ExtTextOutW. Under Wine a DrawTextW costs nearly twice its ExtTextOutW (it breaks the text
// into lines and measures it for an ellipsis first); a line that fits needs only its place.
#pragma once

#include <windows.h>

namespace uilib {

// Draws text as DrawTextW(hDC, text, -1, &rc, style) does, with the DC's font, colour and
// background mode. False, having drawn nothing, when style asks for more than placing one
// line (line breaks, tabs, prefixes, no clipping), when the text holds control characters or
// is empty, or when an ellipsis is asked for and the text does not fit.
bool DrawTextLine(HDC hDC, const RECT &rc, LPCWSTR text, UINT style);

}  // namespace uilib
