// The recording switch from the real "menu1_0.xml": a fault here shows recording on when
// it is off (or the reverse), or toggles on another control's click.
#include "tests/calls_ui/CallsFixture.h"

namespace callstest {
namespace {

// Each click asks for the opposite of the service's flag (not of what is shown) and
// shows what it asked for; a click on another control changes nothing.
TEST_F(CallPageTest, RecordingClicksFollowTheServiceFlag) {
    bstest::ShowPage(L"menu1_0");
    CControlUI *button = Find(L"RecordCtrlBtn"), *note = Find(L"RecordNote");
    ASSERT_TRUE(testsupport::WaitLaidOut(button));
    bstest::MainFrame().PaintManager().SendNotify(note, DUI_MSGTYPE_CLICK);
    testsupport::PumpPending();
    EXPECT_TRUE(sd::Calls().empty());
    const struct {
        int flagBefore;
        bool follows;  // the service takes the new flag
        int sent;
    } cases[] = {{0, true, 1}, {1, true, 0}, {1, false, 0}, {1, false, 0}, {0, false, 1}, {5, true, 0}};
    EXPECT_EQ(std::wstring(L"/Image/RecorderStart.png"), button->GetBkImage());
    for (const auto &c : cases) {
        sd::Double()->recordFlag = c.flagBefore;
        sd::Double()->recordFlagFollows = c.follows;
        sd::Double()->calls.clear();
        testsupport::ClickControl(Hwnd(), button);
        const auto sent = sd::Calls("VoiceRecordFlag");
        ASSERT_EQ(1u, sent.size());
        EXPECT_EQ(c.sent, sent[0].ints[0]);
        EXPECT_EQ(c.follows ? c.sent : c.flagBefore, sd::Double()->recordFlag);
        EXPECT_EQ(std::wstring(c.sent ? L"/Image/RecorderStop.png" : L"/Image/RecorderStart.png"),
                  button->GetBkImage());
        EXPECT_EQ(c.sent ? L"正 在 录 音" : L"", note->GetText());
    }
}

}  // namespace
}  // namespace callstest
