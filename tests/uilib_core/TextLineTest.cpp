// One line of text drawn by its placement alone gives DrawTextW's own pixels: every
// alignment, rectangles of odd and even sizes, smaller than the text or larger, at 100 % and
// 200 %. A fault here moves the texts of every window by a pixel.
#include <gtest/gtest.h>

#include "tests/uilib_core/TestWindow.h"
#include "uilib/render/UITextLine.h"

namespace {

const int kWidth = 96, kHeight = 48;

struct Canvas {
    uitest::Dib dib{kWidth, kHeight};
    void Clear() {
        for (int i = 0; i < kWidth * kHeight; ++i) dib.bits[i] = 0xFFF3F5FA ^ ((i % 7) * 0x010101);
    }
};

TEST(TextLine, PlacesTheLineAsDrawTextDoes) {
    const wchar_t *const kTexts[] = {L"OK", L"BS-01234", L"在线 Online", L"主楼楼顶", L"W", L"a.b"};
    const UINT kHorizontal[] = {DT_LEFT, DT_CENTER, DT_RIGHT};
    const UINT kVertical[] = {DT_TOP, DT_VCENTER, DT_BOTTOM};
    const RECT kRects[] = {{3, 2, 90, 31}, {4, 5, 67, 35}, {1, 1, 20, 12}, {10, 0, 11, 48}, {-5, -3, 40, 16}};
    int compared = 0;
    for (int height : {-12, -24, -15, -13, -17}) {
        const HFONT font = ::CreateFontW(height, 0, 0, 0, FW_BOLD * (height == -15), 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0,
                                         0, L"Microsoft YaHei");
        Canvas viaDrawText, viaLine;
        for (Canvas *c : {&viaDrawText, &viaLine}) {
            ::SelectObject(c->dib.dc, font);
            ::SetBkMode(c->dib.dc, TRANSPARENT);
            ::SetTextColor(c->dib.dc, RGB(0x1F, 0x2A, 0x44));
        }
        for (const wchar_t *text : kTexts)
            for (UINT h : kHorizontal)
                for (UINT v : kVertical)
                    for (const RECT &rc : kRects) {
                        const UINT style = DT_SINGLELINE | DT_NOPREFIX | h | v | (rc.right > 60 ? DT_END_ELLIPSIS : 0);
                        viaDrawText.Clear();
                        viaLine.Clear();
                        RECT drawRect = rc;
                        ::DrawTextW(viaDrawText.dib.dc, text, -1, &drawRect, style);
                        if (!uilib::DrawTextLine(viaLine.dib.dc, rc, text, style)) continue;
                        ::GdiFlush();
                        int differing = 0;
                        for (int i = 0; i < kWidth * kHeight; ++i)
                            differing += viaDrawText.dib.bits[i] != viaLine.dib.bits[i];
                        EXPECT_EQ(differing, 0) << "height " << height << ", style " << style << ", rect " << rc.left
                                                << "," << rc.top << "," << rc.right << "," << rc.bottom;
                        ++compared;
                    }
        for (Canvas *c : {&viaDrawText, &viaLine}) ::SelectObject(c->dib.dc, ::GetStockObject(SYSTEM_FONT));
        ::DeleteObject(font);
    }
    EXPECT_GT(compared, 1200);  // all but the lines too long for their ellipsis
}

// What needs more than one line's placement is left to DrawTextW.
TEST(TextLine, LeavesLineBreaksTabsPrefixesAndNeededEllipsesToDrawText) {
    uitest::Dib dib(kWidth, kHeight);
    const RECT rc = {0, 0, kWidth, kHeight}, narrow = {0, 0, 8, kHeight};
    EXPECT_TRUE(uilib::DrawTextLine(dib.dc, rc, L"fits", DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS));
    EXPECT_FALSE(uilib::DrawTextLine(dib.dc, rc, L"two words", DT_WORDBREAK | DT_NOPREFIX));
    EXPECT_FALSE(uilib::DrawTextLine(dib.dc, rc, L"&prefix", DT_SINGLELINE));
    EXPECT_FALSE(uilib::DrawTextLine(dib.dc, rc, L"tab\there", DT_SINGLELINE | DT_NOPREFIX));
    EXPECT_FALSE(uilib::DrawTextLine(dib.dc, rc, L"", DT_SINGLELINE | DT_NOPREFIX));
    EXPECT_FALSE(uilib::DrawTextLine(dib.dc, rc, L"free", DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP));
    EXPECT_FALSE(uilib::DrawTextLine(dib.dc, narrow, L"too long", DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS));
    EXPECT_TRUE(uilib::DrawTextLine(dib.dc, narrow, L"clipped", DT_SINGLELINE | DT_NOPREFIX));
}

}  // namespace
