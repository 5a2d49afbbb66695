// The station index behind the list: a fault here lists a station twice, keeps a gone
// station, or asks about a station twice (or never) in one pass.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "basestation/BsStationIndex.h"

using namespace bs;

namespace {

void *Row(int n) { return reinterpret_cast<void *>(static_cast<intptr_t>(n)); }

std::vector<std::string> Serials(const BsStationIndex &index) {
    std::vector<std::string> out;
    for (const Station &s : index.Stations()) out.push_back(s.serial);
    return out;
}

}  // namespace

TEST(BsStationIndex, PassAsksEachStationOnceAndMarksNeighboursGone) {
    BsStationIndex index;
    for (int i = 0; i < 6; ++i) index.Add("S" + std::to_string(i), Row(i));
    std::map<std::string, int> asked;
    const std::set<std::string> gone = {"S2", "S3", "S5"};
    EXPECT_EQ(index.Pass([&](const std::string &s) {
        ++asked[s];
        return gone.count(s) ? 0 : 1;
    }),
              3u);
    EXPECT_EQ(asked.size(), 6u);
    for (const auto &a : asked) EXPECT_EQ(a.second, 1) << a.first;

    // Stations already found gone are not asked again before their rows are removed.
    asked.clear();
    index.Pass([&](const std::string &s) {
        ++asked[s];
        return 1;
    });
    EXPECT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked.count("S2") + asked.count("S3") + asked.count("S5"), 0u);

    index.TakeGone();
    EXPECT_EQ(Serials(index), (std::vector<std::string>{"S0", "S1", "S4"}));
    EXPECT_EQ(index.Find("S3"), nullptr);
    EXPECT_TRUE(index.TakeGone().empty());
}

// A second station with the same key would leave the first one's row unreachable while
// it is still polled: the index refuses it and keeps the first.
TEST(BsStationIndex, AddRefusesAKeyAlreadyListed) {
    BsStationIndex index;
    const std::string long28(28, 'K');
    ASSERT_NE(index.Add("S0", Row(0)), nullptr);
    ASSERT_NE(index.Add(long28 + "-a", Row(1)), nullptr);
    for (const std::string &same : {std::string("S0"), long28 + "-b", long28}) {
        SCOPED_TRACE(same);
        EXPECT_EQ(index.Add(same, Row(99)), nullptr);
    }
    EXPECT_EQ(index.Size(), 2u);
    EXPECT_EQ(Serials(index), (std::vector<std::string>{"S0", long28 + "-a"}));
    ASSERT_NE(index.Find("S0"), nullptr);
    EXPECT_EQ(index.Find("S0")->row, Row(0));
    EXPECT_EQ(index.Find((long28 + "-b").c_str())->row, Row(1));
}
