// CRenderEngine: every drawing the controls do goes through here (GDI and GDI+ stay
// behind it). Colours are 0xAARRGGBB. Image strings are either a file name or a list of
// key='value' pairs: file, source='l,t,r,b', corner='l,t,r,b' (nine-grid), dest='l,t,r,b'
// (relative to the control), fade='0..255'.
#pragma once

#include "uilib/core/UIDefine.h"

struct TImageInfo;
namespace uilib {
class PaintSurface;
}

class CRenderEngine {
public:
    // Loads an image (8-bit RGB/RGBA PNGs by the library's own reader, any other PNG, BMP
    // or JPEG through GDI+) into a premultiplied 32-bit DIB for a window at dpi; null on
    // failure. Above 120 DPI the "@2x" companion (name@2x.png) is used when it
    // exists; the bitmap is resampled (bicubic) to the image's skin size scaled to dpi.
    static TImageInfo *LoadImage(const CDuiString &path, int dpi);
    static void FreeImage(TImageInfo *image);

    static void DrawColor(HDC hDC, const RECT &rc, DWORD color);
    static void DrawGradient(HDC hDC, const RECT &rc, DWORD dwFirst, DWORD dwSecond, bool bVertical);
    static void DrawLine(HDC hDC, const RECT &rc, int nSize, DWORD dwPenColor);
    static void DrawRect(HDC hDC, const RECT &rc, int nSize, DWORD dwPenColor);
    static void DrawRoundRect(HDC hDC, const RECT &rc, int nSize, int width, int height, DWORD dwPenColor);
    static void FillRoundRect(HDC hDC, const RECT &rc, int width, int height, DWORD color);
    static void DrawEllipse(HDC hDC, const RECT &rc, int nSize, DWORD dwPenColor, DWORD dwFill);
    // uStyle: DT_* flags. iFont: paint manager font id (-1 default).
    static void DrawText(HDC hDC, CPaintManagerUI *pManager, RECT &rc, LPCTSTR pstrText, DWORD dwTextColor, int iFont,
                         UINT uStyle);
    static SIZE GetTextSize(HDC hDC, CPaintManagerUI *pManager, LPCTSTR pstrText, int iFont, UINT uStyle);
    // Draws an image string inside rcItem, clipped to rcPaint; false when it cannot.
    static bool DrawImageString(HDC hDC, CPaintManagerUI *pManager, const RECT &rcItem, const RECT &rcPaint,
                                LPCTSTR pStrImage, LPCTSTR pStrModify = nullptr);
};

// Clips drawing to a rectangle (optionally rounded) for its lifetime.
class CRenderClip {
public:
    CRenderClip(HDC hDC, const RECT &rc, int roundX = 0, int roundY = 0);
    ~CRenderClip();
private:
    HDC m_hDC;
    HRGN m_hOldRgn;
    HRGN m_hRgn;
    uilib::PaintSurface *m_surface;  // the paint's pixels, whose clip follows the DC's
};

// Parses "#AARRGGBB", "#RRGGBB" (opaque) or "0xAARRGGBB"; 0 when malformed.
DWORD ParseColor(LPCTSTR pstrValue);
// Parses "l,t,r,b" into rc; false when malformed (rc untouched).
bool ParseRect(LPCTSTR pstrValue, RECT &rc);
// Parses "cx,cy".
bool ParseSize(LPCTSTR pstrValue, SIZE &sz);
