#include "uilib/render/UIPaintSurface.h"

#include <algorithm>
#include <cstring>
#include <utility>

#if defined(__i386__) || defined(__x86_64__) || defined(_M_IX86) || defined(_M_X64)
#include <emmintrin.h>
#define UILIB_HAS_SSE2_PATH 1
#if defined(__GNUC__)
#define UILIB_SSE2 __attribute__((target("sse2")))
#else
#define UILIB_SSE2
#endif
#endif

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

void BlendRowPlain(DWORD *to, const DWORD *from, int count) {
    for (int i = 0; i < count; ++i) to[i] = BlendPixel(to[i], from[i]);
}

#if UILIB_HAS_SSE2_PATH
// BlendPixel on two pixels widened to 16-bit lanes: the same sums (255 * 255 + 0x7F + 1 +
// 0xFE still fits in a lane).
UILIB_SSE2 inline __m128i KeptPart(__m128i dst16, __m128i src16) {
    const __m128i alpha = _mm_shufflehi_epi16(_mm_shufflelo_epi16(src16, 0xFF), 0xFF);
    const __m128i t =
        _mm_add_epi16(_mm_mullo_epi16(dst16, _mm_sub_epi16(_mm_set1_epi16(255), alpha)), _mm_set1_epi16(0x7F));
    return _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(t, _mm_set1_epi16(1)), _mm_srli_epi16(t, 8)), 8);
}

// BlendPixel four pixels at a time, with the same final 32-bit add of the source.
UILIB_SSE2 void BlendRowSse2(DWORD *to, const DWORD *from, int count) {
    const __m128i zero = _mm_setzero_si128(), opaque = _mm_set1_epi32(static_cast<int>(0xFF000000));
    int i = 0;
    for (; i + 4 <= count; i += 4) {
        const __m128i src = _mm_loadu_si128(reinterpret_cast<const __m128i *>(from + i));
        if (_mm_movemask_epi8(_mm_cmpeq_epi32(src, zero)) == 0xFFFF) continue;
        __m128i *out = reinterpret_cast<__m128i *>(to + i);
        if (_mm_movemask_epi8(_mm_cmpeq_epi32(_mm_and_si128(src, opaque), opaque)) == 0xFFFF) {
            _mm_storeu_si128(out, src);
            continue;
        }
        const __m128i dst = _mm_loadu_si128(out);
        const __m128i low = KeptPart(_mm_unpacklo_epi8(dst, zero), _mm_unpacklo_epi8(src, zero));
        const __m128i high = KeptPart(_mm_unpackhi_epi8(dst, zero), _mm_unpackhi_epi8(src, zero));
        _mm_storeu_si128(out, _mm_add_epi32(src, _mm_packus_epi16(low, high)));
    }
    BlendRowPlain(to + i, from + i, count - i);
}

const bool gHasSse2 = ::IsProcessorFeaturePresent(PF_XMMI64_INSTRUCTIONS_AVAILABLE) != FALSE;
#endif

bool IsRowOfPlain(const DWORD *row, int count, DWORD color) {
    return std::all_of(row, row + count, [color](DWORD p) { return p == color; });
}

#if UILIB_HAS_SSE2_PATH
UILIB_SSE2 bool IsRowOfSse2(const DWORD *row, int count, DWORD color) {
    const __m128i wanted = _mm_set1_epi32(static_cast<int>(color));
    __m128i same = _mm_cmpeq_epi32(wanted, wanted);
    int i = 0;
    for (; i + 4 <= count; i += 4)
        same =
            _mm_and_si128(same, _mm_cmpeq_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i *>(row + i)), wanted));
    return _mm_movemask_epi8(same) == 0xFFFF && IsRowOfPlain(row + i, count - i, color);
}
#endif

// Whether each of count pixels is color.
bool IsRowOf(const DWORD *row, int count, DWORD color) {
#if UILIB_HAS_SSE2_PATH
    if (gHasSse2) return IsRowOfSse2(row, count, color);
#endif
    return IsRowOfPlain(row, count, color);
}

void BlendRow(DWORD *to, const DWORD *from, int count) {
#if UILIB_HAS_SSE2_PATH
    if (gHasSse2) return BlendRowSse2(to, from, count);
#endif
    BlendRowPlain(to, from, count);
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

template <typename RowFn>
void PaintSurface::ForEachRow(const RECT &rc, RowFn rowFn) {
    const RECT bounds = {0, 0, m_width, m_height};
    RECT inside;
    if (!::IntersectRect(&inside, &rc, &bounds)) return;
    ::GdiFlush();  // GDI's own drawing is on the pixels before they are read
    for (const RECT &clip : m_clips.back()) {
        RECT part;
        if (!::IntersectRect(&part, &inside, &clip)) continue;
        for (int y = part.top; y < part.bottom; ++y) {
            if (!rowFn(m_bits + static_cast<size_t>(y) * m_width + part.left, y - rc.top, part.left - rc.left,
                       part.right - part.left))
                return;
        }
    }
}

void PaintSurface::Blend(const RECT &dst, const DWORD *src, int stride) {
    ForEachRow(dst, [&](DWORD *to, int y, int x, int count) {
        BlendRow(to, src + static_cast<ptrdiff_t>(y) * stride + x, count);
        return true;
    });
}

void PaintSurface::Copy(const RECT &dst, const DWORD *src, int stride) {
    ForEachRow(dst, [&](DWORD *to, int y, int x, int count) {
        std::memcpy(to, src + static_cast<ptrdiff_t>(y) * stride + x, count * sizeof(DWORD));
        return true;
    });
}

PaintSurface::Look PaintSurface::LookAt(const RECT &rc, DWORD &color) {
    Look look = kHidden;
    ForEachRow(rc, [&](DWORD *row, int, int, int count) {
        if (look == kHidden) color = row[0];
        look = IsRowOf(row, count, color) ? kUniform : kMixed;
        return look == kUniform;
    });
    return look;
}

}  // namespace uilib
