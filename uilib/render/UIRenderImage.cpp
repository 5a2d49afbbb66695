// Images: loaded through GDI+ into premultiplied 32-bit DIBs, drawn with AlphaBlend;
// image strings carry the file and optional source, nine-grid corner, dest and fade.
#include "uilib/render/UIRender.h"

#include <cstring>

#include "uilib/core/UIManager.h"
#include "uilib/core/UIStats.h"
#include "uilib/render/UIGdiplus.h"

namespace {

struct ImageDrawSpec {
    CDuiString file;
    RECT source = {0, 0, 0, 0};
    bool hasSource = false;
    RECT corner = {0, 0, 0, 0};
    RECT dest = {0, 0, 0, 0};
    bool hasDest = false;
    BYTE fade = 255;
};

// Applies "key='value' ..." pairs (or a bare file name) to spec.
void ParseImageString(LPCTSTR text, ImageDrawSpec &spec) {
    if (text == nullptr || text[0] == L'\0') return;
    if (wcschr(text, L'=') == nullptr) {
        spec.file = text;
        return;
    }
    const wchar_t *p = text;
    while (*p != L'\0') {
        while (*p == L' ' || *p == L'\t' || *p == L'\r' || *p == L'\n') ++p;
        if (*p == L'\0') break;
        CDuiString key;
        while (*p != L'\0' && *p != L'=' && *p != L' ') key += *p++;
        while (*p == L' ') ++p;
        if (*p != L'=') break;
        ++p;
        while (*p == L' ') ++p;
        wchar_t quote = *p;
        if (quote != L'\'' && quote != L'"') break;
        ++p;
        CDuiString value;
        while (*p != L'\0' && *p != quote) value += *p++;
        if (*p == quote) ++p;
        if (key == L"file" || key == L"res") {
            spec.file = value;
        } else if (key == L"source") {
            spec.hasSource = ParseRect(value.c_str(), spec.source);
        } else if (key == L"corner") {
            ParseRect(value.c_str(), spec.corner);
        } else if (key == L"dest") {
            spec.hasDest = ParseRect(value.c_str(), spec.dest);
        } else if (key == L"fade") {
            int v = _wtoi(value.c_str());
            spec.fade = static_cast<BYTE>(v < 0 ? 0 : (v > 255 ? 255 : v));
        }
    }
}

bool Intersects(const RECT &a, const RECT &b) {
    RECT tmp;
    return ::IntersectRect(&tmp, &a, &b) != FALSE;
}

void Blend(HDC hDC, HDC memDC, const RECT &dst, const RECT &src, const RECT &rcPaint, BYTE fade) {
    int dw = dst.right - dst.left, dh = dst.bottom - dst.top;
    int sw = src.right - src.left, sh = src.bottom - src.top;
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
    if (!Intersects(dst, rcPaint)) return;
    BLENDFUNCTION bf = {AC_SRC_OVER, 0, fade, AC_SRC_ALPHA};
    ::AlphaBlend(hDC, dst.left, dst.top, dw, dh, memDC, src.left, src.top, sw, sh, bf);
}

}  // namespace

TImageInfo *CRenderEngine::LoadImage(const CDuiString &path) {
    uilib::StatsScope stats(uilib::kStatsImageDecode);
    uilib::EnsureGdiplus();
    if (::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return nullptr;
    Gdiplus::Bitmap bitmap(path.c_str());
    if (bitmap.GetLastStatus() != Gdiplus::Ok) return nullptr;
    UINT width = bitmap.GetWidth(), height = bitmap.GetHeight();
    if (width == 0 || height == 0) return nullptr;

    Gdiplus::BitmapData data = {};
    Gdiplus::Rect all(0, 0, static_cast<INT>(width), static_cast<INT>(height));
    if (bitmap.LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppPARGB, &data) != Gdiplus::Ok) return nullptr;

    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = static_cast<LONG>(width);
    bmi.bmiHeader.biHeight = -static_cast<LONG>(height);  // top-down
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void *bits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (hBitmap == nullptr) {
        bitmap.UnlockBits(&data);
        return nullptr;
    }
    bool alpha = false;
    for (UINT y = 0; y < height; ++y) {
        const BYTE *srcRow = static_cast<const BYTE *>(data.Scan0) + static_cast<INT_PTR>(y) * data.Stride;
        BYTE *dstRow = static_cast<BYTE *>(bits) + static_cast<size_t>(y) * width * 4;
        memcpy(dstRow, srcRow, static_cast<size_t>(width) * 4);
        if (!alpha) {
            for (UINT x = 0; x < width; ++x) {
                if (dstRow[x * 4 + 3] != 0xFF) {
                    alpha = true;
                    break;
                }
            }
        }
    }
    bitmap.UnlockBits(&data);

    auto *info = new TImageInfo;
    info->hBitmap = hBitmap;
    info->nX = static_cast<int>(width);
    info->nY = static_cast<int>(height);
    info->alphaChannel = alpha;
    return info;
}

void CRenderEngine::FreeImage(TImageInfo *image) {
    if (image == nullptr) return;
    if (image->hBitmap != nullptr) ::DeleteObject(image->hBitmap);
    delete image;
}

bool CRenderEngine::DrawImageString(HDC hDC, CPaintManagerUI *pManager, const RECT &rcItem, const RECT &rcPaint,
                                    LPCTSTR pStrImage, LPCTSTR pStrModify) {
    if (pManager == nullptr || pStrImage == nullptr || pStrImage[0] == L'\0') return false;
    ImageDrawSpec spec;
    ParseImageString(pStrImage, spec);
    ParseImageString(pStrModify, spec);
    if (spec.file.empty()) return false;
    const TImageInfo *image = pManager->GetImage(spec.file.c_str());
    if (image == nullptr) return false;

    RECT src = spec.hasSource ? spec.source : RECT{0, 0, image->nX, image->nY};
    if (src.right > image->nX) src.right = image->nX;
    if (src.bottom > image->nY) src.bottom = image->nY;
    RECT dst = rcItem;
    if (spec.hasDest) {
        dst = {rcItem.left + spec.dest.left, rcItem.top + spec.dest.top, rcItem.left + spec.dest.right,
               rcItem.top + spec.dest.bottom};
        if (dst.right > rcItem.right) dst.right = rcItem.right;
        if (dst.bottom > rcItem.bottom) dst.bottom = rcItem.bottom;
    }
    if (!Intersects(dst, rcPaint)) return true;

    HDC memDC = ::CreateCompatibleDC(hDC);
    HGDIOBJ old = ::SelectObject(memDC, image->hBitmap);
    const RECT &c = spec.corner;
    if (c.left == 0 && c.top == 0 && c.right == 0 && c.bottom == 0) {
        Blend(hDC, memDC, dst, src, rcPaint, spec.fade);
    } else {
        // Nine-grid: corners keep their size, edges stretch one way, the middle both.
        int dx[4] = {dst.left, dst.left + c.left, dst.right - c.right, dst.right};
        int dy[4] = {dst.top, dst.top + c.top, dst.bottom - c.bottom, dst.bottom};
        int sx[4] = {src.left, src.left + c.left, src.right - c.right, src.right};
        int sy[4] = {src.top, src.top + c.top, src.bottom - c.bottom, src.bottom};
        for (int row = 0; row < 3; ++row) {
            for (int col = 0; col < 3; ++col) {
                RECT d = {dx[col], dy[row], dx[col + 1], dy[row + 1]};
                RECT s = {sx[col], sy[row], sx[col + 1], sy[row + 1]};
                Blend(hDC, memDC, d, s, rcPaint, spec.fade);
            }
        }
    }
    ::SelectObject(memDC, old);
    ::DeleteDC(memDC);
    return true;
}
