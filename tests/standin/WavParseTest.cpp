// Voice file images: a wrong frame count shows the operator a wrong length, and a damaged
// file must fail cleanly rather than play garbage.
#include <gtest/gtest.h>

#include "standin/core/ToneGen.h"
#include "standin/core/WavFile.h"

using namespace standin;

namespace {

TEST(WavFile, RoundTripsAndCountsFrames) {
    std::vector<int16_t> samples = ToneSamples(7, 0, 8000 + 5);
    std::vector<int16_t> back;
    std::string error;
    ASSERT_TRUE(ParseWav(EncodeWav(samples), &back, &error)) << error;
    EXPECT_EQ(samples, back);
    EXPECT_EQ(51, FramesOf(back.size())) << "a partial last frame counts";
    EXPECT_EQ(0, FramesOf(0));
    EXPECT_EQ(1, FramesOf(160));
}

TEST(WavFile, DamagedFilesFailOrYieldWhatIsThere) {
    std::string good = EncodeWav(std::vector<int16_t>(1600, 100));
    std::string stereo = good, rate = good, bits = good, notWave = good;
    stereo[22] = 2;
    rate[24] = 0x44;
    bits[34] = 8;
    notWave[8] = 'X';
    for (const std::string &bad :
         {good.substr(0, 11), good.substr(0, 30), stereo, rate, bits, notWave, std::string()}) {
        std::vector<int16_t> s;
        std::string error;
        EXPECT_FALSE(ParseWav(bad, &s, &error));
        EXPECT_FALSE(error.empty());
    }
    std::vector<int16_t> s;
    std::string error;
    bool truncated = false;
    ASSERT_TRUE(ParseWav(good.substr(0, 44 + 1000), &s, &error, &truncated));
    EXPECT_EQ(500u, s.size());
    EXPECT_TRUE(truncated);
}

}  // namespace
