#include "uilib/render/UIPaintAhead.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <vector>

#include "uilib/render/UIShapeCache.h"

namespace uilib {

namespace {

std::mutex gLock;
HBITMAP gBuffer = nullptr;
DWORD *gBits = nullptr;
SIZE gSize = {0, 0};
std::vector<SIZE> gMissed;  // sizes asked for before a buffer was ready: made their own

bool Missed(int width, int height) {
    return std::any_of(gMissed.begin(), gMissed.end(), [&](const SIZE &s) { return s.cx == width && s.cy == height; });
}

}  // namespace

void PrepareBackBuffer(int width, int height) {
    if (width <= 0 || height <= 0) return;
    {
        std::lock_guard<std::mutex> guard(gLock);
        if (Missed(width, height)) return;
    }
    DWORD *bits = nullptr;
    const HBITMAP buffer = CreateDib32(width, height, &bits);
    if (buffer == nullptr) return;
    std::memset(bits, 0, static_cast<size_t>(width) * height * 4);
    std::lock_guard<std::mutex> guard(gLock);
    if (gBuffer != nullptr) ::DeleteObject(gBuffer);
    gBuffer = nullptr;
    // Its window has painted meanwhile through a buffer of its own: this one would only
    // hold memory.
    if (Missed(width, height)) {
        ::DeleteObject(buffer);
        return;
    }
    gBuffer = buffer;
    gBits = bits;
    gSize = {width, height};
}

HBITMAP TakePreparedBackBuffer(int width, int height, DWORD **bits) {
    std::lock_guard<std::mutex> guard(gLock);
    if (gBuffer == nullptr || gSize.cx != width || gSize.cy != height) {
        if (!Missed(width, height)) gMissed.push_back({width, height});
        return nullptr;
    }
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
