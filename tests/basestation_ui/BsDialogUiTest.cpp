// The configuration dialog on its real skin: a fault here pushes a value the operator
// was told is refused, reports the wrong field, sends reserved bytes, or drops another
// station's row after an apply.
#include <gtest/gtest.h>

#include <cstring>

#include "basestation/BsListRows.h"
#include "basestation/BsText.h"
#include "tests/basestation_ui/BsUiHarness.h"
#include "tests/double/ServiceDouble.h"
#include "tests/support/MessageBoxWatcher.h"
#include "tests/support/WaitFor.h"

using namespace bstest;
using servicedouble::ServiceDouble;

namespace {

const wchar_t kCaption[] = L"警告";
const wchar_t kSerialMsg[] = L"序列号不能超过27个字节！";
const wchar_t kChannelMsg[] = L"频道必须在1-200之间的整数！";
const wchar_t kCallMsg[] = L"通讯密码必须在1-999999999之间的整数！";
const wchar_t kZoneMsg[] = L"区域密码必须在1-10之间的整数！";
const wchar_t kIpMsg[] = L"Ip地址不合法";
const wchar_t kMaskMsg[] = L"子网掩码地址不合法！";
const wchar_t kGatewayMsg[] = L"网关地址不合法！";
const wchar_t kManagerMsg[] = L"服务器管理地址不合法！";
const wchar_t kProxy0Msg[] = L"代理服务器1地址不合法！";
const wchar_t kProxy1Msg[] = L"代理服务器2地址不合法！";
const wchar_t kProxy2Msg[] = L"代理服务器3地址不合法！";

const struct {
    const wchar_t *field;
    const wchar_t *text;
} kGoodInput[] = {
    {L"Serial", L"BS-CFG"},         {L"Version", L"7"},           {L"Channel", L"100"},
    {L"CallMagic", L"5000"},        {L"ZoneMagic", L"5"},         {L"IpAddr", L"192.168.1.20"},
    {L"NetMask", L"255.255.255.0"}, {L"Gateway", L"192.168.1.1"}, {L"ManagerIp", L"192.168.1.9"},
    {L"Proxy0", L"10.0.0.1"},       {L"Proxy1", L"10.0.0.2"},     {L"Proxy2", L"10.0.0.3"},
};

CComboUI *Repeater() { return static_cast<CComboUI *>(DialogControl(L"RepeaterMode")->GetInterface(L"Combo")); }

void FillGoodInput() {
    for (const auto &f : kGoodInput) SetField(f.field, f.text);
    Repeater()->SelectItem(1);
}

void ShowDialog() {
    ::ShowWindow(Dialog().GetHWND(), SW_SHOW);
    testsupport::PumpPending();
}

void Apply() { testsupport::ClickControl(Dialog().GetHWND(), DialogControl(L"SetButton")); }

// The sent record's field named like its control, in its text form.
std::string SentText(const BsConfig &r, const std::wstring &field) {
    const struct {
        const wchar_t *name;
        const void *at;
        bool address;
    } fields[] = {
        {L"Version", &r.Version, false},
        {L"Channel", &r.Channel, false},
        {L"CallMagic", &r.CallMagic, false},
        {L"ZoneMagic", &r.ZoneMagic, false},
        {L"RepeaterMode", &r.RepeaterMode, false},
        {L"IpAddr", &r.IpAddr, true},
        {L"NetMask", &r.NetMask, true},
        {L"Gateway", &r.Gateway, true},
        {L"ManagerIp", &r.ManagerIp, true},
        {L"Proxy0", &r.Proxy0, true},
        {L"Proxy1", &r.Proxy1, true},
        {L"Proxy2", &r.Proxy2, true},
    };
    for (const auto &f : fields) {
        if (field != f.name) continue;
        if (f.address) return bs::FormatDottedQuad(*static_cast<const uint32_t *>(f.at));
        return bs::FormatDecimal(*static_cast<const int32_t *>(f.at));
    }
    return "<no such field>";
}

class BsDialog : public ::testing::Test {
protected:
    void SetUp() override {
        ResetStations();
        ShowDialog();
        FillGoodInput();
    }
    void TearDown() override { ::ShowWindow(Dialog().GetHWND(), SW_HIDE); }
};

}  // namespace

// One row per case: the field changed from good input, its text, and either the message
// the operator must see or the value that must be sent. (Each case hides a window, which
// costs about two seconds under Wine without a window manager: the table keeps to the
// cases that tell faults apart; the text forms have their own tables without windows.)
TEST_F(BsDialog, ChecksEveryFieldAgainstOneTable) {
    const struct Case {
        const wchar_t *field;
        const wchar_t *text;
        const wchar_t *message;  // null: accepted
        const char *sent;        // the field as sent, when accepted
    } cases[] = {
        {L"Serial", L"ABCDEFGHIJKLMNOPQRSTUVWXYZ01", kSerialMsg, nullptr},  // 28 bytes
        {L"Serial", L"ABCDEFGHIJKLMNOPQRSTUVWXYZ0", nullptr, nullptr},      // 27 bytes
        {L"Version", L"abc", nullptr, "0"},
        {L"Channel", L"0", kChannelMsg, nullptr},
        {L"Channel", L"201", kChannelMsg, nullptr},
        {L"Channel", L"abc", kChannelMsg, nullptr},
        {L"Channel", L"1", nullptr, "1"},
        {L"Channel", L"200", nullptr, "200"},
        {L"Channel", L"12abc", nullptr, "12"},
        {L"CallMagic", L"0", kCallMsg, nullptr},
        {L"CallMagic", L"1000000000", kCallMsg, nullptr},
        {L"CallMagic", L"999999999", nullptr, "999999999"},
        {L"ZoneMagic", L"0", kZoneMsg, nullptr},
        {L"ZoneMagic", L"11", kZoneMsg, nullptr},
        {L"ZoneMagic", L"1", nullptr, "1"},
        {L"ZoneMagic", L"10", nullptr, "10"},
        {L"IpAddr", L"1.2.3", kIpMsg, nullptr},
        {L"IpAddr", L"1.2.3.4.5", kIpMsg, nullptr},
        {L"IpAddr", L"256.1.1.1", kIpMsg, nullptr},
        {L"IpAddr", L"1.2.3.4 ", kIpMsg, nullptr},
        {L"IpAddr", L"1..2.3", kIpMsg, nullptr},  // empty group: refused now
        {L"IpAddr", L"1.2.3.", kIpMsg, nullptr},
        {L"IpAddr", L"0.0.0.0", nullptr, "0.0.0.0"},
        {L"IpAddr", L"255.255.255.255", nullptr, "255.255.255.255"},
        {L"IpAddr", L"010.0.0.1", nullptr, "10.0.0.1"},  // decimal, not octal
        {L"NetMask", L"255.255.255.256", kMaskMsg, nullptr},
        {L"Gateway", L"1.2.3", kGatewayMsg, nullptr},
        {L"ManagerIp", L"1.2.3", kManagerMsg, nullptr},
        {L"Proxy0", L"1.2.3", kProxy0Msg, nullptr},
        {L"Proxy1", L"1.2.3", kProxy1Msg, nullptr},
        {L"Proxy2", L"1.2.3", kProxy2Msg, nullptr},
    };
    testsupport::MessageBoxWatcher boxes;
    for (const Case &c : cases) {
        SCOPED_TRACE(Narrow(c.field) + " = \"" + Narrow(c.text) + "\"");
        ShowDialog();
        FillGoodInput();
        SetField(c.field, c.text);
        ServiceDouble::ClearCalls();
        const size_t before = boxes.Count();
        Apply();
        if (c.message) {
            ASSERT_TRUE(boxes.WaitForCount(before + 1));
            EXPECT_EQ(boxes.Seen().back().caption, kCaption);
            EXPECT_EQ(boxes.Seen().back().text, c.message);
            EXPECT_EQ(ServiceDouble::CallCount("BmHalBsSetConfig"), 0u);
            EXPECT_EQ(ServiceDouble::CallCount("BmHalBsDelete"), 0u);
            EXPECT_TRUE(DialogVisible());
            EXPECT_EQ(FieldText(c.field), c.text) << "the operator's input stays";
        } else {
            EXPECT_EQ(boxes.Count(), before) << "no message for accepted input";
            const auto sets = ServiceDouble::Calls("BmHalBsSetConfig");
            ASSERT_EQ(sets.size(), 1u);
            if (c.sent)
                EXPECT_EQ(SentText(sets[0].record, c.field), c.sent);
            else
                EXPECT_EQ(sets[0].texts[0], Narrow(c.text));
            EXPECT_FALSE(DialogVisible());
        }
    }
}

TEST_F(BsDialog, ReportsOnlyTheFirstBadFieldInCheckOrder) {
    SetField(L"Proxy2", L"x");
    SetField(L"NetMask", L"1.2.3");
    SetField(L"ZoneMagic", L"11");
    SetField(L"Channel", L"0");
    SetField(L"Serial", std::wstring(30, L'S'));
    const struct {
        const wchar_t *message;
        const wchar_t *fix;
        const wchar_t *fixed;
    } steps[] = {
        {kSerialMsg, L"Serial", L"BS-CFG"},   {kChannelMsg, L"Channel", L"3"},     {kZoneMsg, L"ZoneMagic", L"2"},
        {kMaskMsg, L"NetMask", L"255.0.0.0"}, {kProxy2Msg, L"Proxy2", L"4.4.4.4"},
    };
    testsupport::MessageBoxWatcher boxes;
    for (size_t i = 0; i < std::size(steps); ++i) {
        Apply();
        ASSERT_TRUE(boxes.WaitForCount(i + 1));
        EXPECT_EQ(boxes.Seen()[i].text, steps[i].message);
        EXPECT_EQ(ServiceDouble::CallCount("BmHalBsSetConfig"), 0u);
        SetField(steps[i].fix, steps[i].fixed);
    }
    Apply();
    EXPECT_EQ(boxes.Count(), std::size(steps));
    ASSERT_EQ(ServiceDouble::CallCount("BmHalBsSetConfig"), 1u);
}

TEST_F(BsDialog, ApplyPushesSetConfigThenDeleteWithZeroReservedBytesAndHides) {
    Report("BS-CFG", SampleRecord(1));
    Report("BS-OTHER", SampleRecord(2));
    DoubleClickRow(0);  // the row's reserved bytes were never kept
    ASSERT_TRUE(DialogVisible());
    Repeater()->SelectItem(-1);
    Apply();
    const auto calls = ServiceDouble::Calls();
    std::vector<std::string> names;
    for (const auto &c : calls)
        if (c.function != "BmHalBsStatus") names.push_back(c.function);
    EXPECT_EQ(names, (std::vector<std::string>{"BmHalBsSetConfig", "BmHalBsDelete"}));
    const auto set = ServiceDouble::Calls("BmHalBsSetConfig");
    ASSERT_EQ(set.size(), 1u);
    EXPECT_EQ(set[0].texts[0], "BS-CFG");
    EXPECT_EQ(ServiceDouble::Calls("BmHalBsDelete")[0].texts[0], "BS-CFG");
    const unsigned char *bytes = reinterpret_cast<const unsigned char *>(&set[0].record);
    for (int i : {4, 5, 6, 7, 12, 13, 14, 15}) EXPECT_EQ(bytes[i], 0) << "byte " << i;
    EXPECT_EQ(set[0].record.RepeaterMode, -1);
    EXPECT_EQ(set[0].record.Version, 1);
    EXPECT_FALSE(DialogVisible());
    testsupport::WaitFor([] { return RowSerials().size() == 1; }, 2000);
    EXPECT_EQ(RowSerials(), (std::vector<std::string>{"BS-OTHER"}));
}

TEST_F(BsDialog, FailedPushStillHidesAndDropsTheRow) {
    Report("BS-CFG", SampleRecord(1));
    ServiceDouble::SetSetConfigResult(-1);
    ServiceDouble::SetDeleteResult(-1);
    testsupport::MessageBoxWatcher boxes;
    Apply();
    EXPECT_FALSE(DialogVisible());
    EXPECT_TRUE(testsupport::WaitFor([] { return RowSerials().empty(); }, 2000));
    EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(BsDialog, CloseButtonHidesKeepingEditsAndSendsNothing) {
    SetField(L"Channel", L"77");
    testsupport::ClickControl(Dialog().GetHWND(), DialogControl(L"closebtn"));
    EXPECT_FALSE(DialogVisible());
    EXPECT_EQ(FieldText(L"Channel"), L"77");
    EXPECT_EQ(ServiceDouble::CallCount("BmHalBsSetConfig"), 0u);
}

TEST_F(BsDialog, FillControlsShowsTheRecordAndRaisesTheDialog) {
    BsConfig r = SampleRecord(12);
    r.RepeaterMode = 3;
    Report("BS-FILL", r);
    DoubleClickRow(0);
    const auto row = RowTexts()[0];
    const wchar_t *edits[] = {L"Serial", L"Version", L"Channel", L"CallMagic", L"ZoneMagic"};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(FieldText(edits[i]), row[i]) << Narrow(edits[i]);
    const wchar_t *addresses[] = {L"IpAddr", L"NetMask", L"Gateway", L"ManagerIp", L"Proxy0", L"Proxy1", L"Proxy2"};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(FieldText(addresses[i]), row[6 + i]) << Narrow(addresses[i]);
    EXPECT_EQ(Repeater()->GetCurSel(), 3);
    EXPECT_STREQ(Dialog().Serial(), "BS-FILL");
    EXPECT_EQ(Dialog().Record().Channel, r.Channel);
}

TEST_F(BsDialog, RowWithRepeaterModeMinusOneSelectsNoEntry) {
    BsConfig r = SampleRecord(4);
    r.RepeaterMode = -1;
    Report("BS-R", r);
    Repeater()->SelectItem(2);
    DoubleClickRow(0);
    EXPECT_EQ(Repeater()->GetCurSel(), -1);
    r.RepeaterMode = 9;  // names no entry either
    ResetStations();
    Report("BS-R9", r);
    DoubleClickRow(0);
    EXPECT_EQ(Repeater()->GetCurSel(), -1);
}

// A serial longer than the 27 bytes the dialog can push is shown whole and refused.
TEST_F(BsDialog, RowWithOverlongSerialIsShownWholeAndRefused) {
    const std::string serial(40, 'Q');
    Report(serial, SampleRecord(1));
    DoubleClickRow(0);
    EXPECT_EQ(FieldText(L"Serial"), std::wstring(serial.begin(), serial.end()));
    testsupport::MessageBoxWatcher boxes;
    Apply();
    ASSERT_TRUE(boxes.WaitForCount(1));
    EXPECT_EQ(boxes.Seen()[0].text, kSerialMsg);
    EXPECT_EQ(ServiceDouble::CallCount("BmHalBsSetConfig"), 0u);
    EXPECT_EQ(RowSerials().size(), 1u);
}

// Enter in a field applies with the apply button's checks and messages; Esc closes as the
// close button does, keeping the input. Sent as the keyboard sends them, to the dialog.
TEST_F(BsDialog, EnterAppliesAndEscClosesAsTheirButtonsDo) {
    const HWND dialog = Dialog().GetHWND();
    auto key = [dialog](UINT vk) {
        ::SendMessageW(dialog, WM_KEYDOWN, vk, 1);
        ::SendMessageW(dialog, WM_KEYUP, vk, 0xC0000001);
        testsupport::PumpPending();
    };
    testsupport::MessageBoxWatcher boxes;
    DialogControl(L"Channel")->SetFocus();
    SetField(L"Channel", L"0");
    ServiceDouble::ClearCalls();
    key(VK_RETURN);
    ASSERT_TRUE(boxes.WaitForCount(1));
    EXPECT_EQ(boxes.Seen().back().text, kChannelMsg);
    EXPECT_TRUE(DialogVisible());
    EXPECT_EQ(ServiceDouble::CallCount("BmHalBsSetConfig"), 0u);
    SetField(L"Channel", L"12");
    key(VK_RETURN);
    EXPECT_EQ(ServiceDouble::CallCount("BmHalBsSetConfig"), 1u);
    EXPECT_FALSE(DialogVisible());

    ShowDialog();
    SetField(L"Channel", L"77");
    DialogControl(L"Channel")->SetFocus();
    key(VK_ESCAPE);
    EXPECT_FALSE(DialogVisible());
    EXPECT_EQ(FieldText(L"Channel"), L"77");
    EXPECT_EQ(ServiceDouble::CallCount("BmHalBsSetConfig"), 1u);
}
