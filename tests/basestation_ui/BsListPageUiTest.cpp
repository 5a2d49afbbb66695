// The base-station page: a fault here leaves the list unstyled, opens the dialog for no
// row or the wrong one, or removes another station's row after an apply.
#include <gtest/gtest.h>

#include "tests/basestation_ui/BsUiHarness.h"
#include "tests/support/WaitFor.h"

using namespace bstest;
using Serials = std::vector<std::string>;

namespace {

void Hide() {
    ::ShowWindow(Dialog().GetHWND(), SW_HIDE);
    testsupport::PumpPending();
}

class BsListPage : public ::testing::Test {
protected:
    void SetUp() override {
        ResetStations();
        Hide();
        for (int i = 0; i < 3; ++i) Report("ROW-" + std::to_string(i), SampleRecord(10 + i));
    }
    void TearDown() override { Hide(); }
};

}  // namespace

// Both scroll bars 10 px thick, shown, with the thumb colour 0xff4877e7 (ARGB).
TEST_F(BsListPage, ScrollBarsAreStyledAndShown) {
    CScrollBarUI *vertical = List().GetVerticalScrollBar(), *horizontal = List().GetHorizontalScrollBar();
    ASSERT_TRUE(vertical && horizontal);
    EXPECT_EQ(vertical->GetFixedWidth(), 10);
    EXPECT_EQ(horizontal->GetFixedHeight(), 10);
    for (CScrollBarUI *bar : {vertical, horizontal}) {
        EXPECT_EQ(bar->GetThumbColor(), 0xff4877e7u);
        EXPECT_TRUE(bar->IsVisible());
    }
}

// A double-click (by mouse or from another control) opens the dialog for the
// selected row and refills it while open; with no row selected it does nothing.
TEST_F(BsListPage, DoubleClickOpensTheDialogForTheSelectedRow) {
    CPaintManagerUI &pm = MainFrame().PaintManager();
    DoubleClickRow(1);
    EXPECT_EQ(List().GetCurSel(), 1);
    EXPECT_TRUE(DialogVisible());
    EXPECT_EQ(FieldText(L"Serial"), L"ROW-1");
    EXPECT_EQ(FieldText(L"Version"), L"11");

    SetField(L"Serial", L"edited");
    List().SelectItem(2);
    pm.SendNotify(pm.FindControl(L"ListRefreshBtn"), DUI_MSGTYPE_DBCLICK);
    EXPECT_EQ(FieldText(L"Serial"), L"ROW-2");
    EXPECT_EQ(FieldText(L"Channel"), RowTexts()[2][2]);

    Hide();
    List().SelectItem(-1);
    pm.SendNotify(&List(), DUI_MSGTYPE_DBCLICK);
    testsupport::PumpPending();
    EXPECT_FALSE(DialogVisible());
    EXPECT_EQ(FieldText(L"Serial"), L"ROW-2");
}

// The dialog is modeless: the selection may move before the main window handles the
// removal request; the pushed station's row goes, not the selected one, and a serial
// that is not listed removes nothing.
TEST_F(BsListPage, ApplyRemovesThePushedStationsRowNotTheSelectedOne) {
    DoubleClickRow(1);
    const HWND dialog = Dialog().GetHWND();
    const RECT &rc = DialogControl(L"SetButton")->GetPos();
    const LPARAM at = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    ::SendMessageW(dialog, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(dialog, WM_LBUTTONUP, 0, at);  // applies; the removal is only posted
    List().SelectItem(2);
    testsupport::WaitFor([] { return RowSerials().size() == 2; }, 2000);
    EXPECT_EQ(RowSerials(), (Serials{"ROW-0", "ROW-2"}));

    DoubleClickRow(0);
    SetField(L"Serial", L"NOT-LISTED");
    List().SelectItem(1);
    testsupport::ClickControl(dialog, DialogControl(L"SetButton"));
    testsupport::PumpPending();
    EXPECT_EQ(RowSerials(), (Serials{"ROW-0", "ROW-2"}));
}
