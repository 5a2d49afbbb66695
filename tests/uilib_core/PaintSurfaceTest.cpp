// The paint surface's blends give AlphaBlend's own pixels inside the same nested and
// rounded clips; a fault here changes every image and rounded shape of every window.
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/uilib_core/TestWindow.h"
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

}  // namespace
