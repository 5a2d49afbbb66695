// Layout geometry and hit testing without a window: controls record the rectangles the
// layouts give them; a hit test at a point names the control found. If this fails,
// skins lay out wrongly or clicks reach the wrong control.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "uilib/UIlib.h"

namespace {

std::string Str(const RECT &rc) {
    return std::to_string(rc.left) + "," + std::to_string(rc.top) + "," + std::to_string(rc.right) + "," +
           std::to_string(rc.bottom);
}

// Builds a skin without a window, lays the root out in (0,0,w,h) and returns the manager.
struct Laid {
    CPaintManagerUI manager;
    CControlUI *root = nullptr;
    Laid(const wchar_t *xml, int w, int h) {
        CDialogBuilder builder;
        root = builder.Create(xml, nullptr, nullptr, &manager);
        manager.AttachDialog(root);
        if (root != nullptr) root->SetPos({0, 0, w, h});
    }
    std::string Pos(const wchar_t *name) const {
        CControlUI *c = manager.FindControl(name);
        return c == nullptr ? "missing" : Str(c->GetPos());
    }
};

struct LayoutCase {
    const char *label;
    const wchar_t *xml;
    int width, height;
    std::vector<std::pair<const wchar_t *, std::string>> expected;
};

class LayoutGeometry : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(LayoutGeometry, ControlsGetTheExpectedRectangles) {
    const LayoutCase &c = GetParam();
    Laid laid(c.xml, c.width, c.height);
    ASSERT_NE(laid.root, nullptr) << c.label;
    for (const auto &e : c.expected) {
        EXPECT_EQ(laid.Pos(e.first), e.second) << c.label << ": " << std::string(e.first, e.first + wcslen(e.first));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, LayoutGeometry,
    ::testing::Values(
        LayoutCase{"vertical: fixed first, rest shared",
                   L"<VerticalLayout><Control name=\"a\" height=\"30\"/><Control name=\"b\"/><Control "
                   L"name=\"c\"/></VerticalLayout>",
                   100,
                   130,
                   {{L"a", "0,0,100,30"}, {L"b", "0,30,100,80"}, {L"c", "0,80,100,130"}}},
        LayoutCase{"vertical: inset, child padding, padding, fixed width",
                   L"<VerticalLayout inset=\"5,5,5,5\" childpadding=\"4\">"
                   L"<Control name=\"a\" height=\"20\" width=\"40\"/><Control name=\"b\" "
                   L"padding=\"3,2,1,6\"/></VerticalLayout>",
                   110,
                   100,
                   {{L"a", "5,5,45,25"}, {L"b", "8,31,104,89"}}},
        LayoutCase{"vertical: stretch shares clamp to min and max",
                   L"<VerticalLayout><Control name=\"a\" maxheight=\"10\"/><Control name=\"b\"/><Control name=\"c\" "
                   L"minheight=\"70\"/></VerticalLayout>",
                   50,
                   100,
                   {{L"a", "0,0,50,10"}, {L"b", "0,10,50,30"}, {L"c", "0,30,50,100"}}},
        LayoutCase{"vertical: rounding rest goes to the last stretch item",
                   L"<VerticalLayout><Control name=\"a\"/><Control name=\"b\"/><Control name=\"c\"/></VerticalLayout>",
                   10,
                   100,
                   {{L"a", "0,0,10,33"}, {L"b", "0,33,10,66"}, {L"c", "0,66,10,100"}}},
        LayoutCase{"horizontal: fixed widths and stretch",
                   L"<HorizontalLayout childpadding=\"2\"><Control name=\"a\" width=\"20\"/><Control name=\"b\"/>"
                   L"<Control name=\"c\" width=\"30\" height=\"10\"/></HorizontalLayout>",
                   100,
                   40,
                   {{L"a", "0,0,20,40"}, {L"b", "22,0,68,40"}, {L"c", "70,0,100,10"}}},
        LayoutCase{"hidden items take no space",
                   L"<HorizontalLayout><Control name=\"a\" visible=\"false\" width=\"50\"/><Control "
                   L"name=\"b\"/></HorizontalLayout>",
                   100,
                   10,
                   {{L"b", "0,0,100,10"}}},
        LayoutCase{"float with pos is placed relative to its parent",
                   L"<VerticalLayout><Control height=\"50\"/><Container name=\"box\" inset=\"9,9,9,9\">"
                   L"<Control name=\"f\" float=\"true\" pos=\"10,5,40,25\"/><Control "
                   L"name=\"fill\"/></Container></VerticalLayout>",
                   200,
                   150,
                   {{L"box", "0,50,200,150"}, {L"f", "10,55,40,75"}, {L"fill", "9,59,191,141"}}},
        LayoutCase{"float: an explicit width beats pos",
                   L"<Container><Control name=\"f\" float=\"true\" width=\"5\" pos=\"10,10,40,20\"/></Container>",
                   100,
                   100,
                   {{L"f", "10,10,15,20"}}},
        LayoutCase{
            "tab layout lays out the selected page in its inset",
            L"<TabLayout inset=\"1,1,1,1\" selectedid=\"1\"><Control name=\"p0\"/><Control name=\"p1\"/></TabLayout>",
            50,
            50,
            {{L"p1", "1,1,49,49"}}},
        LayoutCase{"nested layouts",
                   L"<VerticalLayout><HorizontalLayout height=\"20\"><Control name=\"l\" width=\"10\"/><Control "
                   L"name=\"r\"/></HorizontalLayout>"
                   L"<HorizontalLayout><Control name=\"x\"/><Control name=\"y\"/></HorizontalLayout></VerticalLayout>",
                   100,
                   100,
                   {{L"l", "0,0,10,20"}, {L"r", "10,0,100,20"}, {L"x", "0,20,50,100"}, {L"y", "50,20,100,100"}}}));

TEST(HitTest, PointsNameTheTopmostVisibleMouseEnabledControl) {
    Laid laid(
        L"<VerticalLayout name=\"root\"><HorizontalLayout name=\"bar\" height=\"40\">"
        L"<Button name=\"btn\" width=\"50\"/><Label name=\"passive\" width=\"50\" mouse=\"false\"/>"
        L"<Label name=\"gone\" width=\"50\" visible=\"false\"/><Control name=\"rest\"/></HorizontalLayout>"
        L"<Container name=\"body\"><Control name=\"under\"/><Button name=\"over\" float=\"true\" pos=\"10,10,30,30\"/>"
        L"</Container></VerticalLayout>",
        300, 200);
    struct {
        POINT pt;
        const wchar_t *expect;
    } cases[] = {
        {{5, 5}, L"btn"},       {{49, 39}, L"btn"},
        {{50, 5}, L"bar"},    // a label without mouse input: its container answers
        {{120, 5}, L"rest"},  // hidden controls take no space and are never hit
        {{15, 55}, L"over"},  // the float drawn last is on top
        {{100, 100}, L"under"}, {{299, 199}, L"under"},
        {{300, 100}, nullptr},  // right and bottom edges are outside
    };
    for (const auto &c : cases) {
        CControlUI *found = laid.manager.FindControl(c.pt);
        std::string where = std::to_string(c.pt.x) + "," + std::to_string(c.pt.y);
        if (c.expect == nullptr) {
            EXPECT_EQ(found, nullptr) << where;
        } else {
            ASSERT_NE(found, nullptr) << where;
            EXPECT_EQ(found->GetName(), c.expect) << where;
        }
    }
}

TEST(HitTest, MouseChildDisabledContainerAnswersForItsChildren) {
    Laid laid(L"<HorizontalLayout name=\"row\" mousechild=\"false\"><Button name=\"b\"/></HorizontalLayout>", 100, 20);
    CControlUI *found = laid.manager.FindControl(POINT{10, 10});
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->GetName(), L"row");
}

TEST(Tree, NamesFollowAddRemoveAndRename) {
    Laid laid(L"<VerticalLayout name=\"root\"><Label name=\"a\"/></VerticalLayout>", 100, 100);
    auto *root = static_cast<CContainerUI *>(laid.root);
    auto *b = new CLabelUI;
    b->SetName(L"b");
    EXPECT_EQ(laid.manager.FindControl(L"b"), nullptr);
    root->Add(b);
    EXPECT_EQ(laid.manager.FindControl(L"b"), b);
    EXPECT_EQ(b->GetManager(), &laid.manager);
    b->SetName(L"b2");
    EXPECT_EQ(laid.manager.FindControl(L"b"), nullptr);
    EXPECT_EQ(laid.manager.FindControl(L"b2"), b);
    root->Remove(b);
    EXPECT_EQ(laid.manager.FindControl(L"b2"), nullptr);
    root->RemoveAll();
    EXPECT_EQ(laid.manager.FindControl(L"a"), nullptr);
    EXPECT_EQ(root->GetCount(), 0);
}

TEST(Tree, APageBuiltWithoutAManagerJoinsWhenPlaced) {
    Laid laid(L"<VerticalLayout name=\"root\"/>", 200, 100);
    CDialogBuilder builder;
    CControlUI *page =
        builder.Create(L"<HorizontalLayout virtualwnd=\"V_P\"><Option name=\"p1\" group=\"g\" selected=\"true\"/>"
                       L"<Option name=\"p2\" group=\"g\"/></HorizontalLayout>");
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->GetManager(), nullptr);
    static_cast<CContainerUI *>(laid.root)->Add(page);
    auto *p2 = static_cast<COptionUI *>(laid.manager.FindControl(L"p2"));
    ASSERT_NE(p2, nullptr);
    EXPECT_EQ(p2->GetManager(), &laid.manager);
    EXPECT_EQ(p2->GetVirtualWnd(), L"V_P");
    ASSERT_NE(laid.manager.GetOptionGroup(L"g"), nullptr);
    EXPECT_EQ(laid.manager.GetOptionGroup(L"g")->size(), 2u);
    p2->Selected(true);
    EXPECT_FALSE(static_cast<COptionUI *>(laid.manager.FindControl(L"p1"))->IsSelected());
    laid.root->SetPos({0, 0, 200, 100});
    EXPECT_EQ(laid.manager.FindControl(POINT{150, 50}), p2);
}

TEST(Tree, VisibilityAndEnablingCountAncestors) {
    Laid laid(L"<VerticalLayout name=\"root\"><VerticalLayout name=\"box\"><Button "
              L"name=\"b\"/></VerticalLayout></VerticalLayout>",
              100, 100);
    CControlUI *box = laid.manager.FindControl(L"box");
    CControlUI *b = laid.manager.FindControl(L"b");
    box->SetVisible(false);
    EXPECT_FALSE(b->IsVisible());
    box->SetVisible(true);
    box->SetEnabled(false);
    EXPECT_FALSE(b->IsEnabled());
    EXPECT_FALSE(b->Activate());
}

TEST(Scroll, AVerticalLayoutTallerThanItsViewScrolls) {
    Laid laid(L"<VerticalLayout name=\"list\" vscrollbar=\"true\"><Control name=\"r0\" height=\"40\"/>"
              L"<Control height=\"40\"/><Control height=\"40\"/><Control name=\"r3\" height=\"40\"/></VerticalLayout>",
              100, 100);
    auto *list = static_cast<CContainerUI *>(laid.root);
    ASSERT_NE(list->GetVerticalScrollBar(), nullptr);
    EXPECT_EQ(list->GetScrollRange().cy, 60);
    int barWidth = CScrollBarUI::kDefaultThickness;
    EXPECT_EQ(laid.Pos(L"r0"), "0,0," + std::to_string(100 - barWidth) + ",40");
    list->SetScrollPos({0, 25});
    EXPECT_EQ(list->GetScrollPos().cy, 25);
    EXPECT_EQ(laid.Pos(L"r3"), "0,95," + std::to_string(100 - barWidth) + ",135");
    list->SetScrollPos({0, 1000});
    EXPECT_EQ(list->GetScrollPos().cy, 60);  // clamped to the range
    // Enough room again: the bar goes and the content returns to the top.
    list->SetPos({0, 0, 100, 200});
    EXPECT_EQ(list->GetScrollRange().cy, 0);
    EXPECT_EQ(laid.Pos(L"r0"), "0,0,100,40");
}

// Removing pages by index or by pointer keeps the shown page and the index in step. If this
// fails, the tabs show one page and report another.
TEST(Tabs, RemovingAPageKeepsTheCurrentIndexOnTheShownPage) {
    struct Case {
        const char *label;
        int removeIndex;
        bool byPointer;
        int expectedCurSel;
        const wchar_t *expectedShown;
    };
    const Case cases[] = {
        {"a page before the shown one, by index", 0, false, 1, L"p2"},
        {"a page before the shown one, by pointer", 0, true, 1, L"p2"},
        {"the shown page, by index: the next one shows", 2, false, 2, L"p3"},
        {"the shown page, by pointer", 2, true, 2, L"p3"},
        {"a page after the shown one", 3, false, 2, L"p2"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        Laid laid(L"<TabLayout selectedid=\"2\"><Control name=\"p0\"/><Control name=\"p1\"/>"
                  L"<Control name=\"p2\"/><Control name=\"p3\"/></TabLayout>",
                  50, 50);
        auto *tabs = static_cast<CTabLayoutUI *>(laid.root);
        ASSERT_EQ(tabs->GetCurSel(), 2);
        if (c.byPointer)
            tabs->Remove(tabs->GetItemAt(c.removeIndex));
        else
            tabs->RemoveAt(c.removeIndex);
        EXPECT_EQ(tabs->GetCurSel(), c.expectedCurSel);
        ASSERT_NE(tabs->GetItemAt(tabs->GetCurSel()), nullptr);
        EXPECT_EQ(tabs->GetItemAt(tabs->GetCurSel())->GetName(), c.expectedShown);
        EXPECT_TRUE(laid.manager.FindControl(c.expectedShown)->IsVisible());
    }
}

// "align" takes words: "center" centres across only, "vcenter" down only. If this fails,
// a label meant to be centred vertically is also centred horizontally.
TEST(Label, AlignWordsSetTheirOwnAxisOnly) {
    const UINT kAcross = DT_LEFT | DT_CENTER | DT_RIGHT, kDown = DT_TOP | DT_VCENTER | DT_BOTTOM;
    struct Case {
        const wchar_t *align;
        UINT across, down;
    };
    const Case cases[] = {
        {L"vcenter", DT_LEFT, DT_VCENTER},
        {L"center", DT_CENTER, DT_VCENTER},
        {L"right vcenter", DT_RIGHT, DT_VCENTER},
        {L"center,bottom", DT_CENTER, DT_BOTTOM},
        {L"top", DT_LEFT, DT_TOP},
        {L"Right", DT_RIGHT, DT_VCENTER},
        {L"vcenterx", DT_LEFT, DT_VCENTER},
        {L"left|top", DT_LEFT, DT_TOP},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.align)));
        CLabelUI label;
        const UINT before = label.GetTextStyle();
        ASSERT_EQ(before & kAcross, static_cast<UINT>(DT_LEFT));
        ASSERT_EQ(before & kDown, static_cast<UINT>(DT_VCENTER));
        label.SetAttribute(L"align", c.align);
        EXPECT_EQ(label.GetTextStyle() & (DT_CENTER | DT_RIGHT), c.across & (DT_CENTER | DT_RIGHT));
        EXPECT_EQ(label.GetTextStyle() & (DT_VCENTER | DT_BOTTOM), c.down & (DT_VCENTER | DT_BOTTOM));
    }
}

}  // namespace
