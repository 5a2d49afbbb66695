// The paint surface's blends give AlphaBlend's own pixels inside the same nested and
// rounded clips; a fault here changes every image and rounded shape of every window.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include "tests/uilib_core/TestWindow.h"
#include "uilib/render/UIPaintAhead.h"
#include "uilib/render/UIPaintSurface.h"
#include "uilib/render/UIRender.h"

namespace {

const int kSize = 64;

TEST(PaintSurface, BlendsAsGdiDoesInsideTheClip) {
    uitest::Dib source(kSize, kSize), viaGdi(kSize, kSize), viaSurface(kSize, kSize);
    std::srand(7);
    for (int i = 0; i < kSize * kSize; ++i) {
        const DWORD alpha = i % 5 == 0 ? 0xFF : (i % 7 == 0 ? 0 : std::rand() & 0xFF);
        DWORD pixel = alpha << 24;
        for (int shift = 0; shift < 24; shift += 8) pixel |= (std::rand() % (alpha + 1)) << shift;  // premultiplied
        source.bits[i] = pixel;
        viaGdi.bits[i] = viaSurface.bits[i] = static_cast<DWORD>(std::rand()) * 2654435761u;
    }
    const RECT all = {0, 0, kSize, kSize}, shape = {10, 2, 60, 50};
    const BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    auto paint = [&](HDC dc, uilib::PaintSurface *surface) {
        CRenderClip outer(dc, {2, 0, 62, 62});
        CRenderClip round(dc, shape, 12, 12);
        if (surface != nullptr)
            surface->Blend(shape, source.bits, kSize);
        else
            ::AlphaBlend(dc, shape.left, shape.top, 50, 48, source.dc, 0, 0, 50, 48, blend);
    };
    paint(viaGdi.dc, nullptr);
    {
        uilib::PaintSurface surface(viaSurface.dc, viaSurface.bits, kSize, kSize, all);
        paint(viaSurface.dc, &surface);
    }
    ::GdiFlush();
    int differing = 0;
    for (int i = 0; i < kSize * kSize; ++i) differing += viaGdi.bits[i] != viaSurface.bits[i];
    EXPECT_EQ(differing, 0);
}

// A text drawn again gives the pixels of drawing it afresh: on the colour it was drawn on
// before or a new one, in a rounded clip, on two colours (drawn afresh), on many lines.
TEST(PaintSurface, TextsDrawnAgainGiveTheirOwnPixels) {
    const struct {
        const wchar_t *text;
        UINT style;
        RECT rc;
        DWORD color, before, now;  // the text's; the background of the first two paints, of the last
        bool striped;              // odd rows of the background one off
    } kCases[] = {
        {L"OK 确定", DT_SINGLELINE | DT_VCENTER | DT_CENTER, {4, 4, 60, 30}, ~0u, 0xFF4877E7, 0xFF4877E7, false},
        {L"Notes 备注", DT_SINGLELINE | DT_END_ELLIPSIS, {0, 20, 50, 40}, 0xFF1F2A44, ~0u, 0x00F3F5FA, false},
        {L"Two\nlines", DT_WORDBREAK, {10, 30, 64, 64}, 0xFF1F2A44, ~0u, ~0u, true},
    };
    for (const auto &c : kCases) {
        uitest::Dib cached(kSize, kSize), fresh(kSize, kSize);
        auto paint = [&](uitest::Dib &dib, DWORD under, bool onSurface) {
            for (int i = 0; i < kSize * kSize; ++i) dib.bits[i] = under ^ (c.striped && (i / kSize) % 2 != 0);
            std::optional<uilib::PaintSurface> surface;
            if (onSurface) surface.emplace(dib.dc, dib.bits, kSize, kSize, RECT{0, 0, kSize, kSize});
            CRenderClip round(dib.dc, {2, 2, kSize, kSize}, 16, 16);
            RECT rc = c.rc;
            CRenderEngine::DrawText(dib.dc, nullptr, rc, c.text, c.color, -1, c.style);
            ::GdiFlush();
        };
        paint(fresh, c.now, false);
        for (DWORD under : {c.before, c.before, c.now}) paint(cached, under, true);
        int differing = 0;
        for (int i = 0; i < kSize * kSize; ++i) differing += cached.bits[i] != fresh.bits[i];
        EXPECT_EQ(differing, 0) << c.style;
    }
}

// A back buffer made ahead goes once, and only to a window of its size. If this fails, a
// window paints through a buffer of another size.
TEST(PaintSurface, APreparedBackBufferGoesOnceToItsSize) {
    uilib::PrepareBackBuffer(30, 20);
    DWORD *bits = nullptr;
    EXPECT_EQ(uilib::TakePreparedBackBuffer(20, 30, &bits), nullptr);
    const HBITMAP taken = uilib::TakePreparedBackBuffer(30, 20, &bits);
    ASSERT_NE(taken, nullptr);
    EXPECT_EQ(bits[30 * 20 - 1], 0u);
    EXPECT_EQ(uilib::TakePreparedBackBuffer(30, 20, &bits), nullptr);
    ::DeleteObject(taken);
    // Asked for before it was made: the window made its own, and this one is not kept.
    EXPECT_EQ(uilib::TakePreparedBackBuffer(40, 10, &bits), nullptr);
    uilib::PrepareBackBuffer(40, 10);
    EXPECT_EQ(uilib::TakePreparedBackBuffer(40, 10, &bits), nullptr);
}

}  // namespace
