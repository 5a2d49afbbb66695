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

TEST(BsStationIndex, FindsByTheFirst28Bytes) {
    BsStationIndex index;
    const std::string a = std::string(28, 'A') + "-one";
    index.Add(a, Row(1));
    ASSERT_NE(index.Find((std::string(28, 'A') + "-two").c_str()), nullptr);
    EXPECT_EQ(index.Find(std::string(28, 'A').c_str())->row, Row(1));
    EXPECT_EQ(index.Find(std::string(27, 'A').c_str()), nullptr);
    EXPECT_EQ(index.Find("B"), nullptr);
    EXPECT_EQ(index.Size(), 1u);
}

TEST(BsStationIndex, PassAsksEachStationOnceAndMarksNeighboursGone) {
    BsStationIndex index;
    for (int i = 0; i < 6; ++i) index.Add("S" + std::to_string(i), Row(i));
    std::map<std::string, int> asked;
    const std::set<std::string> gone = {"S2", "S3", "S5"};
    EXPECT_EQ(index.Pass([&](const std::string &s) {
        ++asked[s];
        return gone.count(s) ? 0 : 1;
    }), 3u);
    EXPECT_EQ(asked.size(), 6u);
    for (const auto &a : asked) EXPECT_EQ(a.second, 1) << a.first;

    // Stations already found gone are not asked again before their rows are removed.
    asked.clear();
    index.Pass([&](const std::string &s) { ++asked[s]; return 1; });
    EXPECT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked.count("S2") + asked.count("S3") + asked.count("S5"), 0u);

    const std::vector<void *> rows = index.TakeGone();
    EXPECT_EQ(rows, (std::vector<void *>{Row(2), Row(3), Row(5)}));
    EXPECT_EQ(Serials(index), (std::vector<std::string>{"S0", "S1", "S4"}));
    EXPECT_EQ(index.Find("S3"), nullptr);
    EXPECT_EQ(index.GoneCount(), 0u);
    EXPECT_TRUE(index.TakeGone().empty());
}

TEST(BsStationIndex, RemoveKeepsOrderAndCounts) {
    BsStationIndex index;
    for (int i = 0; i < 4; ++i) index.Add("S" + std::to_string(i), Row(i));
    index.Pass([](const std::string &s) { return s == "S1" ? 0 : 1; });
    index.Remove(index.Find("S1"));   // a gone station removed by another path
    index.Remove(index.Find("S2"));
    index.Remove(nullptr);
    EXPECT_EQ(index.GoneCount(), 0u);
    EXPECT_EQ(Serials(index), (std::vector<std::string>{"S0", "S3"}));
    index.Add("S1", Row(11));         // comes back at the end
    EXPECT_EQ(Serials(index), (std::vector<std::string>{"S0", "S3", "S1"}));
    index.Clear();
    EXPECT_EQ(index.Size(), 0u);
    int calls = 0;
    EXPECT_EQ(index.Pass([&](const std::string &) { return ++calls, 0; }), 0u);
    EXPECT_EQ(calls, 0);
}
