// Scroll bars on a plain scrolling container: thickness from "width", rail clicks page,
// arrows step a line, the thumb drags to the end, and the bar never scrolls past its range.
#include <gtest/gtest.h>

#include "tests/uilib_controls/TestHost.h"

using uitest::TestHost;

namespace {

// 20 items of 50 px in a 300 px column: 700 px to scroll.
std::wstring Skin() {
    std::wstring xml =
        L"<Window><HorizontalLayout><VerticalLayout name=\"col\" width=\"200\" height=\"300\" vscrollbar=\"true\">";
    for (int i = 0; i < 20; ++i) xml += L"<Control height=\"50\"/>";
    xml += L"</VerticalLayout><Control/></HorizontalLayout></Window>";
    return xml;
}

}  // namespace

TEST(ScrollBar, ThicknessRangeAndPaging) {
    TestHost host(Skin().c_str());
    auto *col = host.Find<CVerticalLayoutUI>(L"col");
    CScrollBarUI *bar = col->GetVerticalScrollBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->GetPos().right - bar->GetPos().left, CScrollBarUI::kDefaultThickness);
    bar->SetAttribute(L"width", L"14");
    host.Layout();
    EXPECT_EQ(bar->GetPos().right - bar->GetPos().left, 14);
    EXPECT_EQ(bar->GetPos().right, col->GetPos().right);
    EXPECT_EQ(col->GetScrollRange().cy, 700);
    int value = -1;
    ASSERT_TRUE(bar->GetInspectValue(value));
    EXPECT_EQ(value, 0);

    // A click on the rail below the thumb pages down; above it pages back.
    const int x = TestHost::Center(bar).x;
    host.Click({x, bar->GetPos().bottom - 3});
    const int paged = col->GetScrollPos().cy;
    EXPECT_GE(paged, 200);
    EXPECT_LE(paged, 300);
    host.Click({x, bar->GetPos().top + 2});
    EXPECT_EQ(col->GetScrollPos().cy, 0);

    // Dragging the thumb far past the end stops at the range.
    const RECT rc = bar->GetPos();
    host.Press({x, rc.top + 5});
    host.Move({x, rc.bottom + 400});
    host.Release({x, rc.bottom + 400});
    EXPECT_EQ(col->GetScrollPos().cy, 700);
    EXPECT_EQ(bar->GetScrollPos(), 700);
    // The wheel over the bar scrolls its owner.
    host.Wheel({x, (rc.top + rc.bottom) / 2}, WHEEL_DELTA);
    EXPECT_LT(col->GetScrollPos().cy, 700);
}

TEST(ScrollBar, ArrowButtonsStepOneLine) {
    TestHost host(Skin().c_str());
    auto *col = host.Find<CVerticalLayoutUI>(L"col");
    CScrollBarUI *bar = col->GetVerticalScrollBar();
    bar->SetShowButtons(true);
    bar->SetLineSize(25);
    host.Layout();
    const RECT rc = bar->GetPos();
    const int x = (rc.left + rc.right) / 2;
    host.Click({x, rc.bottom - 2});
    host.Click({x, rc.bottom - 2});
    EXPECT_EQ(col->GetScrollPos().cy, 50);
    host.Click({x, rc.top + 2});
    EXPECT_EQ(col->GetScrollPos().cy, 25);
}

TEST(ScrollBar, ABarWithoutAnOwnerMovesItselfWithinItsRange) {
    CScrollBarUI bar;
    bar.SetScrollRange(100);
    bar.SetScrollPos(150);
    EXPECT_EQ(bar.GetScrollPos(), 100);
    bar.SetScrollRange(40);
    EXPECT_EQ(bar.GetScrollPos(), 40);
    bar.SetScrollPos(-5);
    EXPECT_EQ(bar.GetScrollPos(), 0);
    EXPECT_FALSE(bar.IsHorizontal());
    EXPECT_EQ(bar.GetFixedWidth(), CScrollBarUI::kDefaultThickness);
    bar.SetHorizontal(true);
    EXPECT_EQ(bar.GetFixedHeight(), CScrollBarUI::kDefaultThickness);
    EXPECT_EQ(bar.GetFixedWidth(), 0);
}
