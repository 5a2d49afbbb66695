// Private to the library: text on a back buffer in paint. Under Wine a DrawTextW costs 10 to
// 25 us at 200 % (each glyph pixel is blended with the pixel under it), and a window's texts
// are drawn again at the same places paint after paint, mostly on backgrounds of one
// colour. Text changes only the pixels its glyphs cover, each after the pixel under it, so
// a text drawn once onto a colour can be copied onto that colour from then on: the same
// pixels as drawing it. A text is kept from its second paint on: one shown once (a clock's
// text) costs nothing more. Coordinates are the buffer's device pixels.
#pragma once

#include <windows.h>

namespace uilib {

// Draws text as DrawTextW(hDC, text, -1, &rc, style) with font, color and a transparent
// background would; false when it has not drawn (hDC is no back buffer in paint, the text
// may spill out of rc, is new, or lies on more than one colour), to be drawn by the caller.
bool DrawCachedText(HDC hDC, HFONT font, COLORREF color, const RECT &rc, LPCWSTR text, UINT style);
void FreeTextCache();

}  // namespace uilib
