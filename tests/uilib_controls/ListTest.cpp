// Lists: row operations address rows (never the header), selection by mouse and keys with
// the right notifications, scroll bars, and only the rows in view laid out.
#include <gtest/gtest.h>

#include "tests/uilib_controls/TestHost.h"
#include "uilib/controls/UIListBody.h"

using uitest::TestHost;

namespace {

const wchar_t kSkin[] =
    L"<Window><VerticalLayout inset=\"10,10,10,10\">"
    L"<List name=\"list\" height=\"300\" vscrollbar=\"true\" hscrollbar=\"true\">"
    L"<ListHeader height=\"30\"><ListHeaderItem text=\"A\" width=\"200\"/><ListHeaderItem text=\"B\" width=\"300\"/>"
    L"<ListHeaderItem text=\"C\" width=\"400\"/></ListHeader></List><Control/>"
    L"</VerticalLayout></Window>";

CListTextElementUI *AddRow(CListUI *list, const wchar_t *a, const wchar_t *b = L"") {
    auto *row = new CListTextElementUI;
    row->SetFixedHeight(30);
    list->Add(row);
    row->SetText(0, a);
    row->SetText(1, b);
    return row;
}

void Fill(CListUI *list, int n) {
    for (int i = 0; i < n; ++i) {
        wchar_t text[16];
        swprintf(text, 16, L"r%d", i);
        AddRow(list, text);
    }
}

}  // namespace

TEST(List, RowOperationsAddressRowsNotTheHeader) {
    TestHost host(kSkin);
    auto *list = host.Find<CListUI>(L"list");
    ASSERT_NE(list, nullptr);
    ASSERT_NE(list->GetHeader(), nullptr);
    EXPECT_EQ(list->GetHeader()->GetCount(), 3);
    EXPECT_EQ(list->GetCount(), 0);
    EXPECT_EQ(list->GetItemAt(0), nullptr);
    CListTextElementUI *a = AddRow(list, L"a");
    CListTextElementUI *b = AddRow(list, L"b");
    auto *first = new CListTextElementUI;
    ASSERT_TRUE(list->AddAt(first, 0));
    EXPECT_EQ(list->GetCount(), 3);
    EXPECT_EQ(list->GetItemAt(0), first);
    EXPECT_EQ(list->GetItemIndex(b), 2);
    EXPECT_EQ(b->GetIndex(), 2) << "rows after an insertion are renumbered";
    EXPECT_EQ(list->GetItemIndex(list->GetHeader()), -1);
    // A header given to Add replaces the header and is no row.
    auto *header = new CListHeaderUI;
    auto *column = new CListHeaderItemUI;
    column->SetFixedWidth(120);
    header->Add(column);
    ASSERT_TRUE(list->Add(header));
    EXPECT_EQ(list->GetHeader(), header);
    EXPECT_EQ(list->GetCount(), 3);
    ASSERT_TRUE(list->Remove(a));
    EXPECT_EQ(list->GetCount(), 2);
    EXPECT_EQ(b->GetIndex(), 1);
    list->RemoveAll();
    EXPECT_EQ(list->GetCount(), 0);
    EXPECT_EQ(list->GetHeader(), header) << "RemoveAll keeps the header";
    EXPECT_FALSE(list->RemoveAt(0));
}

TEST(List, RemovingRowsAdjustsTheSelection) {
    struct Case {
        const char *what;
        int selected;
        std::function<void(CListUI *)> change;
        int expected;
    };
    const Case cases[] = {
        {"selected row removed", 2, [](CListUI *l) { l->RemoveAt(2); }, -1},
        {"row before it removed", 2, [](CListUI *l) { l->RemoveAt(0); }, 1},
        {"row after it removed", 2, [](CListUI *l) { l->RemoveAt(4); }, 2},
        {"removed by pointer", 3, [](CListUI *l) { l->Remove(l->GetItemAt(1)); }, 2},
        {"row inserted before it", 2, [](CListUI *l) { l->AddAt(new CListTextElementUI, 0); }, 3},
        {"all removed", 4, [](CListUI *l) { l->RemoveAll(); }, -1},
        {"index past the end", 1, [](CListUI *l) { l->SelectItem(99); }, -1},
    };
    TestHost host(kSkin);
    auto *list = host.Find<CListUI>(L"list");
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        list->RemoveAll();
        Fill(list, 5);
        list->SelectItem(c.selected);
        CControlUI *selectedRow = list->GetItemAt(c.selected);
        c.change(list);
        EXPECT_EQ(list->GetCurSel(), c.expected);
        if (c.expected >= 0) {
            EXPECT_EQ(list->GetItemAt(c.expected), selectedRow);
            EXPECT_EQ(list->GetItemAt(c.expected)->GetInspectSelected(), 1);
        }
        int value = -2;
        ASSERT_TRUE(list->GetInspectValue(value));
        EXPECT_EQ(value, c.expected);
    }
}

TEST(List, ClickSelectsAndNotifiesItemSelectThenItemClick) {
    TestHost host(kSkin);
    auto *list = host.Find<CListUI>(L"list");
    Fill(list, 6);
    host.Layout();
    CControlUI *row = list->GetItemAt(3);
    host.Click(row);
    EXPECT_EQ(list->GetCurSel(), 3);
    ASSERT_EQ(host.Count(DUI_MSGTYPE_ITEMSELECT), 1);
    const uitest::Note *select = host.Last(DUI_MSGTYPE_ITEMSELECT);
    EXPECT_EQ(select->sender, list);
    EXPECT_EQ(select->wParam, 3u);
    EXPECT_EQ(static_cast<int>(select->lParam), -1);
    const uitest::Note *click = host.Last(DUI_MSGTYPE_ITEMCLICK);
    ASSERT_NE(click, nullptr);
    EXPECT_EQ(click->sender, row);
    // The same row again: a click, no new selection.
    host.Click(row);
    EXPECT_EQ(host.Count(DUI_MSGTYPE_ITEMSELECT), 1);
    EXPECT_EQ(host.Count(DUI_MSGTYPE_ITEMCLICK), 2);
}

TEST(List, DoubleClickOnARowSendsDbclickFromTheRow) {
    TestHost host(L"<Window><VerticalLayout virtualwnd=\"V_Page\"><List name=\"list\"/></VerticalLayout></Window>");
    auto *list = host.Find<CListUI>(L"list");
    Fill(list, 4);
    host.Layout();
    CControlUI *row = list->GetItemAt(1);
    host.DoubleClick(TestHost::Center(row));
    ASSERT_EQ(host.Count(DUI_MSGTYPE_DBCLICK), 1);
    EXPECT_EQ(host.Last(DUI_MSGTYPE_DBCLICK)->sender, row);
    EXPECT_EQ(list->GetCurSel(), 1);
    // Rows built in code route through their nearest ancestor's virtual window.
    EXPECT_EQ(row->GetVirtualWnd(), L"V_Page");
}

TEST(List, ArrowKeysMoveTheSelectionAndScrollItIntoView) {
    TestHost host(kSkin);
    auto *list = host.Find<CListUI>(L"list");
    Fill(list, 100);
    host.Layout();
    host.Click(list->GetItemAt(0));
    host.Key(VK_DOWN);
    host.Key(VK_DOWN);
    EXPECT_EQ(list->GetCurSel(), 2);
    host.Key(VK_END);
    EXPECT_EQ(list->GetCurSel(), 99);
    host.Layout();
    const RECT body = list->GetList()->GetPos();
    const RECT last = list->GetItemAt(99)->GetPos();
    EXPECT_LE(last.bottom, body.bottom);
    EXPECT_GE(last.top, body.top);
    host.Key(VK_HOME);
    EXPECT_EQ(list->GetCurSel(), 0);
    EXPECT_EQ(list->GetScrollPos().cy, 0);
}

TEST(List, OnlyTheRowsInViewAreLaidOut) {
    TestHost host(kSkin);
    auto *list = host.Find<CListUI>(L"list");
    Fill(list, 10000);
    host.Layout();
    auto *body = static_cast<CListBodyUI *>(list->GetList());
    int first = -1, last = -1;
    body->GetVisibleRange(first, last);
    EXPECT_EQ(first, 0);
    EXPECT_LE(last - first, 12) << "a 300 px list shows about ten 30 px rows";
    const RECT distant = list->GetItemAt(5000)->GetPos();
    EXPECT_TRUE(distant.right == distant.left) << "a row never in view was never positioned";
    EXPECT_EQ(list->GetScrollRange().cy, 10000 * 30 - (body->GetRowsRect().bottom - body->GetRowsRect().top));
    list->EnsureVisible(5000);
    host.Layout();
    body->GetVisibleRange(first, last);
    EXPECT_LE(first, 5000);
    EXPECT_GE(last, 5000);
    const RECT now = list->GetItemAt(5000)->GetPos();
    EXPECT_EQ(now.bottom - now.top, 30);
    // A hit test at a row in view finds that row.
    EXPECT_EQ(host.Manager().FindControl(TestHost::Center(list->GetItemAt(5000))), list->GetItemAt(5000));
    // The rows that left the view report where they are now: above it.
    const RECT left = list->GetItemAt(0)->GetPos();
    EXPECT_LE(left.bottom, body->GetRowsRect().top);
}

TEST(List, ScrollBarsFollowTheContentAndTakeTheConsoleSettings) {
    TestHost host(kSkin);
    auto *list = host.Find<CListUI>(L"list");
    CScrollBarUI *vbar = list->GetVerticalScrollBar();
    CScrollBarUI *hbar = list->GetHorizontalScrollBar();
    ASSERT_NE(vbar, nullptr);
    ASSERT_NE(hbar, nullptr);
    vbar->SetAttribute(L"width", L"10");
    vbar->SetThumbColor(0xff4877e7);
    vbar->SetVisible(true);
    hbar->SetAttribute(L"height", L"10");
    hbar->SetThumbColor(0xff4877e7);
    hbar->SetVisible(true);
    Fill(list, 3);
    host.Layout();
    EXPECT_EQ(list->GetScrollRange().cy, 0) << "three rows fit";
    EXPECT_EQ(vbar->GetThumbColor(), 0xff4877e7u);
    Fill(list, 50);
    host.Layout();
    EXPECT_GT(list->GetScrollRange().cy, 0);
    EXPECT_EQ(vbar->GetPos().right - vbar->GetPos().left, 10);
    EXPECT_EQ(hbar->GetPos().bottom - hbar->GetPos().top, 10);
    EXPECT_EQ(vbar->GetPos().right, list->GetPos().right);
    // Columns of 900 px in a 780 px list scroll sideways, the header with them.
    EXPECT_GT(list->GetScrollRange().cx, 0);
    const int headerLeft = list->GetHeader()->GetItemAt(1)->GetPos().left;
    list->SetScrollPos({50, 0});
    host.Layout();
    EXPECT_EQ(list->GetHeader()->GetItemAt(1)->GetPos().left, headerLeft - 50);
    EXPECT_EQ(list->GetListInfo()->rcColumn[1].left, headerLeft - 50);
    // Dragging the thumb scrolls the rows.
    const POINT grab = TestHost::Center(vbar);
    const int top = vbar->GetPos().top;
    host.Press({grab.x, top + 5});
    host.Move({grab.x, top + 105});
    host.Release({grab.x, top + 105});
    host.Layout();
    EXPECT_GT(list->GetScrollPos().cy, 100);
    int first = -1, last = -1;
    static_cast<CListBodyUI *>(list->GetList())->GetVisibleRange(first, last);
    EXPECT_GT(first, 2) << "the rows in view moved down the list";
}

// Three rows a notch; small touchpad deltas add up to notches, a turn back starts again;
// the tilt wheel scrolls the rows (wider than the view) sideways. If this fails, touchpads
// scroll in jumps or not at all.
TEST(List, WheelScrollsTheRows) {
    struct Step {
        UINT msg;
        int delta;
        int across, down;  // the scroll position in notches
    };
    const Step steps[] = {
        {WM_MOUSEWHEEL, -WHEEL_DELTA, 0, 1},
        {WM_MOUSEWHEEL, WHEEL_DELTA, 0, 0},
        {WM_MOUSEWHEEL, -30, 0, 0},
        {WM_MOUSEWHEEL, -60, 0, 0},
        {WM_MOUSEWHEEL, -30, 0, 1},
        {WM_MOUSEWHEEL, -2 * WHEEL_DELTA, 0, 3},
        {WM_MOUSEWHEEL, -100, 0, 3},
        {WM_MOUSEWHEEL, 100, 0, 3},
        {WM_MOUSEWHEEL, 20, 0, 2},
        {WM_MOUSEHWHEEL, WHEEL_DELTA, 1, 2},
        {WM_MOUSEHWHEEL, 60, 1, 2},
        {WM_MOUSEHWHEEL, 60, 2, 2},
        {WM_MOUSEHWHEEL, -2 * WHEEL_DELTA, 0, 2},
    };
    TestHost host(kSkin);
    auto *list = host.Find<CListUI>(L"list");
    Fill(list, 50);
    host.Layout();
    const int across = 3 * list->GetList()->GetHorizontalScrollBar()->GetLineSize();
    const int down = 3 * list->GetList()->GetVerticalScrollBar()->GetLineSize();
    EXPECT_EQ(down, 90) << "three rows a notch";
    ASSERT_GT(list->GetScrollRange().cx, 2 * across) << "the columns are wider than the list";
    POINT at = TestHost::Center(list->GetItemAt(2));
    ::ClientToScreen(host.GetHWND(), &at);
    for (const Step &step : steps) {
        SCOPED_TRACE(testing::Message() << (step.msg == WM_MOUSEWHEEL ? "wheel " : "tilt ") << step.delta);
        ::SendMessageW(host.GetHWND(), step.msg, MAKEWPARAM(0, step.delta), MAKELPARAM(at.x, at.y));
        EXPECT_EQ(list->GetScrollPos().cx, step.across * across);
        EXPECT_EQ(list->GetScrollPos().cy, step.down * down);
    }
}

TEST(List, TextRowsReportColumnsJoinedForInspection) {
    TestHost host(kSkin);
    auto *list = host.Find<CListUI>(L"list");
    CListTextElementUI *row = AddRow(list, L"基站", L"10.0.0.1");
    row->SetText(2, L"x\ty");
    EXPECT_EQ(row->GetInspectText(), CDuiString(L"基站\x1F"
                                                L"10.0.0.1\x1Fx\ty"));
    EXPECT_STREQ(row->GetText(7), L"");
    EXPECT_EQ(row->GetColumnCount(), 3);
}
