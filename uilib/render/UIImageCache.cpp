#include "uilib/render/UIImageCache.h"

#include <cstring>
#include <map>
#include <mutex>
#include <utility>

#include "uilib/core/UIManager.h"
#include "uilib/render/UIRender.h"
#include "uilib/render/UIShapeCache.h"

namespace uilib {

namespace {

std::mutex gLock;
std::map<std::pair<CDuiString, int>, TImageInfo *> gImages;

struct StretchKey {
    HBITMAP bitmap;
    RECT src;
    int width, height;
};

struct StretchLess {
    bool operator()(const StretchKey &a, const StretchKey &b) const { return std::memcmp(&a, &b, sizeof(a)) < 0; }
};

const size_t kMaxStretchBytes = 16u << 20;  // all copies together; beyond it they are made again
std::mutex gStretchLock;
std::map<StretchKey, TImageInfo, StretchLess> gStretched;
size_t gStretchBytes = 0;

HBITMAP Stretch(HBITMAP bitmap, const RECT &src, int width, int height, DWORD **bits) {
    HBITMAP out = CreateDib32(width, height, bits);
    if (out == nullptr) return nullptr;
    HDC from = ::CreateCompatibleDC(nullptr), to = ::CreateCompatibleDC(nullptr);
    HGDIOBJ oldFrom = ::SelectObject(from, bitmap), oldTo = ::SelectObject(to, out);
    // Onto transparent black a blend leaves the stretched source itself.
    const BLENDFUNCTION copy = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    const BOOL done = ::AlphaBlend(to, 0, 0, width, height, from, src.left, src.top, src.right - src.left,
                                   src.bottom - src.top, copy);
    ::SelectObject(from, oldFrom);
    ::SelectObject(to, oldTo);
    ::DeleteDC(from);
    ::DeleteDC(to);
    if (!done) {
        ::DeleteObject(out);
        return nullptr;
    }
    return out;
}

}  // namespace

const TImageInfo *SharedImage(const CDuiString &path, int dpi) {
    std::lock_guard<std::mutex> guard(gLock);
    const auto key = std::make_pair(path, dpi);
    auto it = gImages.find(key);
    if (it != gImages.end()) return it->second;
    TImageInfo *image = CRenderEngine::LoadImage(path, dpi);
    if (image != nullptr) gImages[key] = image;
    return image;
}

const TImageInfo *StretchedImage(const TImageInfo &image, const RECT &src, int width, int height) {
    const HBITMAP bitmap = image.hBitmap;
    const size_t bytes = static_cast<size_t>(width) * static_cast<size_t>(height) * 4;
    if (bitmap == nullptr || width <= 0 || height <= 0 || bytes > kMaxStretchBytes / 4) return nullptr;
    std::lock_guard<std::mutex> guard(gStretchLock);
    StretchKey key = {};  // zeroed whole: keys are compared bytewise
    key.bitmap = bitmap;
    key.src = src;
    key.width = width;
    key.height = height;
    auto it = gStretched.find(key);
    if (it != gStretched.end()) return &it->second;
    TImageInfo stretched;
    DWORD *bits = nullptr;
    stretched.hBitmap = Stretch(bitmap, src, width, height, &bits);
    if (stretched.hBitmap == nullptr) return nullptr;
    stretched.bits = bits;
    stretched.nX = width;
    stretched.nY = height;
    stretched.alphaChannel = image.alphaChannel;
    if (gStretchBytes + bytes > kMaxStretchBytes) {
        for (auto &entry : gStretched) ::DeleteObject(entry.second.hBitmap);
        gStretched.clear();
        gStretchBytes = 0;
    }
    gStretchBytes += bytes;
    return &(gStretched[key] = stretched);
}

void ForgetStretched(HBITMAP bitmap) {
    std::lock_guard<std::mutex> guard(gStretchLock);
    for (auto it = gStretched.begin(); it != gStretched.end();) {
        if (it->first.bitmap == bitmap) {
            gStretchBytes -= static_cast<size_t>(it->first.width) * static_cast<size_t>(it->first.height) * 4;
            ::DeleteObject(it->second.hBitmap);
            it = gStretched.erase(it);
        } else {
            ++it;
        }
    }
}

void FreeSharedImages() {
    std::lock_guard<std::mutex> guard(gLock);
    for (auto &entry : gImages) CRenderEngine::FreeImage(entry.second);
    gImages.clear();
}

}  // namespace uilib
