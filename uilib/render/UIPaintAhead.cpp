#include "uilib/render/UIPaintAhead.h"

#include <cstring>
#include <mutex>

#include "uilib/render/UIShapeCache.h"

namespace uilib {

namespace {

std::mutex gLock;
HBITMAP gBuffer = nullptr;
DWORD *gBits = nullptr;
SIZE gSize = {0, 0};

}  // namespace

void PrepareBackBuffer(int width, int height) {
    if (width <= 0 || height <= 0) return;
    DWORD *bits = nullptr;
    const HBITMAP buffer = CreateDib32(width, height, &bits);
    if (buffer == nullptr) return;
    std::memset(bits, 0, static_cast<size_t>(width) * height * 4);
    std::lock_guard<std::mutex> guard(gLock);
    if (gBuffer != nullptr) ::DeleteObject(gBuffer);
    gBuffer = buffer;
    gBits = bits;
    gSize = {width, height};
}

HBITMAP TakePreparedBackBuffer(int width, int height, DWORD **bits) {
    std::lock_guard<std::mutex> guard(gLock);
    if (gBuffer == nullptr || gSize.cx != width || gSize.cy != height) return nullptr;
    const HBITMAP buffer = gBuffer;
    *bits = gBits;
    gBuffer = nullptr;
    gBits = nullptr;
    return buffer;
}

void FreePreparedBackBuffer() {
    std::lock_guard<std::mutex> guard(gLock);
    if (gBuffer != nullptr) ::DeleteObject(gBuffer);
    gBuffer = nullptr;
    gBits = nullptr;
}

}  // namespace uilib
