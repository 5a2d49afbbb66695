// Scaling of skin pixels: skins are written at 96 DPI (100 %); a value is multiplied by
// dpi / 96 and rounded to the nearest pixel (halves away from zero), each edge of a
// rectangle on its own. Platform-free.
#pragma once

#include "uilib/core/UIDefine.h"

namespace uilib {

constexpr int kSkinDpi = 96;

inline int ScaleValue(int value, int dpi) {
    if (dpi == kSkinDpi) return value;
    const long long n = static_cast<long long>(value) * dpi;
    return static_cast<int>(n >= 0 ? (n + kSkinDpi / 2) / kSkinDpi : -((-n + kSkinDpi / 2) / kSkinDpi));
}

inline RECT ScaleRect(const RECT &rc, int dpi) {
    return {ScaleValue(rc.left, dpi), ScaleValue(rc.top, dpi), ScaleValue(rc.right, dpi), ScaleValue(rc.bottom, dpi)};
}

inline SIZE ScaleSize(const SIZE &sz, int dpi) { return {ScaleValue(sz.cx, dpi), ScaleValue(sz.cy, dpi)}; }

}  // namespace uilib
