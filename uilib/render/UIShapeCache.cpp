#include "uilib/render/UIShapeCache.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>
#include <vector>

#include "uilib/render/UIPaintSurface.h"

namespace uilib {

namespace {

const int kMargin = 2;               // room around the box for edge pixels that spill out
const size_t kMaxBytes = 16u << 20;  // all sprites together; beyond it the cache starts over

struct KeyLess {
    bool operator()(const ShapeKey &a, const ShapeKey &b) const { return std::memcmp(&a, &b, sizeof(a)) < 0; }
};

// A part of a sprite and how it goes onto the target: copied (every pixel opaque, where a
// blend gives the source itself), filled (opaque and of one colour: a fill costs GDI less
// than a copy) or blended. Fully transparent parts are left out.
struct Piece {
    RECT rc;
    bool opaque;
    bool solid;
    COLORREF color;  // of a solid piece
};

struct Sprite {
    HBITMAP bitmap = nullptr;
    const DWORD *bits = nullptr;  // the bitmap's pixels, rows width apart
    int width = 0;
    size_t bytes = 0;
    std::vector<Piece> pieces;
};

enum PixelClass { kClear, kOpaque, kPartial };

struct Run {
    int x0, x1;
    PixelClass cls;
    bool operator==(const Run &o) const { return x0 == o.x0 && x1 == o.x1 && cls == o.cls; }
};

std::vector<Run> RowRuns(const DWORD *row, int width) {
    std::vector<Run> runs;
    for (int x = 0; x < width; ++x) {
        const BYTE alpha = static_cast<BYTE>(row[x] >> 24);
        const PixelClass cls = row[x] == 0 ? kClear : (alpha == 0xFF ? kOpaque : kPartial);
        if (!runs.empty() && runs.back().cls == cls)
            runs.back().x1 = x + 1;
        else
            runs.push_back({x, x + 1, cls});
    }
    return runs;
}

// Splits a rasterised sprite into pieces: bands of rows with the same runs give one piece
// per run; rows that differ from their neighbours (the rounded ends) are blended together.
std::vector<Piece> SplitSprite(const DWORD *bits, int width, int height) {
    std::vector<Piece> pieces;
    int mixedTop = -1;  // first row of the pending band of differing rows
    auto flushMixed = [&](int end) {
        if (mixedTop >= 0 && end > mixedTop) pieces.push_back({{0, mixedTop, width, end}, false, false, 0});
        mixedTop = -1;
    };
    int y = 0;
    while (y < height) {
        const std::vector<Run> runs = RowRuns(bits + static_cast<size_t>(y) * width, width);
        int end = y + 1;
        while (end < height && RowRuns(bits + static_cast<size_t>(end) * width, width) == runs) ++end;
        if (end - y < 4) {
            if (mixedTop < 0) mixedTop = y;
        } else {
            flushMixed(y);
            for (const Run &run : runs) {
                if (run.cls != kClear) pieces.push_back({{run.x0, y, run.x1, end}, run.cls == kOpaque, false, 0});
            }
        }
        y = end;
    }
    flushMixed(height);
    for (Piece &piece : pieces) {
        if (!piece.opaque) continue;
        const DWORD first = bits[static_cast<size_t>(piece.rc.top) * width + piece.rc.left];
        piece.solid = true;
        for (int py = piece.rc.top; py < piece.rc.bottom && piece.solid; ++py) {
            const DWORD *row = bits + static_cast<size_t>(py) * width;
            piece.solid =
                std::all_of(row + piece.rc.left, row + piece.rc.right, [first](DWORD p) { return p == first; });
        }
        piece.color = RGB((first >> 16) & 0xFF, (first >> 8) & 0xFF, first & 0xFF);
    }
    return pieces;
}

std::mutex gLock;
std::map<ShapeKey, Sprite, KeyLess> gSprites;
size_t gBytes = 0;
HDC gSpriteDC = nullptr;  // holds the sprite being drawn
bool gEnabled = true;

// Where shapes are rasterised: at the very coordinates they have on their target, since
// GDI+ does not give the same pixels for a shape moved by whole pixels. Grows as needed.
struct Scratch {
    HBITMAP bitmap = nullptr;
    DWORD *bits = nullptr;
    int width = 0, height = 0;
} gScratch;

void FreeAllLocked() {
    for (auto &entry : gSprites) ::DeleteObject(entry.second.bitmap);
    gSprites.clear();
    gBytes = 0;
}

bool EnsureScratch(int width, int height) {
    if (gScratch.bitmap != nullptr && gScratch.width >= width && gScratch.height >= height) return true;
    if (gScratch.bitmap != nullptr) ::DeleteObject(gScratch.bitmap);
    gScratch.width = std::max(width, gScratch.width);
    gScratch.height = std::max(height, gScratch.height);
    gScratch.bitmap = CreateDib32(gScratch.width, gScratch.height, &gScratch.bits);
    if (gScratch.bitmap == nullptr) gScratch = Scratch();
    return gScratch.bitmap != nullptr;
}

// The part of the target a shape with box rc may touch.
RECT SpriteArea(const RECT &rc) {
    return {std::max(0L, rc.left - kMargin), std::max(0L, rc.top - kMargin), rc.right + kMargin, rc.bottom + kMargin};
}

// The sprite of key at rc, rasterised now when there is none; null when it cannot be made.
const Sprite *FindOrMake(const ShapeKey &key, const RECT &rc, const std::function<void(HDC, const RECT &)> &rasterise) {
    auto it = gSprites.find(key);
    if (it != gSprites.end()) return &it->second;
    const RECT area = SpriteArea(rc);
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0 || !EnsureScratch(area.right, area.bottom)) return nullptr;
    Sprite sprite;
    DWORD *bits = nullptr;
    sprite.bitmap = CreateDib32(width, height, &bits);
    if (sprite.bitmap == nullptr) return nullptr;
    for (int y = area.top; y < area.bottom; ++y)
        std::memset(gScratch.bits + static_cast<size_t>(y) * gScratch.width + area.left, 0, width * 4u);
    HGDIOBJ old = ::SelectObject(gSpriteDC, gScratch.bitmap);
    rasterise(gSpriteDC, rc);
    ::SelectObject(gSpriteDC, old);
    ::GdiFlush();
    for (int y = 0; y < height; ++y) {
        std::memcpy(bits + static_cast<size_t>(y) * width,
                    gScratch.bits + static_cast<size_t>(area.top + y) * gScratch.width + area.left, width * 4u);
    }
    sprite.bits = bits;
    sprite.width = width;
    sprite.pieces = SplitSprite(bits, width, height);
    sprite.bytes = static_cast<size_t>(width) * height * 4;
    if (gBytes + sprite.bytes > kMaxBytes) FreeAllLocked();
    gBytes += sprite.bytes;
    return &(gSprites[key] = sprite);
}

}  // namespace

void DrawCachedShape(HDC hDC, const RECT &rc, const ShapeKey &key,
                     const std::function<void(HDC, const RECT &)> &rasterise) {
    std::lock_guard<std::mutex> guard(gLock);
    if (gSpriteDC == nullptr) gSpriteDC = ::CreateCompatibleDC(nullptr);
    const Sprite *sprite = gEnabled && gSpriteDC != nullptr ? FindOrMake(key, rc, rasterise) : nullptr;
    if (sprite == nullptr) {
        rasterise(hDC, rc);
        return;
    }
    const RECT area = SpriteArea(rc);
    const int left = area.left, top = area.top;
    HGDIOBJ old = ::SelectObject(gSpriteDC, sprite->bitmap);
    const BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    PaintSurface *surface = PaintSurface::Of(hDC);
    for (const Piece &piece : sprite->pieces) {
        const RECT &p = piece.rc;
        const int w = p.right - p.left, h = p.bottom - p.top;
        if (piece.solid) {
            const RECT to = {left + p.left, top + p.top, left + p.right, top + p.bottom};
            const COLORREF was = ::SetDCBrushColor(hDC, piece.color);
            ::FillRect(hDC, &to, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
            ::SetDCBrushColor(hDC, was);
        } else if (piece.opaque) {
            ::BitBlt(hDC, left + p.left, top + p.top, w, h, gSpriteDC, p.left, p.top, SRCCOPY);
        } else if (surface != nullptr) {
            surface->Blend({left + p.left, top + p.top, left + p.right, top + p.bottom},
                           sprite->bits + static_cast<size_t>(p.top) * sprite->width + p.left, sprite->width);
        } else {
            ::AlphaBlend(hDC, left + p.left, top + p.top, w, h, gSpriteDC, p.left, p.top, w, h, blend);
        }
    }
    ::SelectObject(gSpriteDC, old);
}

HBITMAP CreateDib32(int width, int height, DWORD **bits) {
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = width;
    bmi.bmiHeader.biHeight = -height;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    return ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, reinterpret_cast<void **>(bits), nullptr, 0);
}

void SetShapeCacheEnabled(bool enabled) {
    std::lock_guard<std::mutex> guard(gLock);
    gEnabled = enabled;
}

void FreeShapeCache() {
    std::lock_guard<std::mutex> guard(gLock);
    FreeAllLocked();
    if (gScratch.bitmap != nullptr) ::DeleteObject(gScratch.bitmap);
    gScratch = Scratch();
    if (gSpriteDC != nullptr) ::DeleteDC(gSpriteDC);
    gSpriteDC = nullptr;
}

}  // namespace uilib
