// The configuration dialog on its real skin, opened from the station list.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/basestation_ui/BsUiHarness.h"
#include "tests/support/MessageBoxWatcher.h"
#include "tests/support/WaitFor.h"
#include "ui/PrivateMessages.h"

using namespace bstest;
using Serials = std::vector<std::string>;

namespace {

const wchar_t kSerialMsg[] = L"序列号不能超过27个字节！";
const wchar_t kChannelMsg[] = L"频道必须在1-200之间的整数！";

CComboUI *Repeater() { return static_cast<CComboUI *>(DialogControl(L"RepeaterMode")->GetInterface(L"Combo")); }

void Apply() { testsupport::ClickControl(Dialog().GetHWND(), DialogControl(L"SetButton")); }

struct BsDialog : ::testing::Test {
    void SetUp() override {
        ResetStations();
        Report("BS-CFG", SampleRecord(12));
        DoubleClickRow(0);
    }
    void TearDown() override { ::ShowWindow(Dialog().GetHWND(), SW_HIDE); }
    testsupport::MessageBoxWatcher m_boxes;
};

}  // namespace

// Each field's control, refused text and message (the ranges and the check order are
// tested without windows): the input stays, nothing is sent.
TEST_F(BsDialog, ChecksEveryFieldAgainstOneTable) {
    const struct {
        const wchar_t *field, *text, *message;
    } cases[] = {
        {L"Serial", L"ABCDEFGHIJKLMNOPQRSTUVWXYZ01", kSerialMsg},  // 28 bytes
        {L"Channel", L"201", kChannelMsg},
        {L"CallMagic", L"1000000000", L"通讯密码必须在1-999999999之间的整数！"},
        {L"ZoneMagic", L"11", L"区域密码必须在1-10之间的整数！"},
        {L"IpAddr", L"1.2.3.4 ", L"Ip地址不合法"},
        {L"NetMask", L"255.255.255.256", L"子网掩码地址不合法！"},
        {L"Gateway", L"1.2.3", L"网关地址不合法！"},
        {L"ManagerIp", L"1.2.3", L"服务器管理地址不合法！"},
        {L"Proxy0", L"1.2.3", L"代理服务器1地址不合法！"},
        {L"Proxy1", L"1.2.3", L"代理服务器2地址不合法！"},
        {L"Proxy2", L"1.2.3", L"代理服务器3地址不合法！"},
    };
    for (const auto &c : cases) {
        DoubleClickRow(0);
        SetField(c.field, c.text);
        sd::Double()->calls.clear();
        const size_t before = m_boxes.Count();
        Apply();
        ASSERT_TRUE(m_boxes.WaitForCount(before + 1)) << Narrow(c.field);
        EXPECT_EQ(m_boxes.Seen().back().caption, L"警告");
        EXPECT_EQ(m_boxes.Seen().back().text, c.message) << Narrow(c.field);
        EXPECT_TRUE(sd::Calls().empty());
        EXPECT_TRUE(DialogVisible());
        EXPECT_EQ(FieldText(c.field), c.text) << "the operator's input stays";
    }
    EXPECT_EQ(m_boxes.Count(), std::size(cases));
}

// Set-config then delete for the row's serial, each field as shown, reserved bytes 0, the
// combo's index (-1 for none); whatever the library answers, the dialog hides and the pushed
// row goes, even when the selection moved before the main window handled the removal.
TEST_F(BsDialog, ApplyPushesSetConfigThenDeleteAndRemovesThePushedRow) {
    for (int failing : {0, -1}) {
        ResetStations();
        sd::Double()->setConfigResult = failing;
        sd::Double()->deleteResult = failing;
        BsConfig record = SampleRecord(12);
        record.Reserved1 = record.Reserved2 = 0xA5A5A5A5;
        for (const char *s : {"BS-0", "BS-CFG", "BS-2"}) Report(s, record);
        DoubleClickRow(1);
        Repeater()->SelectItem(-1);
        const RECT &rc = DialogControl(L"SetButton")->GetPos();
        testsupport::SendClick(Dialog().GetHWND(), {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2}, false, false);
        List().SelectItem(2);  // before the posted removal is handled
        std::vector<std::string> names;
        for (const auto &c : sd::Calls()) names.push_back(c.function + " " + c.texts[0]);
        ASSERT_EQ(names, (std::vector<std::string>{"BmHalBsSetConfig BS-CFG", "BmHalBsDelete BS-CFG"}));
        const BsConfig sent = sd::Calls("BmHalBsSetConfig")[0].record;
        BsConfig expected = SampleRecord(12);
        expected.RepeaterMode = -1;
        EXPECT_EQ(std::memcmp(&sent, &expected, sizeof sent), 0) << "each field from its own control";
        EXPECT_FALSE(DialogVisible());
        EXPECT_TRUE(testsupport::WaitFor([] { return RowSerials() == Serials{"BS-0", "BS-2"}; }));
        EXPECT_EQ(m_boxes.Count(), 0u);
    }
    // A serial that is not listed, or a request with nothing pushed, removes nothing.
    DoubleClickRow(0);
    SetField(L"Serial", L"NOT-LISTED");
    List().SelectItem(1);
    Apply();
    ::SendMessageW(MainFrame().GetHWND(), WM_BS_REMOVE_SELECTED, 0, 0);
    EXPECT_EQ(RowSerials(), (Serials{"BS-0", "BS-2"}));
}

// A double-click (by mouse, or on another control of the page) fills the dialog from the
// selected row, its repeater mode selected (none for -1 or a mode the combo does not
// have), and shows it, refilling it while open; with no row selected it does nothing.
TEST_F(BsDialog, DoubleClickFillsTheDialogFromTheSelectedRow) {
    ResetStations();
    const int modes[] = {3, -1, 9};
    for (int i = 0; i < 3; ++i) {
        BsConfig r = SampleRecord(10 + i);
        r.RepeaterMode = modes[i];
        Report("ROW-" + std::to_string(i), r);
    }
    ::ShowWindow(Dialog().GetHWND(), SW_HIDE);
    CPaintManagerUI &pm = MainFrame().PaintManager();
    const wchar_t *fields[] = {L"Serial",  L"Version", L"Channel",   L"CallMagic", L"ZoneMagic", nullptr,  L"IpAddr",
                               L"NetMask", L"Gateway", L"ManagerIp", L"Proxy0",    L"Proxy1",    L"Proxy2"};
    for (int i = 0; i < 3; ++i) {
        Repeater()->SelectItem(2);
        if (i < 2) {
            DoubleClickRow(i);
        } else {
            List().SelectItem(i);
            pm.SendNotify(pm.FindControl(L"ListRefreshBtn"), DUI_MSGTYPE_DBCLICK);
        }
        EXPECT_EQ(List().GetCurSel(), i);
        EXPECT_TRUE(DialogVisible());
        const auto row = RowTexts()[i];
        for (int c = 0; c < 13; ++c) EXPECT_TRUE(!fields[c] || FieldText(fields[c]) == row[c]) << c;
        EXPECT_EQ(Repeater()->GetCurSel(), modes[i] == 3 ? 3 : -1);
    }
    ::ShowWindow(Dialog().GetHWND(), SW_HIDE);
    List().SelectItem(-1);
    pm.SendNotify(&List(), DUI_MSGTYPE_DBCLICK);
    testsupport::PumpPending();
    EXPECT_FALSE(DialogVisible());
    EXPECT_EQ(FieldText(L"Serial"), L"ROW-2");
}

// Both scroll bars of the station list 10 px thick, shown, with the thumb colour 0xff4877e7 (ARGB).
TEST_F(BsDialog, StationListScrollBarsAreStyledAndShown) {
    CScrollBarUI *vertical = List().GetVerticalScrollBar(), *horizontal = List().GetHorizontalScrollBar();
    ASSERT_TRUE(vertical && horizontal);
    EXPECT_EQ(vertical->GetFixedWidth() * 100 + horizontal->GetFixedHeight(), 1010);
    for (CScrollBarUI *bar : {vertical, horizontal})
        EXPECT_EQ(bar->IsVisible() ? bar->GetThumbColor() : 0, 0xff4877e7u);
}

// Enter in a field applies with the apply button's checks; the caption's buttons minimise,
// maximise and restore; the close button hides keeping the input and sending nothing.
TEST_F(BsDialog, EnterAppliesAndCaptionButtonsWork) {
    const HWND dialog = Dialog().GetHWND();
    DialogControl(L"Channel")->SetFocus();
    SetField(L"Channel", L"0");
    PressKey(dialog, VK_RETURN);
    ASSERT_TRUE(m_boxes.WaitForCount(1));
    EXPECT_EQ(m_boxes.Seen().back().text, kChannelMsg);
    EXPECT_TRUE(DialogVisible());
    SetField(L"Channel", L"12");
    PressKey(dialog, VK_RETURN);
    EXPECT_EQ(sd::CallCount("BmHalBsSetConfig"), 1u);
    EXPECT_FALSE(DialogVisible());

    ::ShowWindow(dialog, SW_SHOW);
    EXPECT_EQ(CaptionButtonStates(Dialog().PaintManager(), dialog), (std::vector<int>{2, 0, 1, 0}));
    SetField(L"Channel", L"77");
    testsupport::ClickControl(dialog, DialogControl(L"closebtn"));
    EXPECT_FALSE(DialogVisible());
    EXPECT_EQ(FieldText(L"Channel"), L"77");
    EXPECT_EQ(sd::CallCount("BmHalBsSetConfig"), 1u);
}
