#include "uilib/render/UIPaintSurface.h"

#include <utility>

namespace uilib {

namespace {

thread_local PaintSurface *gActive = nullptr;

// AlphaBlend's source-over of a premultiplied pixel: each channel c + d * (255 - a) / 255,
// rounded as GDI rounds it; two channels at a time, 16 bits apart.
inline DWORD BlendPixel(DWORD dst, DWORD src) {
    const DWORD alpha = src >> 24;
    if (alpha == 0xFF) return src;
    if (src == 0) return dst;
    const DWORD keep = 255 - alpha;
    DWORD rb = (dst & 0x00FF00FF) * keep + 0x007F007F;
    rb = ((rb + 0x00010001 + ((rb >> 8) & 0x00FF00FF)) >> 8) & 0x00FF00FF;
    DWORD ag = ((dst >> 8) & 0x00FF00FF) * keep + 0x007F007F;
    ag = (ag + 0x00010001 + ((ag >> 8) & 0x00FF00FF)) & 0xFF00FF00;
    return src + (rb | ag);
}

}  // namespace

PaintSurface::PaintSurface(HDC hDC, DWORD *bits, int width, int height, const RECT &clip)
    : m_hDC(hDC), m_bits(bits), m_width(width), m_height(height), m_outer(gActive) {
    m_clips.push_back({clip});
    gActive = this;
}

PaintSurface::~PaintSurface() { gActive = m_outer; }

PaintSurface *PaintSurface::Of(HDC hDC) {
    for (PaintSurface *s = gActive; s != nullptr; s = s->m_outer) {
        if (s->m_hDC == hDC) return s;
    }
    return nullptr;
}

void PaintSurface::PushClip(const RECT *rects, size_t count) {
    std::vector<RECT> narrowed;
    for (const RECT &a : m_clips.back()) {
        for (size_t i = 0; i < count; ++i) {
            RECT both;
            if (::IntersectRect(&both, &a, &rects[i])) narrowed.push_back(both);
        }
    }
    m_clips.push_back(std::move(narrowed));
}

void PaintSurface::PopClip() {
    if (m_clips.size() > 1) m_clips.pop_back();
}

void PaintSurface::Blend(const RECT &dst, const DWORD *src, int stride) {
    const RECT bounds = {0, 0, m_width, m_height};
    RECT inside;
    if (!::IntersectRect(&inside, &dst, &bounds)) return;
    ::GdiFlush();  // GDI's own drawing is on the pixels before they are read
    for (const RECT &clip : m_clips.back()) {
        RECT part;
        if (!::IntersectRect(&part, &inside, &clip)) continue;
        const int count = part.right - part.left;
        for (int y = part.top; y < part.bottom; ++y) {
            DWORD *to = m_bits + static_cast<size_t>(y) * m_width + part.left;
            const DWORD *from = src + static_cast<ptrdiff_t>(y - dst.top) * stride + (part.left - dst.left);
            for (int i = 0; i < count; ++i) to[i] = BlendPixel(to[i], from[i]);
        }
    }
}

}  // namespace uilib
