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

// A 32-bit memory bitmap with a background that differs from pixel to pixel.
class Canvas {
public:
    Canvas() {
        m_dc = ::CreateCompatibleDC(nullptr);
        m_bmp = uilib::CreateDib32(kWidth, kHeight, &m_bits);
        m_old = ::SelectObject(m_dc, m_bmp);
        for (int i = 0; i < kWidth * kHeight; ++i) m_bits[i] = 0xFF000000u | (i * 2654435761u >> 8);
    }
    ~Canvas() {
        ::SelectObject(m_dc, m_old);
        ::DeleteObject(m_bmp);
        ::DeleteDC(m_dc);
    }
    HDC dc() const { return m_dc; }
    std::vector<DWORD> Pixels() const {
        ::GdiFlush();
        return std::vector<DWORD>(m_bits, m_bits + kWidth * kHeight);
    }

private:
    HDC m_dc = nullptr;
    HBITMAP m_bmp = nullptr;
    HGDIOBJ m_old = nullptr;
    DWORD *m_bits = nullptr;
};

struct ShapeCase {
    const char *what;
    std::function<void(HDC, const RECT &)> draw;  // through CRenderEngine
    int width, height;
};

const ShapeCase kShapes[] = {
    {"edit fill", [](HDC dc, const RECT &rc) { CRenderEngine::FillRoundRect(dc, rc, 6, 6, 0xFFFFFFFF); }, 200, 30},
    {"edit outline", [](HDC dc, const RECT &rc) { CRenderEngine::DrawRoundRect(dc, rc, 1, 6, 6, 0xFFDDE3F0); }, 200,
     30},
    {"group box outline", [](HDC dc, const RECT &rc) { CRenderEngine::DrawRoundRect(dc, rc, 1, 8, 8, 0xFF3039B4); },
     448, 487},
    {"translucent pill", [](HDC dc, const RECT &rc) { CRenderEngine::FillRoundRect(dc, rc, 20, 20, 0x804877E7); }, 61,
     20},
    {"thick translucent outline",
     [](HDC dc, const RECT &rc) { CRenderEngine::DrawRoundRect(dc, rc, 3, 12, 10, 0x66E5484D); }, 90, 41},
    {"slider thumb", [](HDC dc, const RECT &rc) { CRenderEngine::DrawEllipse(dc, rc, 2, 0xFF3039B4, 0xFFFFFFFF); }, 16,
     16},
    {"translucent ellipse",
     [](HDC dc, const RECT &rc) { CRenderEngine::DrawEllipse(dc, rc, 3, 0x8000FF00, 0x40FF00FF); }, 33, 21},
};

const POINT kPlaces[] = {{0, 0}, {3, 7}, {517, 101}, {613, 127}};

// Draws every shape at every place, the first of them inside a rounded clip.
std::vector<DWORD> DrawAll(const ShapeCase &shape) {
    Canvas canvas;
    bool clipped = false;
    for (const POINT &at : kPlaces) {
        const RECT rc = {at.x, at.y, at.x + shape.width, at.y + shape.height};
        if (!clipped) {
            clipped = true;
            const RECT clip = {at.x + 5, at.y + 3, at.x + shape.width - 2, at.y + shape.height};
            CRenderClip round(canvas.dc(), clip, 9, 9);
            shape.draw(canvas.dc(), rc);
        } else {
            shape.draw(canvas.dc(), rc);
        }
    }
    return canvas.Pixels();
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
