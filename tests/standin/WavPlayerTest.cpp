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
    ASSERT_TRUE(ParseWav(ReadBytes(path), &back, &error, &truncated)) << error;  // as a crash would leave it
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

// Frames of 20 ms from the load; a pause holds the position and keeps the frame begun;
// a seek is clamped and keeps the pause; reaching the end unloads.
TEST(PlayerClock, FollowsRealTimePausesAndSeeks) {
    FakeTime t;
    PlayerClock clock(t.Source());
    EXPECT_EQ(0, clock.Total());
    enum Op { kLoad, kWait, kPause, kResume, kSeek };
    const struct {
        Op op;
        int arg, current, total;
    } steps[] = {{kLoad, 100, 0, 100},    {kWait, 19, 0, 100},    {kWait, 1, 1, 100},    {kWait, 20 * 98, 99, 100},
                 {kWait, 20, 0, 0},       {kLoad, 1000, 0, 1000}, {kWait, 110, 5, 1000}, {kPause, 0, 5, 1000},
                 {kWait, 60000, 5, 1000}, {kPause, 0, 5, 1000},   {kResume, 0, 5, 1000}, {kWait, 10, 6, 1000},
                 {kLoad, 300, 0, 300},    {kSeek, 50, 150, 300},  {kSeek, -20, 0, 300},  {kSeek, 33, 99, 300},
                 {kSeek, 99, 297, 300},   {kPause, 0, 297, 300},  {kSeek, 10, 30, 300},  {kWait, 5000, 30, 300},
                 {kSeek, 250, 0, 0},      {kSeek, 10, 0, 0}};
    for (const auto &s : steps) {
        if (s.op == kLoad) clock.Load(s.arg);
        if (s.op == kWait) t.ms += s.arg;
        if (s.op == kPause || s.op == kResume) clock.SetPaused(s.op == kPause);
        if (s.op == kSeek) clock.Seek(s.arg);
        EXPECT_EQ(s.current, clock.Current()) << "step " << &s - steps;
        EXPECT_EQ(s.total, clock.Total()) << "step " << &s - steps;
        if (s.op == kPause || s.op == kResume) {
            EXPECT_EQ(s.op == kPause, clock.Paused());
        }
    }
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
