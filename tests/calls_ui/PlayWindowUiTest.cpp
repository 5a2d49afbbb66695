// The playback window from the real "PlayUI.xml": a fault here shows a wrong time or
// position, seeks on its own, loses a pause, stacks timers, keeps a finished file's
// window up, or stacks two files in the service.
#include "tests/calls_ui/CallsFixture.h"
#include "tests/support/WaitFor.h"

namespace callstest {
namespace {

const wchar_t kPlaying[] = L"//Button//StopPlayBtn.png";
const wchar_t kPaused[] = L"//Button//StartPlayBtn.png";

class PlayWindowTest : public CallPageTest {
protected:
    HWND Play() { return g_pPlayWnd->GetHWND(); }
    CControlUI *PlayFind(const wchar_t *name) { return g_pPlayWnd->PaintManager().FindControl(name); }
    CProgressUI *Slider() { return static_cast<CProgressUI *>(PlayFind(L"PlaySlider")); }
    std::string TimeText() { return Narrow(PlayFind(L"PlayTime")->GetText()); }
    std::wstring PlayImage() { return PlayFind(L"PlayBtn")->GetBkImage(); }
    // Starts a file as the row's play action does, shown, with the real timer stopped so
    // that it does not interleave with the ticks the test sends.
    void StartShown(const char *name, int id) {
        StartPlayback(name, id);
        ::KillTimer(Play(), 0);
        ::ShowWindow(Play(), SW_SHOWNOACTIVATE);
    }
    void Tick() { ::SendMessageW(Play(), WM_TIMER, 4711, 0); }
    void ClickPlay(const wchar_t *name) {
        ASSERT_TRUE(testsupport::WaitLaidOut(PlayFind(name)));
        testsupport::ClickControl(Play(), PlayFind(name));
    }
    void SetPlayer(int total, int current) {
        sd::Double()->totalFrames = total;
        sd::Double()->currentFrame = current;
    }
};

TEST_F(PlayWindowTest, StartEndsThePreviousFileAndStartsFromZero) {
    StartShown("first.wav", 7);
    SetPlayer(1500, 750);
    Tick();
    ASSERT_EQ(50, Slider()->GetValue());
    ClickPlay(L"PlayBtn");  // paused
    sd::Double()->calls.clear();
    StartShown("second.wav", 8);
    const auto calls = sd::Calls();
    ASSERT_LE(2u, calls.size());
    EXPECT_EQ("VoiceExitPlayFile", calls[0].function);
    EXPECT_EQ("VoicePlayFile", calls[1].function);
    EXPECT_EQ((std::vector<std::string>{"second.wav"}), calls[1].texts);
    EXPECT_EQ((std::vector<int>{8}), calls[1].ints);
    EXPECT_EQ(0, Slider()->GetValue());
    EXPECT_EQ(kPlaying, PlayImage());
    EXPECT_EQ("0:0:0:0/0:0:30:0", TimeText());
    EXPECT_EQ(0u, sd::CallCount("VoiceSetStopFlag")) << "the service's stop flag is left alone";
}

// Each tick shows the time and position; nothing loaded hides the window and ends
// playback, on every tick; its own updates never seek.
TEST_F(PlayWindowTest, TicksShowTimeAndPosition) {
    const struct {
        int total, current;
        const char *text;
        int slider;
        bool visible;
    } cases[] = {
        {1500, 0, "0:0:0:0/0:0:30:0", 0, true},
        {180001, 3001, "0:1:0:20/1:0:0:20", 1, true},
        {3, 2, "0:0:0:40/0:0:0:60", 66, true},
        {40000000, 30000000, "166:40:0:0/222:13:20:0", 75, true},  // current * 100 overflows 32 bits
        {0, 0, "0:0:0:0/0:0:0:0", 75, false},
        {0, 0, "0:0:0:0/0:0:0:0", 75, false},
    };
    StartShown("a.wav", 1);
    sd::Double()->calls.clear();
    for (const auto &c : cases) {
        SetPlayer(c.total, c.current);
        ::ShowWindow(Play(), SW_SHOWNOACTIVATE);
        Tick();
        EXPECT_EQ(c.text, TimeText());
        EXPECT_EQ(c.slider, Slider()->GetValue()) << c.text;
        EXPECT_EQ(c.visible, ::IsWindowVisible(Play()) != FALSE) << c.text;
    }
    EXPECT_EQ(2u, sd::CallCount("VoiceExitPlayFile"));
    EXPECT_EQ(0u, sd::CallCount("VoiceSetPlayFilePostion"));
}

// A click asks the service's flag: exactly 1 (paused) resumes, any other value pauses.
TEST_F(PlayWindowTest, PlayButtonFollowsTheServicesStopFlag) {
    StartShown("a.wav", 1);
    const struct {
        int flag;  // before the click
        const wchar_t *image;
        int sent;
    } cases[] = {{0, kPaused, 1}, {1, kPlaying, 0}, {2, kPaused, 1}, {-1, kPaused, 1}, {1, kPlaying, 0}};
    for (const auto &c : cases) {
        sd::Double()->stopFlag = c.flag;
        sd::Double()->calls.clear();
        ClickPlay(L"PlayBtn");
        EXPECT_EQ(c.image, PlayImage()) << c.flag;
        const auto sets = sd::Calls("VoiceSetStopFlag");
        ASSERT_EQ(1u, sets.size()) << c.flag;
        EXPECT_EQ(c.sent, sets[0].ints[0]) << c.flag;
    }
}

// The timer (id 0, once a second) ticks on its own; starting twice re-arms the same one.
TEST_F(PlayWindowTest, StartingTwiceKeepsOneTimer) {
    StartPlayback("a.wav", 1);
    StartPlayback("a.wav", 1);
    ::ShowWindow(Play(), SW_SHOWNOACTIVATE);
    SetPlayer(1500, 300);
    EXPECT_TRUE(testsupport::WaitFor([&] { return Slider()->GetValue() == 20; }, 3000));
    EXPECT_EQ("0:0:6:0/0:0:30:0", TimeText());
    ASSERT_TRUE(::KillTimer(Play(), 0));
    sd::Double()->calls.clear();
    testsupport::WaitFor([] { return false; }, 1100);
    EXPECT_EQ(0u, sd::CallCount("VoicePlayFileTotalFrameNum")) << "another timer still ticks";
}

// Minimise, maximise and restore; close ends playback.
TEST_F(PlayWindowTest, CaptionButtons) {
    StartShown("a.wav", 1);
    const std::pair<const wchar_t *, int> steps[] = {
        {L"minbtn", 2}, {L"restorebtn", 0}, {L"maxbtn", 1}, {L"restorebtn", 0}};
    for (const auto &step : steps) {  // 2: minimised, 1: maximised
        g_pPlayWnd->PaintManager().SendNotify(PlayFind(step.first), DUI_MSGTYPE_CLICK);
        EXPECT_EQ(::IsIconic(Play()) * 2 + ::IsZoomed(Play()), step.second) << Narrow(step.first);
    }
    sd::Double()->calls.clear();
    ClickPlay(L"closebtn");
    EXPECT_FALSE(::IsWindowVisible(Play()));
    EXPECT_EQ(1u, sd::CallCount("VoiceExitPlayFile"));
}

// Keys, wherever the focus is: Space pauses and resumes as the pause button does; Left
// and Right seek by 5 % as a move of the slider does.
TEST_F(PlayWindowTest, SpacePausesAndResumesAndArrowsSeekByFivePercent) {
    StartShown("a.wav", 1);
    ASSERT_TRUE(testsupport::WaitLaidOut(Slider()));
    Slider()->SetValue(50);
    sd::Double()->calls.clear();
    const struct {
        UINT key;
        int stopFlag, seek;  // the flag after the key; the last seek asked for, -1 none
    } steps[] = {{VK_SPACE, 1, -1}, {VK_SPACE, 0, -1}, {VK_RIGHT, 0, 55}, {VK_LEFT, 0, 50}, {VK_LEFT, 0, 45}};
    for (const auto &s : steps) {
        ::SendMessageW(Play(), WM_KEYDOWN, s.key, 1);
        ::SendMessageW(Play(), WM_KEYUP, s.key, 0xC0000001);
        EXPECT_EQ(sd::Double()->stopFlag, s.stopFlag) << s.key;
        EXPECT_EQ(PlayImage(), s.stopFlag ? kPaused : kPlaying) << s.key;
        const auto seeks = sd::Calls("VoiceSetPlayFilePostion");
        EXPECT_EQ(seeks.empty() ? -1 : seeks.back().ints[0], s.seek) << s.key;
    }
}

}  // namespace
}  // namespace callstest
