// Rounded shapes are rasterised once and blended from a sprite afterwards: the pixels must
// be exactly those of drawing the shape straight onto the target, wherever it lands, over
// any background and inside a clip. If this fails, windows change looks after their first
// paint, or edges and translucent fills come out wrong.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "uilib/UIlib.h"
#include "uilib/render/UIShapeCache.h"

namespace {

const int kWidth = 1100, kHeight = 620;

struct ShapeCase {
    const char *what;
    std::function<void(HDC, const RECT &)> draw;  // through CRenderEngine
    int width, height;
};

const ShapeCase kShapes[] = {
    {"edit outline", [](HDC dc, const RECT &rc) { CRenderEngine::DrawRoundRect(dc, rc, 1, 6, 6, 0xFFDDE3F0); }, 200,
     30},
    {"translucent pill", [](HDC dc, const RECT &rc) { CRenderEngine::FillRoundRect(dc, rc, 20, 20, 0x804877E7); }, 61,
     20},
    {"thick translucent outline",
     [](HDC dc, const RECT &rc) { CRenderEngine::DrawRoundRect(dc, rc, 3, 12, 10, 0x66E5484D); }, 90, 41},
    {"translucent ellipse",
     [](HDC dc, const RECT &rc) { CRenderEngine::DrawEllipse(dc, rc, 3, 0x8000FF00, 0x40FF00FF); }, 33, 21},
};

const POINT kPlaces[] = {{0, 0}, {3, 7}, {517, 101}, {613, 127}};

// Draws the shape at every place over a background that differs from pixel to pixel, the
// first of them inside a rounded clip.
std::vector<DWORD> DrawAll(const ShapeCase &shape) {
    DWORD *bits = nullptr;
    HDC dc = ::CreateCompatibleDC(nullptr);
    HBITMAP bmp = uilib::CreateDib32(kWidth, kHeight, &bits);
    HGDIOBJ old = ::SelectObject(dc, bmp);
    for (int i = 0; i < kWidth * kHeight; ++i) bits[i] = 0xFF000000u | (i * 2654435761u >> 8);
    for (const POINT &at : kPlaces) {
        const RECT rc = {at.x, at.y, at.x + shape.width, at.y + shape.height};
        if (at.x == kPlaces[0].x) {
            CRenderClip round(dc, {at.x + 5, at.y + 3, at.x + shape.width - 2, at.y + shape.height}, 9, 9);
            shape.draw(dc, rc);
        } else {
            shape.draw(dc, rc);
        }
    }
    ::GdiFlush();
    std::vector<DWORD> pixels(bits, bits + kWidth * kHeight);
    ::SelectObject(dc, old);
    ::DeleteObject(bmp);
    ::DeleteDC(dc);
    return pixels;
}

}  // namespace

TEST(ShapeCache, BlendedShapesAreThePixelsOfDirectDrawing) {
    for (const ShapeCase &shape : kShapes) {
        SCOPED_TRACE(shape.what);
        uilib::SetShapeCacheEnabled(false);
        const std::vector<DWORD> direct = DrawAll(shape);
        uilib::SetShapeCacheEnabled(true);
        uilib::FreeShapeCache();
        const std::vector<DWORD> cached = DrawAll(shape);  // the first place rasterises, the others blend
        size_t differing = 0, first = 0;
        for (size_t i = 0; i < direct.size(); ++i) {
            if (direct[i] != cached[i] && differing++ == 0) first = i;
        }
        EXPECT_EQ(differing, 0u) << "first at " << first % kWidth << "," << first / kWidth << ": " << std::hex
                                 << direct[first] << " drawn, " << cached[first] << " blended";
    }
}
