// Private to the library: anti-aliased shapes (rounded rectangles, ellipses) are drawn
// through GDI+, which rasterises the shape's whole box on every call. Each distinct shape
// (kind, place, size, parameters, colour) is rasterised once onto a transparent 32-bit
// sprite and blended from there on: the same pixels as drawing it, at a fraction of the
// cost. A control keeps its place from paint to paint, so its shapes come from the cache.
#pragma once

#include <windows.h>

#include <functional>

namespace uilib {

struct ShapeKey {
    int kind;                      // which primitive
    int left, top, right, bottom;  // the shape's box on its target, pixels
    int param[3];                  // the primitive's own numbers (corner, pen size)
    DWORD color;                   // 0xAARRGGBB
};

// Draws on hDC the shape of key whose box is rc (rc's size is key's): from its sprite,
// rasterised first when there is none with rasterise(sprite DC, the box in the sprite).
void DrawCachedShape(HDC hDC, const RECT &rc, const ShapeKey &key,
                     const std::function<void(HDC, const RECT &)> &rasterise);
void FreeShapeCache();
// A top-down 32-bit DIB section of width x height, all zero; its pixels in *bits.
HBITMAP CreateDib32(int width, int height, DWORD **bits);
// Off: every shape is rasterised straight onto its target (for comparisons). On by default.
void SetShapeCacheEnabled(bool enabled);

}  // namespace uilib
