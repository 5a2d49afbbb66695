// The index file is the only record of which calls exist: a fault here loses calls or
// shows deleted ones, and a crash mid-write must never cost a call already written.
// (Reading damaged logs is the native tier's CallIndexLoad; these are the file's life.)
#include "standin/core/CallIndex.h"

#include <gtest/gtest.h>

#include "tests/standin/TestFolder.h"

using namespace standin;

namespace {

std::string Add(int32_t id, int64_t start) { return CallIndex::EncodeRecord('A', id, start, "c" + std::to_string(id)); }

class CallIndexTest : public ::testing::Test {
protected:
    std::wstring Path() const { return m_folder.File(L"calls.idx"); }
    // The ids in order after opening the file, and the id the next add takes.
    std::vector<int32_t> Reopen(CallIndex &index) {
        EXPECT_TRUE(index.Open(Path()));
        std::vector<int32_t> ids;
        for (size_t i = 0; i < index.Size(); ++i) ids.push_back(index.IdAt(i));
        return ids;
    }
    TestFolder m_folder;
};

TEST_F(CallIndexTest, KeepsCallsAndTheIdFloorAcrossReopen) {
    {
        CallIndex index;
        ASSERT_TRUE(index.Open(Path()));
        int32_t id = 0;
        for (int64_t start : {500, 100, 300, 100, 200}) ASSERT_TRUE(index.Add(start, "call.wav", &id));
        EXPECT_TRUE(index.Remove(5));
        EXPECT_FALSE(index.Remove(5));
        EXPECT_FALSE(index.Remove(77));
    }
    CallIndex again;
    EXPECT_EQ((std::vector<int32_t>{2, 4, 3, 1}), Reopen(again));
    int32_t id = 0;
    ASSERT_TRUE(again.Add(50, "late.wav", &id));
    EXPECT_EQ(6, id) << "ids are never reused, not even the removed 5";
    EXPECT_EQ(0u, again.LowerBound(50, INT32_MIN));
    EXPECT_EQ(3u, again.UpperBound(100, INT32_MAX));
    EXPECT_FALSE(again.Add(1, "", &id));
    EXPECT_FALSE(again.Add(1, std::string(100, 'a'), &id));
    EXPECT_TRUE(again.Add(1, std::string(99, 'a'), &id));
    CallIndex closed;
    EXPECT_FALSE(closed.Add(1, "closed.wav", &id));
}

// Damage on disk: what survives is kept, the whole original goes to .bad for whoever
// looks for a voice file, and the repaired file takes appends.
TEST_F(CallIndexTest, DamageIsKeptAsideAndTheRestRepaired) {
    const std::string five = Add(1, 500) + Add(2, 100) + Add(3, 300) + Add(4, 100) + Add(5, 200);
    const std::string torn = Add(6, 900);
    const struct {
        const char *label;
        std::string log;
        std::vector<int32_t> ids;
        int32_t next;
    } cases[] = {
        {"an append cut before its last byte", five + torn.substr(0, torn.size() - 1), {2, 4, 5, 3, 1}, 6},
        {"garbage", std::string(5000, '\x5a'), {}, 1},
        {"a repeated id", Add(1, 100) + Add(2, 200) + Add(1, 300), {1, 2}, 3},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.label);
        WriteBytes(Path(), c.log);
        {
            CallIndex index;
            EXPECT_EQ(c.ids, Reopen(index));
            EXPECT_EQ(c.log, ReadBytes(Path() + L".bad"));
            int32_t id = 0;
            ASSERT_TRUE(index.Add(1000, "after.wav", &id));
            EXPECT_EQ(c.next, id);
        }
        CallIndex index;
        EXPECT_EQ(c.ids.size() + 1, Reopen(index).size());
        EXPECT_EQ("after.wav", index.NameAt(index.Size() - 1));
    }
}

TEST_F(CallIndexTest, ARewriteCutShortLeavesTheOldIndexWhole) {
    WriteBytes(Path(), Add(1, 500) + Add(2, 100));
    WriteBytes(Path() + L".tmp", Add(1, 1).substr(0, 9));  // an interrupted rewrite
    CallIndex index;
    EXPECT_EQ((std::vector<int32_t>{2, 1}), Reopen(index));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW((Path() + L".tmp").c_str()));
}

TEST_F(CallIndexTest, CompactionKeepsTheLiveCallsAndTheIdFloor) {
    {
        CallIndex index;
        ASSERT_TRUE(index.Open(Path()));
        index.SetCompactThreshold(10);
        std::vector<std::pair<int64_t, std::string>> many;
        for (int i = 0; i < 40; ++i) many.push_back({1000 - i, "m" + std::to_string(i) + ".wav"});
        ASSERT_TRUE(index.AddMany(many));
        for (int32_t id = 1; id <= 30; ++id) ASSERT_TRUE(index.Remove(id));
    }
    EXPECT_LT(ReadBytes(Path()).size(), 40 * CallIndex::EncodeRecord('A', 1, 1, "m10.wav").size());
    CallIndex index;
    EXPECT_EQ((std::vector<int32_t>{40, 39, 38, 37, 36, 35, 34, 33, 32, 31}), Reopen(index));
    int32_t id = 0;
    ASSERT_TRUE(index.Add(5, "n.wav", &id));
    EXPECT_EQ(41, id);
    // The only call ever, compacted away: the floor still holds.
    index.Close();
    DeleteFileW(Path().c_str());
    ASSERT_TRUE(index.Open(Path()));
    index.SetCompactThreshold(1);
    ASSERT_TRUE(index.Add(5, "n.wav", &id));
    ASSERT_TRUE(index.Remove(id));
    index.Close();
    EXPECT_TRUE(Reopen(index).empty());
    ASSERT_TRUE(index.Add(5, "n.wav", &id));
    EXPECT_EQ(2, id);
}

// The index never grows past what the process can load again.
TEST_F(CallIndexTest, TheSizeLimitRefusesAnOpenAndAnAddThatWouldPassIt) {
    const size_t record = Add(1, 0).size();
    {
        CallIndex index;
        index.SetSizeLimit(3 * record);
        ASSERT_TRUE(index.Open(Path()));
        int32_t id = 0;
        for (int i = 0; i < 3; ++i) ASSERT_TRUE(index.Add(i, "c1", &id));
        EXPECT_FALSE(index.Add(9, "c1", &id));
        EXPECT_FALSE(index.AddMany({{9, "c1"}}));
        EXPECT_EQ(3u, index.Size());
    }
    EXPECT_EQ(3 * record, ReadBytes(Path()).size());
    CallIndex smaller;
    smaller.SetSizeLimit(3 * record - 1);
    EXPECT_FALSE(smaller.Open(Path()));
    EXPECT_EQ(3 * record, ReadBytes(Path()).size()) << "left as it was";
    CallIndex same;
    same.SetSizeLimit(3 * record);
    EXPECT_EQ((std::vector<int32_t>{1, 2, 3}), Reopen(same));
}

}  // namespace
