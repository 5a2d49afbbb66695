// The station index behind the list: a fault here lists a station twice, keeps a gone
// station, or asks about a station twice (or never) in one pass.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "basestation/BsStationIndex.h"

using namespace bs;

static void *Row(int n) { return reinterpret_cast<void *>(static_cast<intptr_t>(n)); }

TEST(BsStationIndex, PassAsksEachStationOnceUntilItsRowIsTaken) {
    BsStationIndex index;
    for (int i = 0; i < 6; ++i) index.Add("S" + std::to_string(i), Row(i));
    const std::set<std::string> gone = {"S2", "S3", "S5"};
    for (const auto &expected :
         {std::map<std::string, int>{{"S0", 1}, {"S1", 1}, {"S2", 1}, {"S3", 1}, {"S4", 1}, {"S5", 1}},
          std::map<std::string, int>{{"S0", 1}, {"S1", 1}, {"S4", 1}}}) {
        std::map<std::string, int> asked;
        index.Pass([&](const std::string &s) { return ++asked[s], gone.count(s) ? 0 : 1; });
        EXPECT_EQ(asked, expected) << "stations found gone are not asked again";
    }
    EXPECT_EQ(index.TakeGone().size(), 3u);
    EXPECT_EQ(index.Find("S3"), nullptr);
    ASSERT_NE(index.Find("S4"), nullptr);
    EXPECT_EQ(index.Find("S4")->row, Row(4));
    // A station removed while marked gone is not taken again.
    index.Pass([](const std::string &s) { return s == "S0" ? 0 : 1; });
    index.Remove(index.Find("S0"));
    EXPECT_TRUE(index.TakeGone().empty());
    EXPECT_EQ(index.Size(), 2u);
}

// Stations are told apart by their first 28 bytes: serials that differ at byte 28 are
// two stations, at byte 29 or later one (the first stays, with its row).
TEST(BsStationIndex, KeyIsTheFirst28Bytes) {
    const std::string first27(27, 'K');
    const struct {
        std::string a, b;
        bool same;
    } cases[] = {{first27 + "A", first27 + "B", false},
                 {first27 + "AX", first27 + "AY", true},
                 {first27 + "A", first27 + "A-long", true},
                 {first27, first27 + "A", false}};
    for (const auto &c : cases) {
        BsStationIndex index;
        ASSERT_NE(index.Add(c.a, Row(1)), nullptr);
        EXPECT_EQ(index.Add(c.b, Row(2)) == nullptr, c.same) << c.b;
        ASSERT_NE(index.Find(c.b.c_str()), nullptr);
        EXPECT_EQ(index.Find(c.b.c_str())->row, c.same ? Row(1) : Row(2)) << c.b;
        EXPECT_EQ(index.Size(), c.same ? 1u : 2u);
    }
}
