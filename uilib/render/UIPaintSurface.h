// Private to the library: the back buffer of a paint in progress, seen as pixels. Under
// Wine an AlphaBlend costs about 5 us a call and several times a plain copy per pixel, so
// the images and shapes of a paint are blended on the buffer's pixels instead, inside the
// clip that the paint has set on its DC; CRenderClip keeps that clip here too, as
// rectangles. The result is AlphaBlend's own: premultiplied source-over with its rounding.
// Texts drawn before are copied onto it (UITextCache). (Fills stay with GDI, whose string
// instructions outrun a loop here.) Coordinates are the DC's device pixels.
#pragma once

#include <windows.h>

#include <vector>

namespace uilib {

class PaintSurface {
public:
    // Active for hDC until destroyed: hDC's bitmap is bits, a top-down 32-bit DIB of
    // width x height, and its clip is the rectangle clip.
    PaintSurface(HDC hDC, DWORD *bits, int width, int height, const RECT &clip);
    ~PaintSurface();
    PaintSurface(const PaintSurface &) = delete;
    PaintSurface &operator=(const PaintSurface &) = delete;

    // The surface active for hDC on this thread; null when hDC is no back buffer in paint.
    static PaintSurface *Of(HDC hDC);

    // Narrows the clip to its intersection with rects (disjoint, as a region's are), as
    // ExtSelectClipRgn(RGN_AND) narrows the DC's; PopClip returns to the clip before.
    void PushClip(const RECT *rects, size_t count);
    void PopClip();

    // Blends the premultiplied pixels src onto dst; src is the pixel that lands on dst's
    // top-left corner, rows stride pixels apart.
    void Blend(const RECT &dst, const DWORD *src, int stride);
    // Copies them instead.
    void Copy(const RECT &dst, const DWORD *src, int stride);

    // What the pixels of rc inside the clip show: none, one colour (put in color) or more.
    enum Look { kHidden, kUniform, kMixed };
    Look LookAt(const RECT &rc, DWORD &color);

private:
    // Calls rowFn(pixels, row in rc, column in rc, count) for each row of rc inside the clip
    // and the bitmap, after GDI's drawing is done; stops when it returns false.
    template <typename RowFn>
    void ForEachRow(const RECT &rc, RowFn rowFn);

    HDC m_hDC;
    DWORD *m_bits;
    int m_width, m_height;
    std::vector<std::vector<RECT>> m_clips;  // back() is the clip now
    PaintSurface *m_outer;                   // the surface active before this one
};

}  // namespace uilib
