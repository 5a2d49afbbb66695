// Voice files and the player clock: a wrong frame count or clock shows the operator a
// wrong position, and a damaged file must fail cleanly rather than play garbage.
#include <gtest/gtest.h>

#include "standin/core/Player.h"
#include "standin/core/PlayerClock.h"
#include "standin/core/ToneGen.h"
#include "standin/core/WavFile.h"
#include "tests/standin/TestFolder.h"

using namespace standin;

namespace {

TEST(WavFile, AnUnclosedRecordingIsReadable) {
    TestFolder folder;
    std::wstring path = folder.File(L"rec.wav");
    std::vector<int16_t> part = ToneSamples(3, 0, 3200);
    WavWriter writer;
    ASSERT_TRUE(writer.Open(path));
    ASSERT_TRUE(writer.Append(part.data(), part.size()));
    std::vector<int16_t> back;
    std::string error;
    bool truncated = true;
    std::string bytes = ReadBytes(path);  // as a crash would leave it
    ASSERT_TRUE(ParseWav(bytes, &back, &error, &truncated)) << error;
    EXPECT_EQ(part, back);
    EXPECT_FALSE(truncated) << "open-ended while recording, not damaged";
    ASSERT_TRUE(writer.Close());
    ASSERT_TRUE(ReadWavFile(path, &back, &error));
    EXPECT_EQ(3200u, back.size());
}

struct FakeTime {
    int64_t ms = 1000;
    TimeSource Source() {
        return [this] { return ms; };
    }
};

TEST(PlayerClock, AdvancesInRealTimeUntilTheEndThenUnloads) {
    FakeTime t;
    PlayerClock clock(t.Source());
    EXPECT_EQ(0, clock.Total());
    clock.Load(100);
    EXPECT_EQ(100, clock.Total());
    EXPECT_EQ(0, clock.Current());
    EXPECT_FALSE(clock.Paused());
    t.ms += 19;
    EXPECT_EQ(0, clock.Current());
    t.ms += 1;
    EXPECT_EQ(1, clock.Current());
    t.ms += 20 * 98;
    EXPECT_EQ(99, clock.Current());
    t.ms += 20;
    EXPECT_EQ(0, clock.Total()) << "the end of the file unloads";
    EXPECT_EQ(0, clock.Current());
}

TEST(PlayerClock, PauseHoldsThePositionAndResumeKeepsTheFrameBegun) {
    FakeTime t;
    PlayerClock clock(t.Source());
    clock.Load(1000);
    t.ms += 110;  // 5 frames and 10 ms of the sixth
    clock.SetPaused(true);
    EXPECT_TRUE(clock.Paused());
    t.ms += 60000;
    EXPECT_EQ(5, clock.Current());
    clock.SetPaused(true);  // twice changes nothing
    EXPECT_EQ(5, clock.Current());
    clock.SetPaused(false);
    t.ms += 10;
    EXPECT_EQ(6, clock.Current());
    EXPECT_EQ(1000, clock.Total());
}

TEST(PlayerClock, SeekIsClampedAndKeepsThePauseState) {
    FakeTime t;
    PlayerClock clock(t.Source());
    clock.Load(300);
    struct {
        int percent;
        int frame;
    } cases[] = {{50, 150}, {-20, 0}, {0, 0}, {33, 99}, {99, 297}};
    for (const auto &c : cases) {
        clock.Seek(c.percent);
        EXPECT_EQ(c.frame, clock.Current()) << c.percent;
    }
    clock.SetPaused(true);
    clock.Seek(10);
    t.ms += 5000;
    EXPECT_EQ(30, clock.Current());
    EXPECT_TRUE(clock.Paused());
    clock.Seek(250);
    EXPECT_EQ(0, clock.Total()) << "seeking to the end ends the file";
    clock.Seek(10);
    EXPECT_EQ(0, clock.Current()) << "nothing to seek in";
}

class RecordingSink : public SoundSink {
public:
    explicit RecordingSink(std::vector<std::string> *log) : m_log(log) {}
    void Play(const std::vector<int16_t> &s, size_t from) override {
        m_log->push_back("play " + std::to_string(s.size()) + " " + std::to_string(from));
    }
    void Pause() override { m_log->push_back("pause"); }
    void Resume() override { m_log->push_back("resume"); }
    void Stop() override { m_log->push_back("stop"); }

private:
    std::vector<std::string> *m_log;
};

TEST(Player, DrivesTheSoundDeviceWithTheClock) {
    TestFolder folder;
    std::wstring path = folder.File(L"a.wav");
    ASSERT_TRUE(WriteWavFile(path, ToneSamples(1, 0, 1600)));  // 10 frames
    FakeTime t;
    std::vector<std::string> log;
    Player player(t.Source(), std::unique_ptr<SoundSink>(new RecordingSink(&log)));
    ASSERT_TRUE(player.Play(path));
    EXPECT_EQ(10, player.TotalFrames());
    player.SetStopFlag(1);
    EXPECT_EQ(1, player.StopFlag());
    player.SetStopFlag(0);
    player.Seek(50);
    t.ms += 200;
    EXPECT_EQ(0, player.TotalFrames());
    EXPECT_EQ((std::vector<std::string>{"stop", "play 1600 0", "pause", "resume", "play 1600 800", "stop"}), log);
    EXPECT_FALSE(player.Play(folder.File(L"missing.wav")));
    EXPECT_EQ(0, player.TotalFrames());
    WriteBytes(folder.File(L"bad.wav"), "RIFF....WAVEjunk");
    EXPECT_FALSE(player.Play(folder.File(L"bad.wav")));
    EXPECT_EQ(0, player.TotalFrames());
}

}  // namespace
