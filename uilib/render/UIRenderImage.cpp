// Images: loaded through GDI+ into premultiplied 32-bit DIBs, drawn with AlphaBlend;
// image strings carry the file and optional source, nine-grid corner, dest and fade.
#include "uilib/render/UIRender.h"

#include <cstring>
#include <memory>

#include "uilib/core/UIManager.h"
#include "uilib/core/UIScale.h"
#include "uilib/core/UIStats.h"
#include "uilib/render/UIGdiplus.h"
#include "uilib/render/UIImageCache.h"

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

// A rectangle in the image's skin pixels, in pixels of its (scaled) bitmap.
RECT ImagePixels(const RECT &rc, const TImageInfo &image) {
    if (image.logicalX <= 0 || image.logicalY <= 0) return rc;
    auto x = [&](LONG v) {
        return static_cast<LONG>((static_cast<long long>(v) * image.nX * 2 + image.logicalX) / (2LL * image.logicalX));
    };
    auto y = [&](LONG v) {
        return static_cast<LONG>((static_cast<long long>(v) * image.nY * 2 + image.logicalY) / (2LL * image.logicalY));
    };
    return {x(rc.left), y(rc.top), x(rc.right), y(rc.bottom)};
}

void Blend(HDC hDC, HDC memDC, const RECT &dst, const RECT &src, const RECT &rcPaint, BYTE fade) {
    int dw = dst.right - dst.left, dh = dst.bottom - dst.top;
    int sw = src.right - src.left, sh = src.bottom - src.top;
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
    if (!Intersects(dst, rcPaint)) return;
    BLENDFUNCTION bf = {AC_SRC_OVER, 0, fade, AC_SRC_ALPHA};
    ::AlphaBlend(hDC, dst.left, dst.top, dw, dh, memDC, src.left, src.top, sw, sh, bf);
}

const int kDoubleFromDpi = 120;  // above 125 %, the @2x companion is the closer one

// "a\\b.png" -> "a\\b@2x.png"; empty when the name has no extension.
CDuiString DoubleName(const CDuiString &path) {
    const size_t dot = path.find_last_of(L'.');
    const size_t slash = path.find_last_of(L"\\/");
    if (dot == CDuiString::npos || (slash != CDuiString::npos && dot < slash)) return CDuiString();
    return path.substr(0, dot) + L"@2x" + path.substr(dot);
}

bool FileExists(const CDuiString &path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The file decoded; null when it is no image GDI+ reads, or an empty one.
std::unique_ptr<Gdiplus::Bitmap> Decode(const CDuiString &path) {
    std::unique_ptr<Gdiplus::Bitmap> bitmap(new Gdiplus::Bitmap(path.c_str()));
    if (bitmap->GetLastStatus() != Gdiplus::Ok || bitmap->GetWidth() == 0 || bitmap->GetHeight() == 0) return nullptr;
    return bitmap;
}

// The size in a PNG file's header, without decoding it; false for any other file.
bool PngSize(const CDuiString &path, int &width, int &height) {
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    BYTE head[24];
    DWORD got = 0;
    const bool read = ::ReadFile(file, head, sizeof(head), &got, nullptr) && got == sizeof(head);
    ::CloseHandle(file);
    static const BYTE kSignature[12] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13};
    if (!read || memcmp(head, kSignature, sizeof(kSignature)) != 0 || memcmp(head + 12, "IHDR", 4) != 0) return false;
    auto bigEndian = [&head](int at) {
        return (static_cast<DWORD>(head[at]) << 24) | (static_cast<DWORD>(head[at + 1]) << 16) |
               (static_cast<DWORD>(head[at + 2]) << 8) | head[at + 3];
    };
    const DWORD w = bigEndian(16), h = bigEndian(20);
    const DWORD kMaxSide = 100000;
    if (w == 0 || h == 0 || w > kMaxSide || h > kMaxSide) return false;
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
}

// High-quality bicubic resampling; edges sampled from the image itself, not from black.
std::unique_ptr<Gdiplus::Bitmap> Resample(Gdiplus::Bitmap &source, int width, int height) {
    std::unique_ptr<Gdiplus::Bitmap> out(new Gdiplus::Bitmap(width, height, PixelFormat32bppPARGB));
    if (out->GetLastStatus() != Gdiplus::Ok) return nullptr;
    Gdiplus::Graphics g(out.get());
    g.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
    g.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
    g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHighQuality);
    Gdiplus::ImageAttributes attributes;
    attributes.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
    const Gdiplus::Rect target(0, 0, width, height);
    if (g.DrawImage(&source, target, 0, 0, static_cast<INT>(source.GetWidth()), static_cast<INT>(source.GetHeight()),
                    Gdiplus::UnitPixel, &attributes) != Gdiplus::Ok)
        return nullptr;
    return out;
}

// The bitmap as a top-down premultiplied 32-bit DIB.
TImageInfo *ToDib(Gdiplus::Bitmap &bitmap) {
    const UINT width = bitmap.GetWidth(), height = bitmap.GetHeight();
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

}  // namespace

TImageInfo *CRenderEngine::LoadImage(const CDuiString &path, int dpi) {
    uilib::StatsScope stats(uilib::kStatsImageDecode);
    uilib::EnsureGdiplus();
    if (!FileExists(path)) return nullptr;
    const CDuiString companion = dpi > kDoubleFromDpi ? DoubleName(path) : CDuiString();
    std::unique_ptr<Gdiplus::Bitmap> twice;
    if (!companion.empty() && FileExists(companion)) twice = Decode(companion);
    // The skin size is the plain image's: read from its header, decoded only when it has none.
    int logicalX = 0, logicalY = 0;
    std::unique_ptr<Gdiplus::Bitmap> bitmap;
    if (twice != nullptr && PngSize(path, logicalX, logicalY)) {
        bitmap.swap(twice);
    } else {
        bitmap = Decode(path);
        if (bitmap == nullptr) return nullptr;
        logicalX = static_cast<int>(bitmap->GetWidth());
        logicalY = static_cast<int>(bitmap->GetHeight());
        if (twice != nullptr) bitmap.swap(twice);
    }
    const int width = uilib::ScaleValue(logicalX, dpi), height = uilib::ScaleValue(logicalY, dpi);
    if (width <= 0 || height <= 0) return nullptr;
    if (static_cast<int>(bitmap->GetWidth()) != width || static_cast<int>(bitmap->GetHeight()) != height) {
        std::unique_ptr<Gdiplus::Bitmap> resampled = Resample(*bitmap, width, height);
        if (resampled == nullptr) return nullptr;
        bitmap.swap(resampled);
    }
    TImageInfo *info = ToDib(*bitmap);
    if (info != nullptr) {
        info->logicalX = logicalX;
        info->logicalY = logicalY;
    }
    return info;
}

void CRenderEngine::FreeImage(TImageInfo *image) {
    if (image == nullptr) return;
    uilib::ForgetStretched(image->hBitmap);
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

    // source and corner are pixels of the image as the skin knows it; the bitmap is scaled.
    RECT src = spec.hasSource ? ImagePixels(spec.source, *image) : RECT{0, 0, image->nX, image->nY};
    if (src.right > image->nX) src.right = image->nX;
    if (src.bottom > image->nY) src.bottom = image->nY;
    RECT dst = rcItem;
    if (spec.hasDest) {
        const RECT dest = pManager->Scale(spec.dest);
        dst = {rcItem.left + dest.left, rcItem.top + dest.top, rcItem.left + dest.right, rcItem.top + dest.bottom};
        if (dst.right > rcItem.right) dst.right = rcItem.right;
        if (dst.bottom > rcItem.bottom) dst.bottom = rcItem.bottom;
    }
    if (!Intersects(dst, rcPaint)) return true;

    const RECT c = ImagePixels(spec.corner, *image);  // in the bitmap
    const RECT dc = pManager->Scale(spec.corner);     // on the window
    const bool nineGrid = c.left != 0 || c.top != 0 || c.right != 0 || c.bottom != 0;
    const int dw = dst.right - dst.left, dh = dst.bottom - dst.top;
    HBITMAP stretched = nullptr;
    if (!nineGrid && (dw != src.right - src.left || dh != src.bottom - src.top))
        stretched = uilib::StretchedImage(image->hBitmap, src, dw, dh);
    HDC memDC = ::CreateCompatibleDC(hDC);
    HGDIOBJ old = ::SelectObject(memDC, stretched != nullptr ? stretched : image->hBitmap);
    if (stretched != nullptr) {
        Blend(hDC, memDC, dst, {0, 0, dw, dh}, rcPaint, spec.fade);
    } else if (!nineGrid) {
        Blend(hDC, memDC, dst, src, rcPaint, spec.fade);
    } else {
        // Nine-grid: corners keep their size, edges stretch one way, the middle both.
        int dx[4] = {dst.left, dst.left + dc.left, dst.right - dc.right, dst.right};
        int dy[4] = {dst.top, dst.top + dc.top, dst.bottom - dc.bottom, dst.bottom};
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
