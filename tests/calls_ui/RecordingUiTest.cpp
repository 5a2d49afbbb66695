// The recording switch from the real "menu1_0.xml": a fault here shows recording on when
// it is off (or the reverse), or toggles on another control's click.
#include "tests/calls_ui/CallsFixture.h"
#include "tests/support/WaitFor.h"

namespace callstest {
namespace {

// Each click asks for the opposite of the service's flag (not of what is shown) and
// shows what it asked for; other controls and other notifications change nothing.
TEST(RecordingPage, ClicksFollowTheServiceFlag) {
    sd::Reset();
    CallsHost host(true);
    CControlUI *button = host.pm.FindControl(L"RecordCtrlBtn"), *note = host.pm.FindControl(L"RecordNote");
    ASSERT_TRUE(testsupport::WaitLaidOut(button));
    host.pm.SendNotify(note, DUI_MSGTYPE_CLICK);
    host.pm.SendNotify(button, DUI_MSGTYPE_DBCLICK);
    host.pm.SendNotify(button, DUI_MSGTYPE_SELECTCHANGED);
    testsupport::PumpPending();
    EXPECT_TRUE(sd::Calls().empty());
    const struct {
        int flagBefore;
        bool follows;  // the service takes the new flag
        int sent;
        const wchar_t *image, *note;
    } cases[] = {
        {0, true, 1, L"/Image/RecorderStop.png", L"正 在 录 音"},  {1, true, 0, L"/Image/RecorderStart.png", L""},
        {1, false, 0, L"/Image/RecorderStart.png", L""},           {1, false, 0, L"/Image/RecorderStart.png", L""},
        {0, false, 1, L"/Image/RecorderStop.png", L"正 在 录 音"}, {5, true, 0, L"/Image/RecorderStart.png", L""},
    };
    EXPECT_EQ(std::wstring(L"/Image/RecorderStart.png"), button->GetBkImage());
    for (const auto &c : cases) {
        sd::Double()->recordFlag = c.flagBefore;
        sd::Double()->recordFlagFollows = c.follows;
        sd::Double()->calls.clear();
        testsupport::ClickControl(host.GetHWND(), button);
        const auto sent = sd::Calls("VoiceRecordFlag");
        ASSERT_EQ(1u, sent.size());
        EXPECT_EQ(c.sent, sent[0].ints[0]);
        EXPECT_EQ(c.follows ? c.sent : c.flagBefore, sd::Double()->recordFlag);
        EXPECT_EQ(std::wstring(c.image), button->GetBkImage());
        EXPECT_EQ(c.note, note->GetText());
    }
    EXPECT_EQ(0, host.unroutedClicks);
}

}  // namespace
}  // namespace callstest
