// Container rows (as the call list builds them) and rows removed during their notifications.
#include <gtest/gtest.h>

#include "tests/support/WaitFor.h"
#include "tests/uilib_core/TestWindow.h"

using uitest::TestWindow;

namespace {

// The call list's row: a name button over column 1, two 30 px buttons in column 3.
void AddCallRow(CListUI *list, int n) {
    const std::wstring id = L"ItemBtn" + std::to_wstring(n),
                       button = L"<Button float=\"true\" height=\"30\" name=\"" + id;
    CDialogBuilder builder;
    list->Add(builder.Create(
        (L"<ListContainerElement height=\"30\"><HorizontalLayout><VerticalLayout width=\"250\">" + button +
         L"Text0\" pos=\"0,0,0,0\" width=\"250\"/></VerticalLayout><VerticalLayout width=\"250\"/><VerticalLayout "
         L"width=\"330\">" +
         button + L"Play\" pos=\"0,0,0,0\" width=\"30\"/>" + button +
         L"Delete\" pos=\"60,0,0,0\" width=\"30\"/></VerticalLayout></HorizontalLayout></ListContainerElement>")
            .c_str()));
}

class ListRows : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(host.Open(900, 600, true), nullptr);
        list = host.Find<CListUI>(L"calls");
    }
    // A point in the empty part of row n's third column.
    POINT RowBackground(int n) {
        const RECT rc = list->GetItemAt(n)->GetPos();
        return {rc.left + 250 + 250 + 200, (rc.top + rc.bottom) / 2};
    }
    TestWindow host{L"<Window><VerticalLayout inset=\"10,10,10,10\" virtualwnd=\"V_Menu1_1\"><List name=\"calls\" "
                    L"height=\"400\" vscrollbar=\"true\"/><Control/></VerticalLayout></Window>"};
    CListUI *list = nullptr;
};

}  // namespace

TEST_F(ListRows, ButtonsTakeTheirClicksAndTheBackgroundSelectsTheRow) {
    for (int n = 0; n < 5; ++n) AddCallRow(list, n);
    host.Click(L"ItemBtn2Play");
    EXPECT_EQ(host.Seen({DUI_MSGTYPE_CLICK}), std::vector<std::string>{"click ItemBtn2Play"});
    EXPECT_EQ(host.Last(DUI_MSGTYPE_CLICK)->virtualWnd, L"V_Menu1_1") << "code-built rows route through the page";
    EXPECT_EQ(list->GetCurSel(), -1) << "a button's click does not select its row";
    host.Click(RowBackground(2));
    EXPECT_TRUE(list->GetCurSel() == 2 && host.Last(DUI_MSGTYPE_ITEMCLICK)->sender == list->GetItemAt(2));
    host.Click(RowBackground(4), true);
    EXPECT_EQ(host.Last(DUI_MSGTYPE_DBCLICK)->sender, list->GetItemAt(4));
}

TEST_F(ListRows, RowsRemovedDuringSelectionOrDoubleClickNotificationsAreSafe) {
    for (const wchar_t *type : {DUI_MSGTYPE_ITEMSELECT, DUI_MSGTYPE_ITEMCLICK, DUI_MSGTYPE_DBCLICK}) {
        SCOPED_TRACE(uitest::Utf8(type));
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
        if (type == std::wstring(DUI_MSGTYPE_ITEMSELECT)) {
            EXPECT_EQ(host.Count(DUI_MSGTYPE_ITEMCLICK), 0) << "a removed row sends nothing more";
        }
        testsupport::PumpPending();
        EXPECT_EQ(list->GetItemIndex(target), -1);
        EXPECT_EQ(list->GetCount(), 7);
        EXPECT_EQ(list->GetCurSel(), -1) << "the selected row went";
        host.Click(RowBackground(0));
        EXPECT_EQ(list->GetCurSel(), 0);
    }
}
