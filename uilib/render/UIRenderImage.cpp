// Images: decoded (PngDecode, else GDI+) into premultiplied 32-bit DIBs, blended onto the
// back buffer (AlphaBlend elsewhere, or for a nine-grid's stretched parts and a fade); image
// strings carry the file and optional source, nine-grid corner, dest and fade.
#include "uilib/render/UIRender.h"

#include <cstring>
#include <vector>

#include "uilib/core/UIManager.h"
#include "uilib/core/UIScale.h"
#include "uilib/core/UIStats.h"
#include "uilib/render/UIGdiplus.h"
#include "uilib/render/UIImageCache.h"
#include "uilib/render/PngDecode.h"
#include "uilib/render/UIPaintSurface.h"

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

// Draws from's part src onto dst of hDC's paint surface, when it has one and the part
// lands unscaled and unfaded; false when it must go through AlphaBlend.
bool DrawOnSurface(HDC hDC, const RECT &dst, const TImageInfo &from, const RECT &src, bool nineGrid, BYTE fade) {
    if (nineGrid || fade != 255 || from.bits == nullptr) return false;
    if (src.left < 0 || src.top < 0 || src.right > from.nX || src.bottom > from.nY) return false;
    if (dst.right - dst.left != src.right - src.left || dst.bottom - dst.top != src.bottom - src.top) return false;
    uilib::PaintSurface *surface = uilib::PaintSurface::Of(hDC);
    if (surface == nullptr) return false;
    surface->Blend(dst, from.bits + static_cast<size_t>(src.top) * from.nX + src.left, from.nX);
    return true;
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

const LONGLONG kMaxReadBytes = 64 << 20;  // a skin image is far smaller

bool ReadFileBytes(const CDuiString &path, std::vector<uint8_t> &bytes) {
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size = {};
    bool read = ::GetFileSizeEx(file, &size) && size.QuadPart <= kMaxReadBytes;
    if (read) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD got = 0;
        read = bytes.empty() ||
               (::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) && got == bytes.size());
    }
    ::CloseHandle(file);
    return read;
}

// bitmap's pixels as top-down rows of 32-bit format pixels, into out.
bool CopyPixels(Gdiplus::Bitmap &bitmap, Gdiplus::PixelFormat format, std::vector<uint8_t> &out) {
    const UINT width = bitmap.GetWidth(), height = bitmap.GetHeight();
    out.resize(static_cast<size_t>(width) * height * 4);
    Gdiplus::BitmapData data = {};
    data.Width = width;
    data.Height = height;
    data.Stride = static_cast<INT>(width * 4);
    data.PixelFormat = format;
    data.Scan0 = out.data();
    Gdiplus::Rect all(0, 0, static_cast<INT>(width), static_cast<INT>(height));
    const Gdiplus::ImageLockMode mode =
        static_cast<Gdiplus::ImageLockMode>(Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf);
    if (bitmap.LockBits(&all, mode, format, &data) != Gdiplus::Ok) return false;
    bitmap.UnlockBits(&data);
    return true;
}

// The file's pixels, alpha not premultiplied: our own reader for the PNGs it knows, which
// spares the system's codecs their start-up; GDI+ for the rest. False when neither reads
// it, or it is empty.
bool Decode(const CDuiString &path, uilib::PngPixels &pixels) {
    std::vector<uint8_t> bytes;
    if (ReadFileBytes(path, bytes) && uilib::DecodePng(bytes.data(), bytes.size(), pixels) == uilib::PngRead::kDecoded)
        return true;
    uilib::EnsureGdiplus();
    Gdiplus::Bitmap bitmap(path.c_str());
    const UINT width = bitmap.GetWidth(), height = bitmap.GetHeight();
    if (bitmap.GetLastStatus() != Gdiplus::Ok || width == 0 || height == 0) return false;
    pixels.width = static_cast<int>(width);
    pixels.height = static_cast<int>(height);
    return CopyPixels(bitmap, PixelFormat32bppARGB, pixels.bgra);
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

// Premultiplied alpha, rounded as GDI+ rounds it when it hands out premultiplied pixels.
void Premultiply(std::vector<uint8_t> &bgra) {
    for (size_t i = 0; i < bgra.size(); i += 4) {
        const unsigned alpha = bgra[i + 3];
        if (alpha == 0xFF) continue;
        for (size_t c = i; c < i + 3; ++c) bgra[c] = static_cast<uint8_t>((bgra[c] * alpha + 127) / 255);
    }
}

// pixels resampled to width x height, premultiplied: high-quality bicubic, edges sampled
// from the image itself, not from black.
bool Resample(uilib::PngPixels &pixels, int width, int height, std::vector<uint8_t> &premultiplied) {
    uilib::EnsureGdiplus();
    Gdiplus::Bitmap source(pixels.width, pixels.height, pixels.width * 4, PixelFormat32bppARGB, pixels.bgra.data());
    Gdiplus::Bitmap out(width, height, PixelFormat32bppPARGB);
    if (source.GetLastStatus() != Gdiplus::Ok || out.GetLastStatus() != Gdiplus::Ok) return false;
    {
        Gdiplus::Graphics g(&out);
        g.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
        g.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
        g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHighQuality);
        Gdiplus::ImageAttributes attributes;
        attributes.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
        const Gdiplus::Rect target(0, 0, width, height);
        if (g.DrawImage(&source, target, 0, 0, pixels.width, pixels.height, Gdiplus::UnitPixel, &attributes) !=
            Gdiplus::Ok)
            return false;
    }
    return CopyPixels(out, PixelFormat32bppPARGB, premultiplied);
}

// Premultiplied top-down rows as a 32-bit DIB.
TImageInfo *ToDib(const std::vector<uint8_t> &premultiplied, int width, int height) {
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = width;
    bmi.bmiHeader.biHeight = -height;  // top-down
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void *bits = nullptr;
    HBITMAP hBitmap = ::CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (hBitmap == nullptr) return nullptr;
    memcpy(bits, premultiplied.data(), premultiplied.size());
    bool alpha = false;
    for (size_t i = 3; i < premultiplied.size() && !alpha; i += 4) alpha = premultiplied[i] != 0xFF;

    auto *info = new TImageInfo;
    info->hBitmap = hBitmap;
    info->bits = static_cast<const DWORD *>(bits);
    info->nX = width;
    info->nY = height;
    info->alphaChannel = alpha;
    return info;
}

}  // namespace

CDuiString uilib::ImageFileName(LPCTSTR imageString) {
    ImageDrawSpec spec;
    ParseImageString(imageString, spec);
    return spec.file;
}

TImageInfo *CRenderEngine::LoadImage(const CDuiString &path, int dpi) {
    uilib::StatsScope stats(uilib::kStatsImageDecode);
    if (!FileExists(path)) return nullptr;
    const CDuiString companion = dpi > kDoubleFromDpi ? DoubleName(path) : CDuiString();
    uilib::PngPixels twice, plain;
    const bool hasTwice = !companion.empty() && FileExists(companion) && Decode(companion, twice);
    // The skin size is the plain image's: read from its header, decoded only when it has none.
    int logicalX = 0, logicalY = 0;
    if (!hasTwice || !PngSize(path, logicalX, logicalY)) {
        if (!Decode(path, plain)) return nullptr;
        logicalX = plain.width;
        logicalY = plain.height;
    }
    uilib::PngPixels &pixels = hasTwice ? twice : plain;
    const int width = uilib::ScaleValue(logicalX, dpi), height = uilib::ScaleValue(logicalY, dpi);
    if (width <= 0 || height <= 0) return nullptr;
    std::vector<uint8_t> premultiplied;
    if (pixels.width != width || pixels.height != height) {
        if (!Resample(pixels, width, height, premultiplied)) return nullptr;
    } else {
        premultiplied.swap(pixels.bgra);
        Premultiply(premultiplied);
    }
    TImageInfo *info = ToDib(premultiplied, width, height);
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
    const TImageInfo *stretched = nullptr;
    if (!nineGrid && (dw != src.right - src.left || dh != src.bottom - src.top))
        stretched = uilib::StretchedImage(*image, src, dw, dh);
    if (DrawOnSurface(hDC, dst, stretched != nullptr ? *stretched : *image,
                      stretched != nullptr ? RECT{0, 0, dw, dh} : src, nineGrid, spec.fade))
        return true;
    HDC memDC = ::CreateCompatibleDC(hDC);
    HGDIOBJ old = ::SelectObject(memDC, stretched != nullptr ? stretched->hBitmap : image->hBitmap);
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
