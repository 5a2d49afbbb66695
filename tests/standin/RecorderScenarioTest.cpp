// The recorder files new calls while on. A fault here loses recordings or leaves files
// marked in use forever.
#include <gtest/gtest.h>

#include "standin/core/CallStore.h"
#include "standin/core/DateText.h"
#include "standin/core/Recorder.h"
#include "tests/standin/TestFolder.h"

using namespace standin;

namespace {

TEST(Recorder, FilesACallEveryIntervalWhileOn) {
    TestFolder folder;
    CallStore store;
    ASSERT_TRUE(store.Open(folder.Path()));
    int64_t wall = 0;
    ASSERT_TRUE(ParseDateText("2024-06-01 10:00:00", &wall));
    Recorder rec(store, [&] { return wall; });
    rec.SetTiming({1000, 5000, 2000});
    rec.SetOn(true, 0);
    EXPECT_TRUE(rec.On());
    rec.Tick(999);
    EXPECT_EQ(0u, store.Count());
    rec.Tick(1000);
    ASSERT_EQ(1u, store.Count());
    std::string name = rec.Recording();
    ASSERT_FALSE(name.empty());
    EXPECT_EQ(1, store.IsUsing(name.c_str(), 1)) << "in use while being recorded";
    rec.Tick(2000);
    rec.Tick(3000);
    EXPECT_EQ(0, store.IsUsing(name.c_str(), 1));
    std::vector<int16_t> samples;
    std::string error;
    ASSERT_TRUE(ReadWavFile(store.PathOf(name), &samples, &error)) << error;
    EXPECT_EQ(100, FramesOf(samples.size())) << "2 s of audio";

    wall += 60;
    rec.Tick(6000);
    ASSERT_EQ(2u, store.Count());
    std::string second = rec.Recording();
    EXPECT_NE(name, second);
    rec.Tick(6500);
    rec.SetOn(false, 7000);  // ends the call in progress, keeps what was recorded
    EXPECT_FALSE(rec.On());
    EXPECT_EQ(0, store.IsUsing(second.c_str(), 2));
    ASSERT_TRUE(ReadWavFile(store.PathOf(second), &samples, &error)) << error;
    EXPECT_EQ(50, FramesOf(samples.size()));
    rec.Tick(20000);
    EXPECT_EQ(2u, store.Count()) << "off: no new calls";
}

}  // namespace
