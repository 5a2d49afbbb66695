// The real console with the stand-in libraries: find the calls of the seeded day, page
// through them, play one and watch the slider move, seek, pause, and delete one. If this
// fails, the pieces that pass alone do not work together in the shipped program.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "tests/support/ConsoleProcess.h"
#include "tests/support/StandinPipe.h"
#include "tests/support/UiDump.h"
#include "tests/support/WaitFor.h"

using namespace e2e;

namespace {

const unsigned kWaitMs = 10000;
const int kSeeded = 20;  // a page of 16 and one of 4

// Today's calls (the date pickers start at today), one a minute from 08:00, 30 s each.
// A start in the last two minutes of a day waits for the next one, so that the seeded day
// and the pickers' day are the same.
std::string Scenario() {
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    if (now.wHour == 23 && now.wMinute >= 58) {
        ::Sleep(((59 - now.wMinute) * 60 + 61 - now.wSecond) * 1000);
        ::GetLocalTime(&now);
    }
    std::string text = "clear\n";
    char line[96];
    for (int i = 0; i < kSeeded; ++i) {
        snprintf(line, sizeof line, "call %04d-%02d-%02d 08:%02d:00 seconds=30 name=e2e%02d.wav\n", now.wYear,
                 now.wMonth, now.wDay, i, i);
        text += line;
    }
    return text;
}

class E2eCalls : public testing::Test {
protected:
    void SetUp() override {
        m_main = WaitMainWindow(m_console);
        ASSERT_NE(nullptr, m_main);
        m_play = m_console.WaitWindowOf(L"PlayUI", nullptr, kWaitMs);
        ASSERT_NE(nullptr, m_play);
    }
    void TearDown() override {
        if (m_main) {
            EXPECT_TRUE(CloseConsole(m_console, m_main));
        }
    }

    // Waits until the window's dump satisfies cond; the last dump in *dump.
    bool WaitDump(HWND hWnd, UiDump *dump, const std::function<bool(const UiDump &)> &cond) {
        return testsupport::WaitFor([&] { return !(*dump = UiDump::Of(hWnd)).Empty() && cond(*dump); }, kWaitMs);
    }
    // Clicks the named visible control of hWnd.
    void Click(HWND hWnd, const std::string &name) {
        UiDump dump;
        ASSERT_TRUE(WaitDump(hWnd, &dump,
                             [&](const UiDump &d) {
                                 const DumpedControl *c = d.Find(name, true);
                                 return c && c->rect.right > c->rect.left;
                             }))
            << name << " not shown";
        ClickRect(hWnd, dump.Find(name, true)->rect);
    }
    int Rows(const UiDump &d) {
        int n = 0;
        while (d.Find("ItemBtn" + std::to_string(n) + "Text0")) ++n;
        return n;
    }
    std::string PlayerState() { return AskStandin(m_standin.pipe, "player").status; }
    int PlayerValue(const std::string &key) {
        const std::string s = PlayerState();
        const size_t at = s.find(key + "=");
        return at == std::string::npos ? -1 : std::atoi(s.c_str() + at + key.size() + 1);
    }
    bool LogHas(const std::string &prefix) {
        for (const std::string &l : AskStandin(m_standin.pipe, "log").lines)
            if (l.rfind(prefix, 0) == 0) return true;
        return false;
    }

    StandinSetup m_standin = MakeStandinSetup(L"e2e-calls", Scenario());
    ConsoleProcess m_console{m_standin.Env()};
    HWND m_main = nullptr;
    HWND m_play = nullptr;
};

TEST_F(E2eCalls, FindPagePlaySeekPauseAndDelete) {
    ASSERT_EQ("ok " + std::to_string(kSeeded), AskStandin(m_standin.pipe, "count").status);

    // The call page: navigation group "通话记录", sub-page call records.
    Click(m_main, "menu1");
    Click(m_main, "menu1_1");
    Click(m_main, "FindVoiceFileBtn");
    UiDump page;
    ASSERT_TRUE(WaitDump(m_main, &page, [&](const UiDump &d) { return Rows(d) == 16; }));
    EXPECT_EQ("e2e00.wav", page.Find("ItemBtn0Text0")->text);
    EXPECT_EQ("e2e15.wav", page.Find("ItemBtn15Text0")->text);
    EXPECT_TRUE(page.Find("NextCallListBtn")->enabled);
    EXPECT_FALSE(page.Find("PrevCallListBtn")->enabled);

    Click(m_main, "NextCallListBtn");
    ASSERT_TRUE(WaitDump(m_main, &page, [&](const UiDump &d) { return Rows(d) == 4; }));
    EXPECT_EQ("e2e16.wav", page.Find("ItemBtn0Text0")->text);
    EXPECT_FALSE(page.Find("NextCallListBtn")->enabled);
    EXPECT_TRUE(page.Find("PrevCallListBtn")->enabled);
    Click(m_main, "PrevCallListBtn");
    ASSERT_TRUE(WaitDump(m_main, &page, [&](const UiDump &d) { return Rows(d) == 16; }));
    EXPECT_FALSE(page.Find("PrevCallListBtn")->enabled);

    // Play row 2: the window shows and its slider and time move with the player.
    Click(m_main, "ItemBtn2Play");
    ASSERT_TRUE(testsupport::WaitFor([&] { return ::IsWindowVisible(m_play) != FALSE; }, kWaitMs));
    EXPECT_TRUE(LogHas("play \"e2e02.wav\""));
    UiDump play;
    ASSERT_TRUE(WaitDump(m_play, &play, [](const UiDump &d) { return d.IntValue("PlaySlider") >= 3; }))
        << "slider stayed at " << play.IntValue("PlaySlider");
    const std::string time = play.Find("PlayTime")->text;
    EXPECT_NE(std::string::npos, time.find("/0:0:30:0")) << time;

    // Seek: a click at three quarters of the slider.
    const DumpedControl *slider = play.Find("PlaySlider");
    ASSERT_NE(nullptr, slider);
    ClickAt(m_play, slider->rect.left + (slider->rect.right - slider->rect.left) * 3 / 4,
            (slider->rect.top + slider->rect.bottom) / 2);
    ASSERT_TRUE(testsupport::WaitFor([&] { return LogHas("seek "); }, kWaitMs));
    EXPECT_GE(PlayerValue("current"), 1500 * 60 / 100) << PlayerState();
    ASSERT_TRUE(WaitDump(m_play, &play, [](const UiDump &d) { return d.IntValue("PlaySlider") >= 60; }));

    // Pause: the player stops advancing.
    Click(m_play, "PlayBtn");
    ASSERT_TRUE(testsupport::WaitFor([&] { return PlayerValue("paused") == 1; }, kWaitMs)) << PlayerState();
    const int pausedAt = PlayerValue("current");
    // The read-out settles on the paused position, and the player stays there.
    const unsigned ms = static_cast<unsigned>(pausedAt) * 20;
    const std::string pausedText = std::to_string(ms / 3600000) + ":" + std::to_string(ms % 3600000 / 60000) + ":" +
                                   std::to_string(ms % 60000 / 1000) + ":" + std::to_string(ms % 1000) + "/";
    EXPECT_TRUE(
        WaitDump(m_play, &play, [&](const UiDump &d) { return d.Find("PlayTime")->text.rfind(pausedText, 0) == 0; }))
        << play.Find("PlayTime")->text << " vs " << pausedText;
    EXPECT_EQ(pausedAt, PlayerValue("current"));
    Click(m_play, "closebtn");
    ASSERT_TRUE(testsupport::WaitFor([&] { return ::IsWindowVisible(m_play) == FALSE; }, kWaitMs));

    // Delete row 1: the file and the record go, and the page is read again.
    AskStandin(m_standin.pipe, "log clear");
    Click(m_main, "ItemBtn1Delete");
    ASSERT_TRUE(testsupport::WaitFor(
        [&] { return AskStandin(m_standin.pipe, "count").status == "ok " + std::to_string(kSeeded - 1); }, kWaitMs));
    EXPECT_TRUE(LogHas("voicedelete \"e2e01.wav\""));
    EXPECT_TRUE(LogHas("dbdelete \"e2e01.wav\""));
    ASSERT_TRUE(WaitDump(m_main, &page, [&](const UiDump &d) {
        const DumpedControl *c = d.Find("ItemBtn1Text0");
        return c && c->text == "e2e02.wav" && Rows(d) == 16;
    }));
    EXPECT_EQ("e2e16.wav", page.Find("ItemBtn15Text0")->text);
    EXPECT_TRUE(page.Find("NextCallListBtn")->enabled);
    EXPECT_EQ("", m_console.Output());
}

}  // namespace
