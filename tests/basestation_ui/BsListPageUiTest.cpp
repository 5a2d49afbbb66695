// The base-station page: a fault here leaves the list unstyled, opens the dialog for no
// row or the wrong one, or removes another station's row after an apply.
#include <gtest/gtest.h>

#include "basestation/BsListRows.h"
#include "tests/basestation_ui/BsUiHarness.h"
#include "tests/double/ServiceDouble.h"
#include "tests/support/WaitFor.h"

using namespace bstest;
using servicedouble::ServiceDouble;

namespace {

void Hide() {
    ::ShowWindow(Dialog().GetHWND(), SW_HIDE);
    testsupport::PumpPending();
}

void SendDoubleClickFrom(CControlUI *sender) {
    MainFrame().PaintManager().SendNotify(sender, DUI_MSGTYPE_DBCLICK);
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

TEST_F(BsListPage, DoubleClickOnARowOpensTheDialogForIt) {
    DoubleClickRow(1);
    EXPECT_EQ(List().GetCurSel(), 1);
    ASSERT_TRUE(DialogVisible());
    EXPECT_EQ(FieldText(L"Serial"), L"ROW-1");
    EXPECT_EQ(FieldText(L"Version"), L"11");
}

TEST_F(BsListPage, DoubleClickWithNoRowSelectedDoesNothing) {
    List().SelectItem(-1);
    SetField(L"Serial", L"untouched");
    SendDoubleClickFrom(&List());
    EXPECT_FALSE(DialogVisible());
    EXPECT_EQ(FieldText(L"Serial"), L"untouched");
}

TEST_F(BsListPage, DoubleClickOnAnotherControlOpensTheSelectedRow) {
    List().SelectItem(2);
    CControlUI *refresh = MainFrame().PaintManager().FindControl(L"ListRefreshBtn");
    ASSERT_NE(refresh, nullptr);
    SendDoubleClickFrom(refresh);
    ASSERT_TRUE(DialogVisible());
    EXPECT_EQ(FieldText(L"Serial"), L"ROW-2");
}

TEST_F(BsListPage, DoubleClickWhileTheDialogIsOpenRefillsIt) {
    DoubleClickRow(0);
    ASSERT_TRUE(DialogVisible());
    SetField(L"Channel", L"199");
    SetField(L"Serial", L"edited");
    DoubleClickRow(2);
    EXPECT_TRUE(DialogVisible());
    EXPECT_EQ(FieldText(L"Serial"), L"ROW-2");
    EXPECT_EQ(FieldText(L"Channel"), RowTexts()[2][2]);
}

TEST_F(BsListPage, ClickOnTheRefreshButtonChangesNothing) {
    List().SelectItem(1);
    testsupport::ClickControl(MainFrame().GetHWND(), MainFrame().PaintManager().FindControl(L"ListRefreshBtn"));
    EXPECT_EQ(RowSerials(), (std::vector<std::string>{"ROW-0", "ROW-1", "ROW-2"}));
    EXPECT_EQ(List().GetCurSel(), 1);
    EXPECT_FALSE(DialogVisible());
}

// The dialog is modeless: the selection may move before the main window handles the
// removal request; the configured station's row goes, not the selected one.
TEST_F(BsListPage, ApplyRemovesThePushedStationsRowNotTheSelectedOne) {
    DoubleClickRow(1);
    ASSERT_TRUE(DialogVisible());
    const HWND dialog = Dialog().GetHWND();
    CControlUI *set = DialogControl(L"SetButton");
    const RECT &rc = set->GetPos();
    const LPARAM at = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    ::SendMessageW(dialog, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(dialog, WM_LBUTTONUP, 0, at);  // applies; the removal is only posted
    List().SelectItem(2);
    testsupport::WaitFor([] { return RowSerials().size() == 2; }, 2000);
    EXPECT_EQ(RowSerials(), (std::vector<std::string>{"ROW-0", "ROW-2"}));
    ASSERT_EQ(ServiceDouble::CallCount("BmHalBsSetConfig"), 1u);
    EXPECT_EQ(ServiceDouble::Calls("BmHalBsSetConfig")[0].texts[0], "ROW-1");

    // The station reports again and comes back at the end with its new settings.
    BsConfig pushed = ServiceDouble::Calls("BmHalBsSetConfig")[0].record;
    Report("ROW-1", pushed);
    EXPECT_EQ(RowSerials(), (std::vector<std::string>{"ROW-0", "ROW-2", "ROW-1"}));
}

TEST_F(BsListPage, ApplyForAStationNoLongerListedRemovesNothing) {
    DoubleClickRow(0);
    SetField(L"Serial", L"NOT-LISTED");
    List().SelectItem(1);
    testsupport::ClickControl(Dialog().GetHWND(), DialogControl(L"SetButton"));
    testsupport::PumpPending();
    EXPECT_EQ(RowSerials(), (std::vector<std::string>{"ROW-0", "ROW-1", "ROW-2"}));
}

TEST_F(BsListPage, EnterOnTheSelectedRowOpensTheDialogAsADoubleClickDoes) {
    const HWND main = MainFrame().GetHWND();
    List().SetFocus();
    for (UINT vk : {VK_HOME, VK_DOWN, VK_DOWN, VK_RETURN}) {
        ::SendMessageW(main, WM_KEYDOWN, vk, 1);
        ::SendMessageW(main, WM_KEYUP, vk, 0xC0000001);
    }
    testsupport::PumpPending();
    EXPECT_EQ(List().GetCurSel(), 2);
    ASSERT_TRUE(DialogVisible());
    EXPECT_EQ(FieldText(L"Serial"), L"ROW-2");
}
