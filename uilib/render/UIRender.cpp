// Drawing primitives: opaque colours through GDI, translucent and anti-aliased shapes
// through GDI+, text through DrawTextW (or its placement of one line) with the paint
// manager's fonts.
#include "uilib/render/UIRender.h"

#include <mutex>
#include <vector>

#include "uilib/core/UIManager.h"
#include "uilib/render/UIGdiplus.h"
#include "uilib/render/UIPaintSurface.h"
#include "uilib/render/UIShapeCache.h"
#include "uilib/render/UITextCache.h"
#include "uilib/render/UITextLine.h"

namespace uilib {

namespace {
std::once_flag gGdiplusOnce;
ULONG_PTR gGdiplusToken = 0;
bool gGdiplusStarted = false;
}  // namespace

void EnsureGdiplus() {
    std::call_once(gGdiplusOnce, [] {
        Gdiplus::GdiplusStartupInput input;
        gGdiplusStarted = Gdiplus::GdiplusStartup(&gGdiplusToken, &input, nullptr) == Gdiplus::Ok;
    });
}

void ShutdownGdiplus() {
    // GDI+ is started once per process; after shutdown it stays off (Term ends the run).
    FreeShapeCache();
    FreeTextCache();
    if (gGdiplusStarted) {
        Gdiplus::GdiplusShutdown(gGdiplusToken);
        gGdiplusStarted = false;
    }
}

}  // namespace uilib

namespace {

COLORREF ToColorRef(DWORD argb) { return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF); }

Gdiplus::Color ToGdipColor(DWORD argb) {
    return Gdiplus::Color(static_cast<BYTE>(argb >> 24), static_cast<BYTE>(argb >> 16), static_cast<BYTE>(argb >> 8),
                          static_cast<BYTE>(argb));
}

// GDI+ centres pixel i on the coordinate i (its default offset mode, the one Wine and
// Windows agree on): a 1-pixel pen on column i is drawn at i, and a fill that covers
// pixels l..r-1 exactly spans l - 0.5 .. r - 0.5 (kFillShift).
const Gdiplus::REAL kFillShift = -0.5f;

// The area a fill of rc's pixels covers.
Gdiplus::RectF FillArea(const RECT &rc) {
    return Gdiplus::RectF(rc.left + kFillShift, rc.top + kFillShift, static_cast<Gdiplus::REAL>(rc.right - rc.left),
                          static_cast<Gdiplus::REAL>(rc.bottom - rc.top));
}

void Prepare(Gdiplus::Graphics &g, bool antiAlias) {
    if (antiAlias) g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
}

bool IsEmpty(const RECT &rc) { return rc.right <= rc.left || rc.bottom <= rc.top; }

// A rounded rectangle path inside (x, y, w, h) with corner ellipse cx x cy.
void AddRoundRect(Gdiplus::GraphicsPath &path, Gdiplus::REAL x, Gdiplus::REAL y, Gdiplus::REAL w, Gdiplus::REAL h,
                  Gdiplus::REAL cx, Gdiplus::REAL cy) {
    if (cx > w) cx = w;
    if (cy > h) cy = h;
    if (cx <= 0 || cy <= 0) {
        path.AddRectangle(Gdiplus::RectF(x, y, w, h));
        return;
    }
    path.AddArc(x, y, cx, cy, 180, 90);
    path.AddArc(x + w - cx, y, cx, cy, 270, 90);
    path.AddArc(x + w - cx, y + h - cy, cx, cy, 0, 90);
    path.AddArc(x, y + h - cy, cx, cy, 90, 90);
    path.CloseFigure();
}

}  // namespace

void CRenderEngine::DrawColor(HDC hDC, const RECT &rc, DWORD color) {
    if ((color >> 24) == 0 || IsEmpty(rc)) return;
    if ((color >> 24) == 0xFF) {
        // The DC's own brush: no brush object made and freed for every fill of a paint.
        const COLORREF old = ::SetDCBrushColor(hDC, ToColorRef(color));
        ::FillRect(hDC, &rc, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
        ::SetDCBrushColor(hDC, old);
        return;
    }
    uilib::EnsureGdiplus();
    Gdiplus::Graphics g(hDC);
    Prepare(g, false);
    Gdiplus::SolidBrush brush(ToGdipColor(color));
    g.FillRectangle(&brush, FillArea(rc));
}

void CRenderEngine::DrawGradient(HDC hDC, const RECT &rc, DWORD dwFirst, DWORD dwSecond, bool bVertical) {
    if (IsEmpty(rc)) return;
    uilib::EnsureGdiplus();
    Gdiplus::Graphics g(hDC);
    Prepare(g, false);
    const Gdiplus::RectF r = FillArea(rc);
    // The brush rectangle is one pixel larger so the last row does not wrap to the first colour.
    Gdiplus::RectF brushRect(r.X - 1, r.Y - 1, r.Width + 2, r.Height + 2);
    Gdiplus::LinearGradientBrush brush(brushRect, ToGdipColor(dwFirst), ToGdipColor(dwSecond),
                                       bVertical ? Gdiplus::LinearGradientModeVertical
                                                 : Gdiplus::LinearGradientModeHorizontal);
    g.FillRectangle(&brush, r);
}

void CRenderEngine::DrawLine(HDC hDC, const RECT &rc, int nSize, DWORD dwPenColor) {
    if ((dwPenColor >> 24) == 0 || nSize <= 0) return;
    uilib::EnsureGdiplus();
    Gdiplus::Graphics g(hDC);
    const bool axisAligned = rc.left == rc.right || rc.top == rc.bottom;
    Prepare(g, !axisAligned);
    // An odd-width pen on pixel centres stays on whole pixels; an even one between them.
    Gdiplus::REAL shift = (nSize % 2) != 0 ? 0.0f : kFillShift;
    Gdiplus::Pen pen(ToGdipColor(dwPenColor), static_cast<Gdiplus::REAL>(nSize));
    g.DrawLine(&pen, rc.left + shift, rc.top + shift, rc.right + shift, rc.bottom + shift);
}

void CRenderEngine::DrawRect(HDC hDC, const RECT &rc, int nSize, DWORD dwPenColor) {
    if ((dwPenColor >> 24) == 0 || nSize <= 0 || IsEmpty(rc)) return;
    // Four filled bands: exact pixels, no half-pixel pen offsets.
    RECT top = {rc.left, rc.top, rc.right, rc.top + nSize};
    RECT bottom = {rc.left, rc.bottom - nSize, rc.right, rc.bottom};
    RECT left = {rc.left, rc.top + nSize, rc.left + nSize, rc.bottom - nSize};
    RECT right = {rc.right - nSize, rc.top + nSize, rc.right, rc.bottom - nSize};
    DrawColor(hDC, top, dwPenColor);
    DrawColor(hDC, bottom, dwPenColor);
    DrawColor(hDC, left, dwPenColor);
    DrawColor(hDC, right, dwPenColor);
}

namespace {

enum ShapeKind { kRoundRectOutline = 1, kRoundRectFill, kEllipseFill, kEllipseOutline };

uilib::ShapeKey MakeKey(ShapeKind kind, const RECT &rc, int a, int b, int c, DWORD color) {
    return {kind, rc.left, rc.top, rc.right, rc.bottom, {a, b, c}, color};
}

void RasteriseRoundRect(HDC hDC, const RECT &rc, int nSize, int width, int height, DWORD dwPenColor) {
    uilib::EnsureGdiplus();
    Gdiplus::Graphics g(hDC);
    Prepare(g, true);
    Gdiplus::Pen pen(ToGdipColor(dwPenColor), static_cast<Gdiplus::REAL>(nSize));
    Gdiplus::GraphicsPath path;
    // The pen's outer edge on the control's outer pixels.
    Gdiplus::REAL inset = nSize / 2.0f + kFillShift;
    AddRoundRect(path, rc.left + inset, rc.top + inset, rc.right - rc.left - nSize, rc.bottom - rc.top - nSize,
                 static_cast<Gdiplus::REAL>(width), static_cast<Gdiplus::REAL>(height));
    g.DrawPath(&pen, &path);
}

void RasteriseRoundRectFill(HDC hDC, const RECT &rc, int width, int height, DWORD color) {
    uilib::EnsureGdiplus();
    Gdiplus::Graphics g(hDC);
    Prepare(g, true);
    Gdiplus::SolidBrush brush(ToGdipColor(color));
    Gdiplus::GraphicsPath path;
    const Gdiplus::RectF area = FillArea(rc);
    AddRoundRect(path, area.X, area.Y, area.Width, area.Height, static_cast<Gdiplus::REAL>(width),
                 static_cast<Gdiplus::REAL>(height));
    g.FillPath(&brush, &path);
}

void RasteriseEllipseFill(HDC hDC, const RECT &rc, DWORD dwFill) {
    uilib::EnsureGdiplus();
    Gdiplus::Graphics g(hDC);
    Prepare(g, true);
    Gdiplus::SolidBrush brush(ToGdipColor(dwFill));
    g.FillEllipse(&brush, FillArea(rc));
}

void RasteriseEllipseOutline(HDC hDC, const RECT &rc, int nSize, DWORD dwPenColor) {
    uilib::EnsureGdiplus();
    Gdiplus::Graphics g(hDC);
    Prepare(g, true);
    Gdiplus::RectF r = FillArea(rc);
    Gdiplus::Pen pen(ToGdipColor(dwPenColor), static_cast<Gdiplus::REAL>(nSize));
    Gdiplus::REAL half = nSize / 2.0f;
    r.Inflate(-half, -half);
    g.DrawEllipse(&pen, r);
}

}  // namespace

void CRenderEngine::DrawRoundRect(HDC hDC, const RECT &rc, int nSize, int width, int height, DWORD dwPenColor) {
    if ((dwPenColor >> 24) == 0 || nSize <= 0 || IsEmpty(rc)) return;
    uilib::DrawCachedShape(
        hDC, rc, MakeKey(kRoundRectOutline, rc, nSize, width, height, dwPenColor),
        [&](HDC dc, const RECT &box) { RasteriseRoundRect(dc, box, nSize, width, height, dwPenColor); });
}

void CRenderEngine::FillRoundRect(HDC hDC, const RECT &rc, int width, int height, DWORD color) {
    if ((color >> 24) == 0 || IsEmpty(rc)) return;
    if (width <= 0 && height <= 0) {
        DrawColor(hDC, rc, color);
        return;
    }
    uilib::DrawCachedShape(hDC, rc, MakeKey(kRoundRectFill, rc, width, height, 0, color),
                           [&](HDC dc, const RECT &box) { RasteriseRoundRectFill(dc, box, width, height, color); });
}

void CRenderEngine::DrawEllipse(HDC hDC, const RECT &rc, int nSize, DWORD dwPenColor, DWORD dwFill) {
    if (IsEmpty(rc)) return;
    // Fill and outline are separate sprites: each is one layer, which blends exactly.
    if ((dwFill >> 24) != 0) {
        uilib::DrawCachedShape(hDC, rc, MakeKey(kEllipseFill, rc, 0, 0, 0, dwFill),
                               [&](HDC dc, const RECT &box) { RasteriseEllipseFill(dc, box, dwFill); });
    }
    if ((dwPenColor >> 24) != 0 && nSize > 0) {
        uilib::DrawCachedShape(hDC, rc, MakeKey(kEllipseOutline, rc, nSize, 0, 0, dwPenColor),
                               [&](HDC dc, const RECT &box) { RasteriseEllipseOutline(dc, box, nSize, dwPenColor); });
    }
}

void CRenderEngine::DrawText(HDC hDC, CPaintManagerUI *pManager, RECT &rc, LPCTSTR pstrText, DWORD dwTextColor,
                             int iFont, UINT uStyle) {
    if (pstrText == nullptr || pstrText[0] == L'\0') return;
    HFONT font = pManager != nullptr ? pManager->GetFont(iFont) : nullptr;
    if (font == nullptr) font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    if (uilib::DrawCachedText(hDC, font, ToColorRef(dwTextColor), rc, pstrText, uStyle | DT_NOPREFIX)) return;
    HGDIOBJ oldFont = ::SelectObject(hDC, font);
    int oldMode = ::SetBkMode(hDC, TRANSPARENT);
    COLORREF oldColor = ::SetTextColor(hDC, ToColorRef(dwTextColor));
    if (!uilib::DrawTextLine(hDC, rc, pstrText, uStyle | DT_NOPREFIX))
        ::DrawTextW(hDC, pstrText, -1, &rc, uStyle | DT_NOPREFIX);
    ::SetTextColor(hDC, oldColor);
    ::SetBkMode(hDC, oldMode);
    ::SelectObject(hDC, oldFont);
}

SIZE CRenderEngine::GetTextSize(HDC hDC, CPaintManagerUI *pManager, LPCTSTR pstrText, int iFont, UINT uStyle) {
    SIZE size = {0, 0};
    if (pstrText == nullptr) return size;
    HFONT font = pManager != nullptr ? pManager->GetFont(iFont) : nullptr;
    if (font == nullptr) font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    HDC dc = hDC;
    if (dc == nullptr) dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ oldFont = ::SelectObject(dc, font);
    RECT rc = {0, 0, 9999, 9999};
    if (pstrText[0] == L'\0') {
        TEXTMETRICW tm = {};
        ::GetTextMetricsW(dc, &tm);
        size.cy = tm.tmHeight;
    } else {
        ::DrawTextW(dc, pstrText, -1, &rc,
                    (uStyle & ~(DT_VCENTER | DT_BOTTOM | DT_CENTER | DT_RIGHT)) | DT_CALCRECT | DT_NOPREFIX);
        size.cx = rc.right - rc.left;
        size.cy = rc.bottom - rc.top;
    }
    ::SelectObject(dc, oldFont);
    if (hDC == nullptr) ::DeleteDC(dc);
    return size;
}

CRenderClip::CRenderClip(HDC hDC, const RECT &rc, int roundX, int roundY)
    : m_hDC(hDC), m_surface(uilib::PaintSurface::Of(hDC)) {
    m_hOldRgn = ::CreateRectRgn(0, 0, 0, 0);
    if (::GetClipRgn(hDC, m_hOldRgn) != 1) {
        ::DeleteObject(m_hOldRgn);
        m_hOldRgn = nullptr;
    }
    if (roundX > 0 || roundY > 0)
        m_hRgn = ::CreateRoundRectRgn(rc.left, rc.top, rc.right + 1, rc.bottom + 1, roundX, roundY);
    else
        m_hRgn = ::CreateRectRgnIndirect(&rc);
    ::ExtSelectClipRgn(hDC, m_hRgn, RGN_AND);
    if (m_surface == nullptr) return;
    if (roundX <= 0 && roundY <= 0) {
        m_surface->PushClip(&rc, 1);
        return;
    }
    const DWORD size = ::GetRegionData(m_hRgn, 0, nullptr);
    std::vector<char> buffer(size);
    auto *data = reinterpret_cast<RGNDATA *>(buffer.data());
    if (size == 0 || ::GetRegionData(m_hRgn, size, data) != size) {
        m_surface->PushClip(&rc, 1);
        return;
    }
    m_surface->PushClip(reinterpret_cast<const RECT *>(data->Buffer), data->rdh.nCount);
}

CRenderClip::~CRenderClip() {
    if (m_surface != nullptr) m_surface->PopClip();
    ::SelectClipRgn(m_hDC, m_hOldRgn);
    if (m_hOldRgn != nullptr) ::DeleteObject(m_hOldRgn);
    ::DeleteObject(m_hRgn);
}
