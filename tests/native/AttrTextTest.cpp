// Attribute values and names as skins give them: a fault here turns a skin's colour,
// size or flag into a silent 0, or misreads Chinese text.
#include <gtest/gtest.h>

#include <string>

#include "uilib/core/UIAttr.h"
#include "uilib/core/UIText.h"

using namespace uilib;

namespace {

TEST(Attr, IntegersAndListsAreWholeOrRefused) {
    const struct {
        const wchar_t *text;
        int count;
        bool ok;
        long first, last;
    } cases[] = {
        {L" 12 ", 1, true, 12, 12},     {L"-3", 1, true, -3, -3},        {L"+7", 1, true, 7, 7},
        {L"12px", 1, false, 0, 0},      {L"", 1, false, 0, 0},           {L"-", 1, false, 0, 0},
        {L"1,2,3,4", 4, true, 1, 4},    {L"1, 2 ,3,\t4", 4, true, 1, 4}, {L"1,2,3", 4, false, 0, 0},
        {L"1,2,3,4,5", 4, false, 0, 0}, {L"1,,3,4", 4, false, 0, 0},     {L"10,20", 2, true, 10, 20},
    };
    for (const auto &c : cases) {
        long v[4] = {99, 99, 99, 99};
        EXPECT_EQ(c.ok, ParseInts(c.text, v, c.count)) << c.text;
        EXPECT_TRUE(!c.ok || (v[0] == c.first && v[c.count - 1] == c.last)) << c.text;
    }
    int n = 5;
    EXPECT_FALSE(ParseInt(nullptr, n));
    EXPECT_FALSE(ParseInt(L"1,2", n));
    EXPECT_EQ(5, n) << "a refused value leaves the old one";
}

TEST(Attr, ColoursAndFlags) {
    const struct {
        const wchar_t *text;
        uint32_t colour;
    } colours[] = {{L"#FF102030", 0xFF102030},
                   {L"#102030", 0xFF102030},
                   {L"0x80aBcDeF", 0x80ABCDEF},
                   {L" #000000 ", 0xFF000000},
                   {L"#12345", 0},
                   {L"#1234567", 0},
                   {L"102030", 0},
                   {L"#10203G", 0}};
    for (const auto &c : colours) EXPECT_EQ(c.colour, ParseColorValue(c.text)) << c.text;

    const struct {
        const wchar_t *text;
        bool ok, value;
    } flags[] = {{L"true", true, true},   {L"TRUE", true, true}, {L"1", true, true},
                 {L"False", true, false}, {L"0", true, false},   {L"yes", false, false}};
    for (const auto &f : flags) {
        bool v = !f.value;
        EXPECT_EQ(f.ok, ParseBool(f.text, v)) << f.text;
        if (f.ok) EXPECT_EQ(f.value, v) << f.text;
    }
}

TEST(Text, NamesMatchIgnoringCaseOnly) {
    EXPECT_TRUE(SameName(L"TextColor", L"textcolor") && AttrName{L"Width"} == L"width");
    EXPECT_FALSE(SameName(L"width", L"widths") || SameName(L"widt", L"width") || SameName(nullptr, L"width"));
    EXPECT_EQ(L"bkcolor", LowerCase(L"BkColor"));
}

TEST(Text, Utf8RoundTripsAndReplacesWhatIsNotText) {
    const std::string chinese = "\xE5\x9F\xBA\xE7\xAB\x99 \xF0\x9F\x93\xBB";  // 基站 and a radio (beyond 16 bits)
    const std::wstring wide = Utf8ToWide(chinese);
    EXPECT_EQ(sizeof(wchar_t) == 2 ? 5u : 4u, wide.size());
    EXPECT_EQ(static_cast<wchar_t>(0x57FA), wide[0]);
    EXPECT_EQ(chinese, WideToUtf8(wide));
    EXPECT_EQ(std::wstring(L"a\xFFFD\xFFFD") + L'b', Utf8ToWide(std::string("a\xC0\xAF") + 'b')) << "overlong";
    EXPECT_EQ(L"\xFFFD\xFFFD", Utf8ToWide("\xE5\x9F", 2)) << "cut short";
    EXPECT_EQ("\xEF\xBF\xBD", WideToUtf8(std::wstring(1, static_cast<wchar_t>(0xD800)))) << "lone surrogate";
}

}  // namespace
