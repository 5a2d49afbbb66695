// The playback window from the real "PlayUI.xml": a fault here shows a wrong time or
// position, seeks on its own, loses a pause, keeps a finished file's window up, or stacks
// two files in the service.
#include "tests/calls_ui/CallsFixture.h"

#include "tests/support/WaitFor.h"

using servicedouble::ServiceDouble;

namespace callstest {
namespace {

class PlayWindowTest : public CallPageTest {
protected:
    HWND Play() { return g_pPlayWnd->GetHWND(); }
    CControlUI *PlayFind(const wchar_t *name) { return g_pPlayWnd->PaintManager().FindControl(name); }
    CProgressUI *Slider() { return static_cast<CProgressUI *>(PlayFind(L"PlaySlider")); }
    std::string TimeText() { return Narrow(PlayFind(L"PlayTime")->GetText()); }
    std::wstring PlayImage() { return PlayFind(L"PlayBtn")->GetBkImage(); }
    // Starts a file as the row's play action does, shows the window, and keeps the real
    // timer from interleaving with the ticks the test sends.
    void StartShown(const char *name, int id) {
        StartPlayback(name, id);
        ::KillTimer(Play(), 0);
        ::ShowWindow(Play(), SW_SHOWNOACTIVATE);
    }
    void Tick() { ::SendMessageW(Play(), WM_TIMER, 4711, 0); }
    void ClickPlay(const wchar_t *name) {
        CControlUI *c = PlayFind(name);
        ASSERT_TRUE(WaitLaidOut(c));
        testsupport::ClickControl(Play(), c);
    }
};

TEST_F(PlayWindowTest, StartEndsThePreviousFileAndStartsFromZero) {
    ServiceDouble::SetPlayFileFrames(1500);
    StartShown("first.wav", 7);
    ServiceDouble::SetPlayerState(1500, 750);
    Tick();
    ASSERT_EQ(50, Slider()->GetValue());
    ClickPlay(L"PlayBtn");  // paused
    ServiceDouble::ClearCalls();

    StartShown("second.wav", 8);
    std::vector<std::string> order;
    for (const auto &c : ServiceDouble::Calls()) order.push_back(c.function);
    ASSERT_LE(2u, order.size());
    EXPECT_EQ("VoiceExitPlayFile", order[0]);
    EXPECT_EQ("VoicePlayFile", order[1]);
    const auto played = ServiceDouble::Calls("VoicePlayFile");
    EXPECT_EQ("second.wav", played[0].texts[0]);
    EXPECT_EQ(8, played[0].ints[0]);
    EXPECT_EQ(0, Slider()->GetValue());
    EXPECT_EQ(L"//Button//StopPlayBtn.png", PlayImage());
    EXPECT_EQ("0:0:0:0/0:0:30:0", TimeText());
    // The service's stop flag is left alone.
    EXPECT_EQ(0u, ServiceDouble::CallCount("VoiceSetStopFlag"));
}

TEST_F(PlayWindowTest, TicksShowTimeAndPosition) {
    struct Case {
        int total, current;
        const char *text;
        int slider;
    } cases[] = {
        {1500, 0, "0:0:0:0/0:0:30:0", 0},
        {180001, 3001, "0:1:0:20/1:0:0:20", 1},
        {3, 1, "0:0:0:20/0:0:0:60", 33},
        {3, 2, "0:0:0:40/0:0:0:60", 66},
        // current * 100 overflows 32 bits here
        {40000000, 30000000, "166:40:0:0/222:13:20:0", 75},
    };
    StartShown("a.wav", 1);
    for (const Case &c : cases) {
        ServiceDouble::SetPlayerState(c.total, c.current);
        Tick();
        EXPECT_EQ(c.text, TimeText());
        EXPECT_EQ(c.slider, Slider()->GetValue()) << c.text;
    }
    // Its own updates never seek.
    EXPECT_EQ(0u, ServiceDouble::CallCount("VoiceSetPlayFilePostion"));
    EXPECT_TRUE(::IsWindowVisible(Play()));
}

TEST_F(PlayWindowTest, NothingLoadedHidesTheWindowOnEveryTick) {
    StartShown("a.wav", 1);
    ServiceDouble::SetPlayerState(0, 0);
    ServiceDouble::ClearCalls();
    Tick();
    EXPECT_FALSE(::IsWindowVisible(Play()));
    EXPECT_EQ(1u, ServiceDouble::CallCount("VoiceExitPlayFile"));
    ::ShowWindow(Play(), SW_SHOWNOACTIVATE);
    Tick();
    EXPECT_FALSE(::IsWindowVisible(Play()));
    Tick();
    EXPECT_EQ(3u, ServiceDouble::CallCount("VoiceExitPlayFile"));
    EXPECT_EQ(0u, ServiceDouble::CallCount("VoiceSetPlayFilePostion"));
}

TEST_F(PlayWindowTest, PlayButtonPausesThenResumes) {
    StartShown("a.wav", 1);
    ServiceDouble::ClearCalls();
    ClickPlay(L"PlayBtn");
    EXPECT_EQ(L"//Button//StartPlayBtn.png", PlayImage());
    EXPECT_EQ(1, ServiceDouble::StopFlag());
    ClickPlay(L"PlayBtn");
    EXPECT_EQ(L"//Button//StopPlayBtn.png", PlayImage());
    EXPECT_EQ(0, ServiceDouble::StopFlag());
    std::vector<int> flags;
    for (const auto &c : ServiceDouble::Calls("VoiceSetStopFlag")) flags.push_back(c.ints[0]);
    EXPECT_EQ((std::vector<int>{1, 0}), flags);
    // Paused by the service itself: the next click resumes.
    ServiceDouble::SetStopFlag(1);
    ClickPlay(L"PlayBtn");
    EXPECT_EQ(L"//Button//StopPlayBtn.png", PlayImage());
    EXPECT_EQ(0, ServiceDouble::StopFlag());
}

TEST_F(PlayWindowTest, DraggingTheSliderSeeks) {
    ServiceDouble::SetPlayFileFrames(1000);
    StartShown("a.wav", 1);
    CProgressUI *slider = Slider();
    ASSERT_TRUE(WaitLaidOut(slider));
    ServiceDouble::ClearCalls();
    const RECT rc = slider->GetPos();
    ClickAt(Play(), POINT{rc.left + (rc.right - rc.left) * 3 / 4, (rc.top + rc.bottom) / 2});
    const auto seeks = ServiceDouble::Calls("VoiceSetPlayFilePostion");
    ASSERT_FALSE(seeks.empty());
    EXPECT_EQ(slider->GetValue(), seeks.back().ints[0]);
    EXPECT_NEAR(75, seeks.back().ints[0], 8);
}

TEST_F(PlayWindowTest, CloseButtonHidesAndEndsPlayback) {
    StartShown("a.wav", 1);
    ServiceDouble::ClearCalls();
    ClickPlay(L"closebtn");
    EXPECT_FALSE(::IsWindowVisible(Play()));
    EXPECT_EQ(1u, ServiceDouble::CallCount("VoiceExitPlayFile"));
    EXPECT_TRUE(::IsWindow(Play()));
}

TEST_F(PlayWindowTest, TheTimerTicksOnItsOwnOnceStarted) {
    ServiceDouble::SetPlayFileFrames(1500);
    StartPlayback("a.wav", 1);
    ::ShowWindow(Play(), SW_SHOWNOACTIVATE);
    ServiceDouble::SetPlayerState(1500, 300);
    EXPECT_TRUE(testsupport::WaitFor([&] { return Slider()->GetValue() == 20; }, 3000));
    EXPECT_EQ("0:0:6:0/0:0:30:0", TimeText());
}

TEST_F(PlayWindowTest, CloseMessageDestroysTheWindowAndWritesFinal) {
    // A second window of the class: WM_CLOSE gets the platform's default handling.
    CPlayWnd other;
    ASSERT_NE(nullptr, other.Create(nullptr, kPlayWindowTitle, 0x80000080, 0, 0, 0, 0, 0, nullptr));
    const HWND hWnd = other.GetHWND();
    StdoutCapture out;
    ::SendMessageW(hWnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ("Final.\n", out.Text());
}

// Keys sent to the playback window, wherever its focus is: Space pauses and resumes as
// the pause button does; Left and Right seek by 5 % as a move of the slider does.
TEST_F(PlayWindowTest, SpacePausesAndResumesAndArrowsSeekByFivePercent) {
    ServiceDouble::SetPlayFileFrames(1000);
    StartShown("a.wav", 1);
    ASSERT_TRUE(WaitLaidOut(Slider()));
    Slider()->SetValue(50);
    ServiceDouble::ClearCalls();
    struct Step {
        UINT key;
        int stopFlag;  // the service's flag after the key
        int seek;      // the last seek asked for, -1 none
        const wchar_t *image;
    };
    const Step steps[] = {
        {VK_SPACE, 1, -1, L"//Button//StartPlayBtn.png"}, {VK_SPACE, 0, -1, L"//Button//StopPlayBtn.png"},
        {VK_RIGHT, 0, 55, L"//Button//StopPlayBtn.png"},  {VK_LEFT, 0, 50, L"//Button//StopPlayBtn.png"},
        {VK_LEFT, 0, 45, L"//Button//StopPlayBtn.png"},
    };
    for (const Step &s : steps) {
        SCOPED_TRACE(s.key);
        ::SendMessageW(Play(), WM_KEYDOWN, s.key, 1);
        ::SendMessageW(Play(), WM_KEYUP, s.key, 0xC0000001);
        EXPECT_EQ(ServiceDouble::StopFlag(), s.stopFlag);
        EXPECT_EQ(PlayImage(), s.image);
        const auto seeks = ServiceDouble::Calls("VoiceSetPlayFilePostion");
        EXPECT_EQ(seeks.empty() ? -1 : seeks.back().ints[0], s.seek);
    }
}

}  // namespace
}  // namespace callstest
