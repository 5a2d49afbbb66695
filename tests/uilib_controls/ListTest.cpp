// Lists under the mouse, keys and wheel.
#include <gtest/gtest.h>

#include "tests/support/WaitFor.h"
#include "tests/uilib_core/TestWindow.h"
#include "uilib/controls/UIListBody.h"

using uitest::TestWindow;

namespace {

// The call list's row: a name button over column 1, two 30 px buttons in column 3, the
// first of them the row's default.
void AddCallRow(CListUI *list, int n) {
    const std::wstring id = L"ItemBtn" + std::to_wstring(n),
                       button = L"<Button float=\"true\" height=\"30\" name=\"" + id;
    CDialogBuilder builder;
    list->Add(builder.Create(
        (L"<ListContainerElement height=\"30\"><HorizontalLayout><VerticalLayout width=\"250\">" + button +
         L"Text0\" pos=\"0,0,0,0\" width=\"250\"/></VerticalLayout><VerticalLayout width=\"250\"/><VerticalLayout "
         L"width=\"330\">" +
         button + L"Play\" pos=\"0,0,0,0\" width=\"30\" default=\"true\"/>" + button +
         L"Delete\" pos=\"60,0,0,0\" width=\"30\"/></VerticalLayout></HorizontalLayout></ListContainerElement>")
            .c_str()));
}

// Columns of 900 px in a 780 x 300 list: rows scroll both ways.
struct List : ::testing::Test {
    void SetUp() override {
        ASSERT_NE(host.Open(800, 600, true), nullptr);
        list = host.Find<CListUI>(L"list");
    }
    void Fill(int n) {
        for (int i = 0; i < n; ++i) {
            auto *row = new CListTextElementUI;
            row->SetFixedHeight(30);
            list->Add(row);
            row->SetText(0, (L"r" + std::to_wstring(i)).c_str());
        }
        host.Layout();
    }
    CListBodyUI *Body() { return static_cast<CListBodyUI *>(list->GetList()); }
    // A point in the empty part of a call row's third column.
    POINT RowBackground(int n) {
        const RECT rc = list->GetItemAt(n)->GetPos();
        return {rc.left + 250 + 250 + 200, (rc.top + rc.bottom) / 2};
    }

    TestWindow host{
        L"<Window><VerticalLayout inset=\"10,10,10,10\" virtualwnd=\"V_Menu1_1\"><List name=\"list\" height=\"300\" "
        L"vscrollbar=\"true\" hscrollbar=\"true\"><ListHeader height=\"30\"><ListHeaderItem text=\"A\" "
        L"width=\"200\"/><ListHeaderItem text=\"B\" width=\"300\"/><ListHeaderItem text=\"C\" "
        L"width=\"400\"/></ListHeader></List><Control/></VerticalLayout></Window>"};
    CListUI *list = nullptr;
};

}  // namespace

TEST_F(List, RemovingRowsAdjustsTheSelection) {
    struct Case {
        int selected;
        std::function<void(CListUI *)> change;
        int expected;
    };
    const Case cases[] = {
        {2, [](CListUI *l) { l->RemoveAt(2); }, -1},
        {2, [](CListUI *l) { l->RemoveAt(4); }, 2},
        {3, [](CListUI *l) { l->Remove(l->GetItemAt(1)); }, 2},
        {2, [](CListUI *l) { l->AddAt(new CListTextElementUI, 0); }, 3},
        {1, [](CListUI *l) { l->SelectItem(99); }, -1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(&c - cases);
        list->RemoveAll();
        Fill(5);
        list->SelectItem(c.selected);
        CControlUI *selectedRow = list->GetItemAt(c.selected);
        c.change(list);
        EXPECT_EQ(list->GetCurSel(), c.expected);
        EXPECT_TRUE(c.expected < 0 ||
                    (list->GetItemAt(c.expected) == selectedRow && selectedRow->GetInspectSelected()));
    }
}

TEST_F(List, ClicksAndKeysSelectAndNotify) {
    Fill(100);
    CControlUI *row = list->GetItemAt(3);
    host.Click(row);
    ASSERT_EQ(host.Count(DUI_MSGTYPE_ITEMSELECT), 1);
    const uitest::Note *select = host.Last(DUI_MSGTYPE_ITEMSELECT);
    EXPECT_TRUE(select->sender == list && select->wParam == 3 && static_cast<int>(select->lParam) == -1);
    EXPECT_EQ(host.Last(DUI_MSGTYPE_ITEMCLICK)->sender, row);
    host.Click(row, true);  // the same row again: clicks and a double-click, no new selection
    EXPECT_EQ(host.Count(DUI_MSGTYPE_ITEMSELECT) * 10 + host.Count(DUI_MSGTYPE_ITEMCLICK), 12);
    EXPECT_EQ(host.Last(DUI_MSGTYPE_DBCLICK)->sender, row);
    for (WPARAM key : {VK_DOWN, VK_DOWN}) host.Key(key);
    EXPECT_EQ(list->GetCurSel(), 5);
    EXPECT_EQ(host.Last(DUI_MSGTYPE_ITEMSELECT)->lParam, 4);
    host.Key(VK_END);
    host.Layout();
    EXPECT_LE(list->GetItemAt(99)->GetPos().bottom, Body()->GetRowsRect().bottom) << "scrolled into view";
    host.Key(VK_HOME);
    EXPECT_EQ(list->GetCurSel() + list->GetScrollPos().cy, 0);
}

TEST_F(List, OnlyTheRowsInViewAreLaidOut) {
    Fill(10000);
    int first = -1, last = -1;
    Body()->GetVisibleRange(first, last);
    EXPECT_TRUE(first == 0 && last <= 12) << "a 300 px list shows about ten 30 px rows";
    const RECT distant = list->GetItemAt(5000)->GetPos();
    EXPECT_EQ(distant.right, distant.left) << "a row never in view was never positioned";
    const RECT rows = Body()->GetRowsRect();
    EXPECT_EQ(list->GetScrollRange().cy, 10000 * 30 - (rows.bottom - rows.top));
    list->EnsureVisible(5000);
    host.Layout();
    EXPECT_EQ(host.Manager().FindControl(TestWindow::Center(list->GetItemAt(5000))), list->GetItemAt(5000));
    EXPECT_LE(list->GetItemAt(0)->GetPos().bottom, rows.top);
}

TEST_F(List, ScrollBarsFollowTheContentAndTakeTheConsoleSettings) {
    CScrollBarUI *vbar = list->GetVerticalScrollBar(), *hbar = list->GetHorizontalScrollBar();
    vbar->SetAttribute(L"width", L"10");
    hbar->SetAttribute(L"height", L"10");
    Fill(3);
    EXPECT_EQ(list->GetScrollRange().cy, 0) << "three rows fit";
    Fill(50);
    EXPECT_EQ(vbar->GetPos().right - vbar->GetPos().left + hbar->GetPos().bottom - hbar->GetPos().top, 20);
    EXPECT_EQ(vbar->GetPos().right, list->GetPos().right);
    const int headerLeft = list->GetHeader()->GetItemAt(1)->GetPos().left;
    list->SetScrollPos({50, 0});
    host.Layout();
    EXPECT_EQ(list->GetListInfo()->rcColumn[1].left, headerLeft - 50);
    ::ValidateRect(host.GetHWND(), nullptr);  // a scroll repaints every row in view
    list->SetScrollPos({50, 90});
    RECT dirty = {}, rows = list->GetList()->GetPos(), both;
    ::GetUpdateRect(host.GetHWND(), &dirty, FALSE);
    EXPECT_TRUE(::IntersectRect(&both, &dirty, &rows) && ::EqualRect(&both, &rows));
}

// Three rows a notch; small touchpad deltas add up to notches, a turn back starts again;
// the tilt wheel scrolls sideways. If this fails, touchpads scroll in jumps or not at all.
TEST_F(List, WheelScrollsTheRows) {
    const struct {
        UINT msg;
        int delta, across, down;  // the scroll position after it, in notches
    } steps[] = {
        {WM_MOUSEWHEEL, -WHEEL_DELTA, 0, 1}, {WM_MOUSEWHEEL, WHEEL_DELTA, 0, 0}, {WM_MOUSEWHEEL, -60, 0, 0},
        {WM_MOUSEWHEEL, -60, 0, 1},          {WM_MOUSEWHEEL, -100, 0, 1},        {WM_MOUSEWHEEL, 100, 0, 1},
        {WM_MOUSEWHEEL, 20, 0, 0},           {WM_MOUSEHWHEEL, 60, 0, 0},         {WM_MOUSEHWHEEL, 60, 1, 0},
    };
    Fill(50);
    const int across = 3 * list->GetList()->GetHorizontalScrollBar()->GetLineSize();
    for (const auto &s : steps) {
        SCOPED_TRACE(testing::Message() << (s.msg == WM_MOUSEWHEEL ? "wheel " : "tilt ") << s.delta);
        host.Wheel(TestWindow::Center(list->GetItemAt(2)), s.delta, s.msg);
        EXPECT_EQ(list->GetScrollPos().cx, s.across * across);
        EXPECT_EQ(list->GetScrollPos().cy, s.down * 90);
    }
}

// Enter on a row does what its default button does, or else what a double-click does.
TEST_F(List, ButtonsTakeTheirClicksTheBackgroundSelectsTheRowAndEnterActs) {
    for (int n = 0; n < 5; ++n) AddCallRow(list, n);
    Fill(1);  // row 5: text
    host.Click(L"ItemBtn2Play");
    EXPECT_EQ(host.Seen({DUI_MSGTYPE_CLICK}), std::vector<std::string>{"click ItemBtn2Play"});
    EXPECT_EQ(host.Last(DUI_MSGTYPE_CLICK)->virtualWnd, L"V_Menu1_1") << "code-built rows route through the page";
    EXPECT_EQ(list->GetCurSel(), -1) << "a button's click does not select its row";
    host.Click(RowBackground(2));
    EXPECT_TRUE(list->GetCurSel() == 2 && host.Last(DUI_MSGTYPE_ITEMCLICK)->sender == list->GetItemAt(2));
    host.notes.clear();
    host.Key(VK_RETURN);
    EXPECT_EQ(host.Seen({DUI_MSGTYPE_DBCLICK, DUI_MSGTYPE_CLICK}), std::vector<std::string>{"click ItemBtn2Play"});
    host.Key(VK_END);
    host.notes.clear();
    host.Key(VK_RETURN);
    EXPECT_EQ(host.Seen({DUI_MSGTYPE_DBCLICK, DUI_MSGTYPE_CLICK}), std::vector<std::string>{"dbclick "});
    EXPECT_EQ(host.Last(DUI_MSGTYPE_DBCLICK)->sender, list->GetItemAt(5));
    host.Key(VK_TAB);
    EXPECT_EQ(host.Manager().GetFocus(), host.Find(L"ItemBtn0Text0"))
        << "the rows' buttons are tab stops after the list";
}

TEST_F(List, RowsRemovedDuringSelectionOrDoubleClickNotificationsAreSafe) {
    for (const wchar_t *type : {DUI_MSGTYPE_ITEMSELECT, DUI_MSGTYPE_ITEMCLICK, DUI_MSGTYPE_DBCLICK}) {
        SCOPED_TRACE(type);
        list->RemoveAll();
        for (int i = 0; i < 8; ++i) AddCallRow(list, i);
        host.Layout();
        CControlUI *target = list->GetItemAt(5);
        const POINT at = RowBackground(5);  // target may be gone after the click
        host.onNotify = [&](TNotifyUI &msg) {
            if (msg.sType == type && list->GetItemIndex(target) >= 0) list->Remove(target);
        };
        const bool twice = type == std::wstring(DUI_MSGTYPE_DBCLICK);
        host.notes.clear();
        host.Click(at, twice);
        host.onNotify = nullptr;
        EXPECT_TRUE(type != std::wstring(DUI_MSGTYPE_ITEMSELECT) || host.Count(DUI_MSGTYPE_ITEMCLICK) == 0)
            << "a removed row sends nothing more";
        testsupport::PumpPending();
        EXPECT_EQ(list->GetItemIndex(target), -1);
        EXPECT_EQ(list->GetCount(), 7);
        EXPECT_EQ(list->GetCurSel(), -1) << "the selected row went";
        host.Click(RowBackground(0));
        EXPECT_EQ(list->GetCurSel(), 0);
    }
}
