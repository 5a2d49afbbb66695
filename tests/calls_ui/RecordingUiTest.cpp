// The recording switch from the real "menu1_0.xml": a fault here shows recording on when
// it is off (or the reverse), or toggles on another control's click.
#include <gtest/gtest.h>

#include "tests/calls_ui/CallsHost.h"
#include "tests/double/ServiceDouble.h"
#include "tests/support/WaitFor.h"

using servicedouble::ServiceDouble;

namespace callstest {
namespace {

class RecordingPageTest : public testing::Test {
protected:
    void SetUp() override {
        ServiceDouble::Reset();
        m_host.reset(new CallsHost(HostedPage::Recording));
        ASSERT_TRUE(m_host->Open());
        m_button = m_host->Find(L"RecordCtrlBtn");
        m_note = m_host->Find(L"RecordNote");
        ASSERT_TRUE(WaitLaidOut(m_button));
        ASSERT_NE(nullptr, m_note);
    }
    void TearDown() override { m_host.reset(); }

    void ClickSwitch() { testsupport::ClickControl(m_host->GetHWND(), m_button); }
    std::wstring Image() { return m_button->GetBkImage(); }

    std::unique_ptr<CallsHost> m_host;
    CControlUI *m_button = nullptr;
    CControlUI *m_note = nullptr;
};

TEST_F(RecordingPageTest, TwoClicksReturnToWhereTheyStarted) {
    EXPECT_EQ(L"/Image/RecorderStart.png", Image());
    EXPECT_EQ(L"", m_note->GetText());
    ClickSwitch();
    EXPECT_EQ(1, ServiceDouble::RecordFlag());
    EXPECT_EQ(L"/Image/RecorderStop.png", Image());
    EXPECT_EQ(L"正 在 录 音", m_note->GetText());
    ClickSwitch();
    EXPECT_EQ(0, ServiceDouble::RecordFlag());
    EXPECT_EQ(L"/Image/RecorderStart.png", Image());
    EXPECT_EQ(L"", m_note->GetText());
    std::vector<int> sent;
    for (const auto &c : ServiceDouble::Calls("VoiceRecordFlag")) sent.push_back(c.ints[0]);
    EXPECT_EQ((std::vector<int>{1, 0}), sent);
    EXPECT_EQ(0, m_host->UnroutedClicks());
}

// Each click asks for the opposite of the service's flag, not of what is shown, and shows
// what it asked for.
TEST_F(RecordingPageTest, ClicksFollowTheServiceFlag) {
    ServiceDouble::SetRecordFlag(1);
    ClickSwitch();
    EXPECT_EQ(0, ServiceDouble::RecordFlag());
    EXPECT_EQ(L"/Image/RecorderStart.png", Image());
    ServiceDouble::SetRecordFlagFollows(false);  // the flag stays off
    ClickSwitch();
    ClickSwitch();
    EXPECT_EQ(L"/Image/RecorderStop.png", Image());
    std::vector<int> sent;
    for (const auto &c : ServiceDouble::Calls("VoiceRecordFlag")) sent.push_back(c.ints[0]);
    EXPECT_EQ((std::vector<int>{0, 1, 1}), sent);
}

TEST_F(RecordingPageTest, OtherControlsChangeNothing) {
    // A click notification from another control of the page, and other notification types
    // from the switch itself.
    m_host->PaintManager().SendNotify(m_note, DUI_MSGTYPE_CLICK);
    m_host->PaintManager().SendNotify(m_button, DUI_MSGTYPE_DBCLICK);
    m_host->PaintManager().SendNotify(m_button, DUI_MSGTYPE_SELECTCHANGED);
    testsupport::PumpPending();
    EXPECT_EQ(0u, ServiceDouble::CallCount("VoiceGetRecordFlag"));
    EXPECT_EQ(0u, ServiceDouble::CallCount("VoiceRecordFlag"));
    EXPECT_EQ(L"/Image/RecorderStart.png", Image());
    EXPECT_EQ(L"", m_note->GetText());
    EXPECT_EQ(0, m_host->UnroutedClicks());
}

}  // namespace
}  // namespace callstest
