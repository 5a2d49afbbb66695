#include "uilib/render/UITextLine.h"

#include <algorithm>
#include <climits>
#include <cwchar>

namespace uilib {

namespace {

const UINT kRequired = DT_SINGLELINE | DT_NOPREFIX;
const UINT kPlacement = DT_CENTER | DT_RIGHT | DT_VCENTER | DT_BOTTOM;
const UINT kEllipses = DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS;

}  // namespace

bool DrawTextLine(HDC hDC, const RECT &rc, LPCWSTR text, UINT style) {
    if ((style & kRequired) != kRequired || (style & ~(kRequired | kPlacement | kEllipses)) != 0) return false;
    if (text == nullptr || ::GetMapMode(hDC) != MM_TEXT) return false;
    const size_t length = wcslen(text);
    if (length == 0 || length > INT_MAX) return false;
    if (std::any_of(text, text + length, [](wchar_t c) { return c < L' '; })) return false;
    SIZE size;
    if (!::GetTextExtentPoint32W(hDC, text, static_cast<int>(length), &size)) return false;
    if ((style & kEllipses) != 0 && size.cx > rc.right - rc.left) return false;
    LONG x = rc.left, y = rc.top;
    if (style & DT_CENTER)
        x = (rc.left + rc.right - size.cx) / 2;
    else if (style & DT_RIGHT)
        x = rc.right - size.cx;
    if (style & DT_VCENTER)
        y = rc.top + (rc.bottom - rc.top) / 2 - size.cy / 2;  // halved apart, as DrawTextW rounds
    else if (style & DT_BOTTOM)
        y = rc.bottom - size.cy;
    return ::ExtTextOutW(hDC, x, y, ETO_CLIPPED, &rc, text, static_cast<UINT>(length), nullptr) != FALSE;
}

}  // namespace uilib
