#include "uilib/render/UITextCache.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <map>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "uilib/render/UIPaintSurface.h"
#include "uilib/render/UIShapeCache.h"
#include "uilib/render/UITextLine.h"

namespace uilib {

namespace {

const size_t kMaxBytes = 8u << 20;  // all drawn texts together; beyond it they are drawn again
const size_t kMaxTexts = 4096;      // texts seen, drawn or not; beyond it the cache starts over
const size_t kMaxColours = 2;       // backgrounds kept per text (a row's plain and hot one)

struct TextKey {
    struct Head {
        LOGFONTW font;
        COLORREF color;
        RECT rc;
        UINT style;
    } head;  // compared bytewise
    std::wstring text;
};

struct KeyLess {
    bool operator()(const TextKey &a, const TextKey &b) const {
        const int head = std::memcmp(&a.head, &b.head, sizeof(a.head));
        return head != 0 ? head < 0 : a.text < b.text;
    }
};

struct Drawn {
    DWORD background;
    std::vector<DWORD> pixels;  // the text's box drawn on background, rows the box's width apart
};

struct Entry {
    bool measured = false;
    RECT box = {};             // the pixels the text may change; empty when none
    std::vector<Drawn> drawn;  // oldest first
};

std::mutex gLock;
std::map<TextKey, Entry, KeyLess> gTexts;
size_t gBytes = 0;

// Where texts are drawn: at the very coordinates they have on their target. Grows as needed.
struct Scratch {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
    DWORD *bits = nullptr;
    int width = 0, height = 0;
} gScratch;

void FreeScratch() {
    if (gScratch.dc != nullptr) {
        ::SelectObject(gScratch.dc, gScratch.old);
        ::DeleteDC(gScratch.dc);
    }
    if (gScratch.bitmap != nullptr) ::DeleteObject(gScratch.bitmap);
    gScratch = Scratch();
}

bool EnsureScratch(int width, int height) {
    if (gScratch.bitmap != nullptr && gScratch.width >= width && gScratch.height >= height) return true;
    width = std::max(width, gScratch.width);
    height = std::max(height, gScratch.height);
    FreeScratch();
    gScratch.dc = ::CreateCompatibleDC(nullptr);
    gScratch.bitmap = CreateDib32(width, height, &gScratch.bits);
    if (gScratch.dc == nullptr || gScratch.bitmap == nullptr) {
        FreeScratch();
        return false;
    }
    gScratch.old = ::SelectObject(gScratch.dc, gScratch.bitmap);
    gScratch.width = width;
    gScratch.height = height;
    return true;
}

DWORD *ScratchRow(int y) { return gScratch.bits + static_cast<size_t>(y) * gScratch.width; }

// Draws key's text on the scratch over area filled with background.
void DrawOnScratch(HFONT font, const TextKey &key, const RECT &area, DWORD background) {
    for (int y = area.top; y < area.bottom; ++y)
        std::fill(ScratchRow(y) + area.left, ScratchRow(y) + area.right, background);
    const HGDIOBJ oldFont = ::SelectObject(gScratch.dc, font);
    ::SetBkMode(gScratch.dc, TRANSPARENT);
    ::SetTextColor(gScratch.dc, key.head.color);
    RECT rc = key.head.rc;
    if (!DrawTextLine(gScratch.dc, rc, key.text.c_str(), key.head.style))
        ::DrawTextW(gScratch.dc, key.text.c_str(), -1, &rc, key.head.style);
    ::SelectObject(gScratch.dc, oldFont);
    ::GdiFlush();
}

// The part of the text's rectangle that it changes on black or on white, one pixel wider
// all round for glyph edges faint enough to leave both as they were.
RECT InkBox(HFONT font, const TextKey &key) {
    const RECT &rc = key.head.rc;
    RECT box = {rc.right, rc.bottom, rc.left, rc.top};
    for (DWORD background : {0xFF000000u, 0xFFFFFFFFu}) {
        DrawOnScratch(font, key, rc, background);
        for (int y = rc.top; y < rc.bottom; ++y) {
            const DWORD *row = ScratchRow(y);
            for (int x = rc.left; x < rc.right; ++x) {
                if (row[x] == background) continue;
                box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x + 1),
                       std::max<LONG>(box.bottom, y + 1)};
            }
        }
    }
    if (box.left >= box.right) return RECT{};
    ::InflateRect(&box, 1, 1);
    ::IntersectRect(&box, &box, &rc);
    return box;
}

void ForgetDrawn() {
    for (auto &text : gTexts) text.second.drawn.clear();
    gBytes = 0;
}

// The text of key drawn on background, drawn now when it is not yet.
const Drawn *DrawnOn(HFONT font, const TextKey &key, Entry &entry, DWORD background) {
    for (const Drawn &drawn : entry.drawn) {
        if (drawn.background == background) return &drawn;
    }
    const RECT &box = entry.box;
    const int width = box.right - box.left;
    Drawn drawn = {background, std::vector<DWORD>(static_cast<size_t>(width) * (box.bottom - box.top))};
    DrawOnScratch(font, key, box, background);
    for (int y = box.top; y < box.bottom; ++y)
        std::memcpy(&drawn.pixels[static_cast<size_t>(y - box.top) * width], ScratchRow(y) + box.left, width * 4u);
    const size_t bytes = drawn.pixels.size() * sizeof(DWORD);
    if (gBytes + bytes > kMaxBytes) ForgetDrawn();
    if (entry.drawn.size() >= kMaxColours) {
        gBytes -= entry.drawn.front().pixels.size() * sizeof(DWORD);
        entry.drawn.erase(entry.drawn.begin());
    }
    gBytes += bytes;
    entry.drawn.push_back(std::move(drawn));
    return &entry.drawn.back();
}

}  // namespace

bool DrawCachedText(HDC hDC, HFONT font, COLORREF color, const RECT &rc, LPCWSTR text, UINT style) {
    PaintSurface *surface = PaintSurface::Of(hDC);
    if (surface == nullptr || text == nullptr || (style & (DT_NOCLIP | DT_CALCRECT)) != 0) return false;
    if (rc.left < 0 || rc.top < 0 || rc.right <= rc.left || rc.bottom <= rc.top) return false;
    TextKey key = {};
    if (::GetObjectW(font, sizeof(key.head.font), &key.head.font) == 0) return false;
    // What follows the face name's end is left undefined by CreateFontW: cleared, so that
    // two fonts made alike compare equal.
    WCHAR *face = key.head.font.lfFaceName;
    std::fill(face + wcsnlen(face, LF_FACESIZE), face + LF_FACESIZE, L'\0');
    key.head.color = color;
    key.head.rc = rc;
    key.head.style = style;
    key.text = text;
    std::lock_guard<std::mutex> guard(gLock);
    auto it = gTexts.find(key);
    if (it == gTexts.end()) {
        if (gTexts.size() >= kMaxTexts) {
            gTexts.clear();
            gBytes = 0;
        }
        gTexts.emplace(std::move(key), Entry());
        return false;
    }
    Entry &entry = it->second;
    if (!EnsureScratch(rc.right, rc.bottom)) return false;
    if (!entry.measured) {
        entry.box = InkBox(font, it->first);
        entry.measured = true;
    }
    if (::IsRectEmpty(&entry.box)) return true;
    DWORD background = 0;
    const PaintSurface::Look look = surface->LookAt(entry.box, background);
    if (look != PaintSurface::kUniform) return look == PaintSurface::kHidden;
    const Drawn *drawn = DrawnOn(font, it->first, entry, background);
    surface->Copy(entry.box, drawn->pixels.data(), entry.box.right - entry.box.left);
    return true;
}

void FreeTextCache() {
    std::lock_guard<std::mutex> guard(gLock);
    gTexts.clear();
    gBytes = 0;
    FreeScratch();
}

}  // namespace uilib
