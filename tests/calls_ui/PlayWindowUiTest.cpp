// The playback window from the real "PlayUI.xml".
#include "tests/calls_ui/CallsFixture.h"

namespace callstest {
namespace {

const wchar_t kPlaying[] = L"//Button//StopPlayBtn.png";
const wchar_t kPaused[] = L"//Button//StartPlayBtn.png";

struct PlayWindowTest : CallPageTest {
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
    EXPECT_EQ("VoicePlayFile second.wav 8",
              calls[1].function + " " + calls[1].texts[0] + " " + std::to_string(calls[1].ints[0]));
    EXPECT_EQ(0, Slider()->GetValue());
    EXPECT_EQ(kPlaying, PlayImage());
    EXPECT_EQ("0:0:0:0/0:0:30:0", TimeText());
    EXPECT_EQ(0u, sd::CallCount("VoiceSetStopFlag")) << "the service's stop flag is left alone";
    // Minimise, maximise and restore; close ends playback.
    EXPECT_EQ(bstest::CaptionButtonStates(g_pPlayWnd->PaintManager(), Play()), (std::vector<int>{2, 0, 1, 0}));
    sd::Double()->calls.clear();
    ClickPlay(L"closebtn");
    EXPECT_FALSE(::IsWindowVisible(Play()));
    EXPECT_EQ(1u, sd::CallCount("VoiceExitPlayFile"));
}

// Each tick shows the time and position; nothing loaded hides the window and ends
// playback, on every tick; its own updates never seek.
TEST_F(PlayWindowTest, TicksShowTimeAndPosition) {
    const struct {
        int total, current;
        const char *text;
        int slider;
        bool visible;
    } cases[] = {{1500, 0, "0:0:0:0/0:0:30:0", 0, true},
                 {1500, 750, "0:0:15:0/0:0:30:0", 50, true},
                 {0, 0, "0:0:0:0/0:0:0:0", 50, false},
                 {0, 0, "0:0:0:0/0:0:0:0", 50, false}};
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

// A click on the play button, or Space wherever the focus is, asks the service's flag:
// exactly 1 (paused) resumes, any other value pauses. Left and Right seek by 5 % as a
// move of the slider does.
TEST_F(PlayWindowTest, PlayButtonSpaceAndArrowsFollowTheServicesStopFlag) {
    StartShown("a.wav", 1);
    ASSERT_TRUE(testsupport::WaitLaidOut(Slider()));
    Slider()->SetValue(50);
    const struct {
        UINT key;              // 0: a click on the button
        int flag, sent, seek;  // the flag before; the flag sent and the seek asked for, -1 none
    } steps[] = {{0, 0, 1, -1},         {0, 1, 0, -1},        {VK_SPACE, 2, 1, -1},
                 {VK_SPACE, -1, 1, -1}, {VK_SPACE, 1, 0, -1}, {0, 1, 0, -1},
                 {VK_RIGHT, 0, -1, 55}, {VK_LEFT, 0, -1, 50}, {VK_LEFT, 1, -1, 45}};
    for (const auto &s : steps) {
        sd::Double()->stopFlag = s.flag;
        sd::Double()->calls.clear();
        if (s.key) {
            bstest::PressKey(Play(), s.key);
        } else {
            ClickPlay(L"PlayBtn");
        }
        std::vector<int> sent, seeks;
        for (const auto &c : sd::Calls("VoiceSetStopFlag")) sent.push_back(c.ints[0]);
        for (const auto &c : sd::Calls("VoiceSetPlayFilePostion")) seeks.push_back(c.ints[0]);
        EXPECT_EQ(sent, s.sent < 0 ? std::vector<int>{} : std::vector<int>{s.sent}) << s.key << " " << s.flag;
        EXPECT_EQ(seeks, s.seek < 0 ? std::vector<int>{} : std::vector<int>{s.seek}) << s.key << " " << s.flag;
        EXPECT_TRUE(s.sent < 0 || PlayImage() == (s.sent ? kPaused : kPlaying)) << s.key << " " << s.flag;
    }
}

}  // namespace
}  // namespace callstest
