// The configuration dialog on its real skin: a fault here pushes a value the operator
// was told is refused, names the wrong field, sends reserved bytes, or drops another
// station's row after an apply.
#include <gtest/gtest.h>

#include "basestation/BsText.h"
#include "tests/basestation_ui/BsUiHarness.h"
#include "tests/support/MessageBoxWatcher.h"
#include "tests/support/WaitFor.h"

using namespace bstest;

namespace {

const wchar_t kSerialMsg[] = L"序列号不能超过27个字节！";
const wchar_t kChannelMsg[] = L"频道必须在1-200之间的整数！";

const struct {
    const wchar_t *field, *text;
} kGoodInput[] = {
    {L"Serial", L"BS-CFG"},         {L"Version", L"7"},           {L"Channel", L"100"},
    {L"CallMagic", L"5000"},        {L"ZoneMagic", L"5"},         {L"IpAddr", L"192.168.1.20"},
    {L"NetMask", L"255.255.255.0"}, {L"Gateway", L"192.168.1.1"}, {L"ManagerIp", L"192.168.1.9"},
    {L"Proxy0", L"10.0.0.1"},       {L"Proxy1", L"10.0.0.2"},     {L"Proxy2", L"10.0.0.3"},
};

CComboUI *Repeater() { return static_cast<CComboUI *>(DialogControl(L"RepeaterMode")->GetInterface(L"Combo")); }

void ShowWithGoodInput() {
    ::ShowWindow(Dialog().GetHWND(), SW_SHOW);
    for (const auto &f : kGoodInput) SetField(f.field, f.text);
    Repeater()->SelectItem(1);
    testsupport::PumpPending();
}

void Apply() { testsupport::ClickControl(Dialog().GetHWND(), DialogControl(L"SetButton")); }

class BsDialog : public ::testing::Test {
protected:
    void SetUp() override {
        ResetStations();
        ShowWithGoodInput();
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
        ShowWithGoodInput();
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
    // Accepted: every field's text lands in its own member of the record sent.
    ShowWithGoodInput();
    SetField(L"Version", L"abc");
    Apply();
    ASSERT_EQ(sd::CallCount("BmHalBsSetConfig"), 1u);
    const BsConfig r = sd::Calls("BmHalBsSetConfig")[0].record;
    EXPECT_EQ(std::vector<int>({r.Version, r.Channel, r.CallMagic, r.ZoneMagic, r.RepeaterMode}),
              std::vector<int>({0, 100, 5000, 5, 1}));
    EXPECT_EQ(bs::FormatDottedQuad(r.IpAddr) + " " + bs::FormatDottedQuad(r.NetMask) + " " +
                  bs::FormatDottedQuad(r.Gateway) + " " + bs::FormatDottedQuad(r.ManagerIp) + " " +
                  bs::FormatDottedQuad(r.Proxy0) + " " + bs::FormatDottedQuad(r.Proxy1) + " " +
                  bs::FormatDottedQuad(r.Proxy2),
              "192.168.1.20 255.255.255.0 192.168.1.1 192.168.1.9 10.0.0.1 10.0.0.2 10.0.0.3");
    EXPECT_EQ(m_boxes.Count(), std::size(cases));
    EXPECT_FALSE(DialogVisible());
}

// The pushed record: set-config then delete, for the row's serial, reserved bytes 0,
// the combo's index (-1 for none); the dialog hides and the station's row goes, whatever
// the library answers.
TEST_F(BsDialog, ApplyPushesSetConfigThenDeleteWithZeroReservedBytesAndHides) {
    for (int failing : {0, -1}) {
        ResetStations();
        sd::Double()->setConfigResult = failing;
        sd::Double()->deleteResult = failing;
        Report("BS-CFG", SampleRecord(1));
        Report("BS-OTHER", SampleRecord(2));
        DoubleClickRow(0);
        Repeater()->SelectItem(-1);
        Apply();
        std::vector<std::string> names;
        for (const auto &c : sd::Calls()) names.push_back(c.function + " " + c.texts[0]);
        EXPECT_EQ(names, (std::vector<std::string>{"BmHalBsSetConfig BS-CFG", "BmHalBsDelete BS-CFG"}));
        const BsConfig sent = sd::Calls("BmHalBsSetConfig")[0].record;
        const unsigned char *bytes = reinterpret_cast<const unsigned char *>(&sent);
        for (int i : {4, 5, 6, 7, 12, 13, 14, 15}) EXPECT_EQ(bytes[i], 0) << "byte " << i;
        EXPECT_EQ(sent.RepeaterMode, -1);
        EXPECT_EQ(sent.Version, 1);
        EXPECT_FALSE(DialogVisible());
        EXPECT_TRUE(testsupport::WaitFor([] { return RowSerials() == std::vector<std::string>{"BS-OTHER"}; }));
        EXPECT_EQ(m_boxes.Count(), 0u);
    }
}

// The row's values in the fields, its repeater mode selected (none for -1 or a mode the
// combo does not have).
TEST_F(BsDialog, DoubleClickFillsTheFieldsFromTheRow) {
    for (int mode : {3, -1, 9}) {
        ResetStations();
        BsConfig r = SampleRecord(12);
        r.RepeaterMode = mode;
        Report("BS-FILL", r);
        Repeater()->SelectItem(2);
        DoubleClickRow(0);
        const auto row = RowTexts()[0];
        const wchar_t *fields[] = {L"Serial", L"Version", L"Channel", L"CallMagic", L"ZoneMagic",
                                   nullptr,   L"IpAddr",  L"NetMask", L"Gateway",   L"ManagerIp",
                                   L"Proxy0", L"Proxy1",  L"Proxy2"};
        for (int i = 0; i < 13; ++i)
            if (fields[i]) {
                EXPECT_EQ(FieldText(fields[i]), row[i]) << Narrow(fields[i]);
            }
        EXPECT_EQ(Repeater()->GetCurSel(), mode == 3 ? 3 : -1);
    }
}

TEST_F(BsDialog, CaptionButtonsMinimiseMaximiseAndRestore) {
    const std::pair<const wchar_t *, int> steps[] = {
        {L"minbtn", 2}, {L"restorebtn", 0}, {L"maxbtn", 1}, {L"restorebtn", 0}};
    for (const auto &step : steps) {  // 2: minimised, 1: maximised
        Dialog().PaintManager().SendNotify(DialogControl(step.first), DUI_MSGTYPE_CLICK);
        EXPECT_EQ(::IsIconic(Dialog().GetHWND()) * 2 + ::IsZoomed(Dialog().GetHWND()), step.second)
            << Narrow(step.first);
    }
}

// Enter in a field applies with the apply button's checks; the close button hides
// keeping the input and sending nothing.
TEST_F(BsDialog, EnterAppliesAndCloseHides) {
    const HWND dialog = Dialog().GetHWND();
    auto key = [dialog](UINT vk) {
        ::SendMessageW(dialog, WM_KEYDOWN, vk, 1);
        ::SendMessageW(dialog, WM_KEYUP, vk, 0xC0000001);
        testsupport::PumpPending();
    };
    DialogControl(L"Channel")->SetFocus();
    SetField(L"Channel", L"0");
    key(VK_RETURN);
    ASSERT_TRUE(m_boxes.WaitForCount(1));
    EXPECT_EQ(m_boxes.Seen().back().text, kChannelMsg);
    EXPECT_TRUE(DialogVisible());
    SetField(L"Channel", L"12");
    key(VK_RETURN);
    EXPECT_EQ(sd::CallCount("BmHalBsSetConfig"), 1u);
    EXPECT_FALSE(DialogVisible());

    ShowWithGoodInput();
    SetField(L"Channel", L"77");
    testsupport::ClickControl(dialog, DialogControl(L"closebtn"));
    EXPECT_FALSE(DialogVisible());
    EXPECT_EQ(FieldText(L"Channel"), L"77");
    EXPECT_EQ(sd::CallCount("BmHalBsSetConfig"), 1u);
}
