// Container rows (buttons inside rows, as the call list builds them) and rows removed while
// a notification one of them sent is being dispatched: no crash, the removed controls are
// no longer found by name, and the list goes on working.
#include <gtest/gtest.h>

#include "tests/support/WaitFor.h"
#include "tests/uilib_core/TestWindow.h"

using uitest::TestWindow;

namespace {

const wchar_t kSkin[] = L"<Window><VerticalLayout inset=\"10,10,10,10\" virtualwnd=\"V_Menu1_1\">"
                        L"<List name=\"calls\" height=\"400\" vscrollbar=\"true\"/><Control/>"
                        L"</VerticalLayout></Window>";

CButtonUI *RowButton(const std::wstring &name, const wchar_t *pos, const wchar_t *width) {
    auto *b = new CButtonUI;
    for (const auto &a : {std::make_pair(L"name", name.c_str()),
                          {L"float", L"true"},
                          {L"pos", pos},
                          {L"width", width},
                          {L"height", L"30"}})
        b->SetAttribute(a.first, a.second);
    return b;
}

// The call list's row: three columns; the name button covers column 1, the third column
// has two 30 px buttons and empty space after them.
void AddCallRow(CListUI *list, int n) {
    auto *row = new CListContainerElementUI;
    row->SetAttribute(L"height", L"30");
    row->SetIndex(1);
    list->Add(row);
    auto *line = new CHorizontalLayoutUI;
    row->Add(line);
    const wchar_t *widths[] = {L"250", L"250", L"330"};
    CVerticalLayoutUI *cols[3];
    for (int c = 0; c < 3; ++c) {
        cols[c] = new CVerticalLayoutUI;
        cols[c]->SetAttribute(L"width", widths[c]);
        line->Add(cols[c]);
    }
    const std::wstring name = L"ItemBtn" + std::to_wstring(n);
    cols[0]->Add(RowButton(name + L"Text0", L"0,0,0,0", L"250"));
    cols[2]->Add(RowButton(name + L"Play", L"0,0,0,0", L"30"));
    cols[2]->Add(RowButton(name + L"Delete", L"60,0,0,0", L"30"));
}

// A point in the empty part of row n's third column.
POINT RowBackground(CListUI *list, int n) {
    const RECT rc = list->GetItemAt(n)->GetPos();
    return {rc.left + 250 + 250 + 200, (rc.top + rc.bottom) / 2};
}

}  // namespace

TEST(ListContainerRows, ButtonsTakeTheirClicksAndTheBackgroundSelectsTheRow) {
    TestWindow host(kSkin);
    ASSERT_NE(host.Open(900, 600, true), nullptr);
    auto *list = host.Find<CListUI>(L"calls");
    for (int n = 0; n < 5; ++n) AddCallRow(list, n);
    host.Layout();
    auto *play = host.Find(L"ItemBtn2Play");
    host.Click(play);
    EXPECT_EQ(host.Seen({DUI_MSGTYPE_CLICK}), std::vector<std::string>{"click ItemBtn2Play"});
    EXPECT_EQ(play->GetVirtualWnd(), L"V_Menu1_1") << "code-built rows route through the page";
    EXPECT_EQ(list->GetCurSel(), -1) << "a button's click does not select its row";
    host.Click(RowBackground(list, 2));
    EXPECT_EQ(list->GetCurSel(), 2);
    EXPECT_EQ(host.Last(DUI_MSGTYPE_ITEMCLICK)->sender, list->GetItemAt(2));
    host.Click(RowBackground(list, 4), true);
    EXPECT_EQ(host.Last(DUI_MSGTYPE_DBCLICK)->sender, list->GetItemAt(4));
}

TEST(ListContainerRows, ReloadingTheListFromARowButtonsClickIsSafe) {
    TestWindow host(kSkin);
    ASSERT_NE(host.Open(900, 600, true), nullptr);
    auto *list = host.Find<CListUI>(L"calls");
    for (int n = 0; n < 16; ++n) AddCallRow(list, n);
    host.Layout();
    CControlUI *oldDelete = host.Find(L"ItemBtn3Delete");
    int reloads = 0;
    host.onNotify = [&](TNotifyUI &msg) {
        if (msg.sType != DUI_MSGTYPE_CLICK) return;
        // The page reload of the call list: every row goes, the page comes back one shorter.
        list->RemoveAll();
        EXPECT_EQ(host.Manager().FindControl(L"ItemBtn3Delete"), nullptr);
        for (int n = 0; n < 15; ++n) AddCallRow(list, n);
        ++reloads;
        // The sender is still alive until dispatch returns.
        EXPECT_EQ(msg.pSender->GetName(), L"ItemBtn3Delete");
    };
    host.Click(oldDelete);
    EXPECT_EQ(reloads, 1);
    testsupport::PumpPending();
    host.Layout();
    EXPECT_EQ(list->GetCount(), 15);
    // The new rows work: a click on the new delete button reloads again.
    host.Click(L"ItemBtn3Delete");
    EXPECT_EQ(reloads, 2);
}

TEST(ListRows, RowsRemovedDuringSelectionOrDoubleClickNotificationsAreSafe) {
    for (const wchar_t *type : {DUI_MSGTYPE_ITEMSELECT, DUI_MSGTYPE_ITEMCLICK, DUI_MSGTYPE_DBCLICK}) {
        SCOPED_TRACE(uitest::Utf8(type));
        TestWindow host(L"<Window><VerticalLayout><List name=\"list\"/></VerticalLayout></Window>");
        ASSERT_NE(host.Open(800, 600, true), nullptr);
        auto *list = host.Find<CListUI>(L"list");
        for (int i = 0; i < 8; ++i) {
            auto *row = new CListTextElementUI;
            list->Add(row);
            row->SetText(0, L"row");
        }
        host.Layout();
        CControlUI *target = list->GetItemAt(5);
        bool removed = false;
        host.onNotify = [&](TNotifyUI &msg) {
            if (msg.sType != type || removed) return;
            removed = list->Remove(target);
        };
        const POINT at = TestWindow::Center(target);  // target may be gone after the click
        if (type == CDuiString(DUI_MSGTYPE_DBCLICK)) {
            host.Click(at);
            host.notes.clear();
            host.Send(WM_LBUTTONDBLCLK, MK_LBUTTON, at);
            host.Release(at);
        } else {
            host.Click(at);
        }
        host.onNotify = nullptr;
        EXPECT_TRUE(removed);
        if (type == CDuiString(DUI_MSGTYPE_ITEMSELECT)) {
            EXPECT_EQ(host.Count(DUI_MSGTYPE_ITEMCLICK), 0) << "a removed row sends nothing more";
        }
        testsupport::PumpPending();
        EXPECT_EQ(list->GetItemIndex(target), -1);
        EXPECT_EQ(list->GetCount(), 7);
        EXPECT_EQ(list->GetCurSel(), -1) << "the selected row went";
        host.Layout();
        host.Click(TestWindow::Center(list->GetItemAt(0)));
        EXPECT_EQ(list->GetCurSel(), 0);
    }
}
