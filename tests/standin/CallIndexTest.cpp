// The index file is the only record of which calls exist: a fault here loses calls or
// shows deleted ones, and a crash mid-write must never cost a call already written.
#include "standin/core/CallIndex.h"

#include <gtest/gtest.h>

#include "tests/standin/TestFolder.h"

using namespace standin;

namespace {

std::string Add(int32_t id, int64_t start) { return CallIndex::EncodeRecord('A', id, start, "c" + std::to_string(id)); }

class CallIndexTest : public ::testing::Test {
protected:
    std::wstring Path() const { return m_folder.File(L"calls.idx"); }
    std::vector<int32_t> Reopen(CallIndex &index) {
        EXPECT_TRUE(index.Open(Path()));
        std::vector<int32_t> ids;
        for (size_t i = 0; i < index.Size(); ++i) ids.push_back(index.IdAt(i));
        return ids;
    }
    int32_t AddOne(CallIndex &index) {
        int32_t id = 0;
        EXPECT_TRUE(index.Add(1000, "after.wav", &id));
        return id;
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
        EXPECT_FALSE(index.Add(1, "", &id));
        EXPECT_FALSE(index.Add(1, std::string(100, 'a'), &id));
        EXPECT_TRUE(index.Add(1, std::string(99, 'a'), &id));
        EXPECT_TRUE(index.Remove(6));
    }
    WriteBytes(Path() + L".tmp", Add(1, 1).substr(0, 9));  // a rewrite cut short
    CallIndex again;
    EXPECT_EQ((std::vector<int32_t>{2, 4, 3, 1}), Reopen(again));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW((Path() + L".tmp").c_str()));
    EXPECT_EQ(7, AddOne(again)) << "ids are never reused";
    int32_t id = 0;
    EXPECT_FALSE(CallIndex().Add(1, "closed.wav", &id));
}

// The whole original goes to .bad for whoever looks for a voice file.
TEST_F(CallIndexTest, DamageIsKeptAsideAndTheRestRepaired) {
    const std::string torn = Add(3, 900), log = Add(1, 500) + Add(2, 100) + torn.substr(0, torn.size() - 1);
    WriteBytes(Path(), log);
    {
        CallIndex index;
        EXPECT_EQ((std::vector<int32_t>{2, 1}), Reopen(index));
        EXPECT_EQ(log, ReadBytes(Path() + L".bad"));
        EXPECT_EQ(3, AddOne(index));
    }
    CallIndex index;
    EXPECT_EQ((std::vector<int32_t>{2, 1, 3}), Reopen(index));
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
    EXPECT_LT(ReadBytes(Path()).size(), 40 * Add(10, 1).size());
    CallIndex index;
    EXPECT_EQ((std::vector<int32_t>{40, 39, 38, 37, 36, 35, 34, 33, 32, 31}), Reopen(index));
    EXPECT_EQ(41, AddOne(index));
    // The only call ever, compacted away: the floor still holds.
    index.Close();
    DeleteFileW(Path().c_str());
    ASSERT_TRUE(index.Open(Path()));
    index.SetCompactThreshold(1);
    ASSERT_TRUE(index.Remove(AddOne(index)));
    index.Close();
    EXPECT_TRUE(Reopen(index).empty());
    EXPECT_EQ(2, AddOne(index));
}

TEST_F(CallIndexTest, TheSizeLimitRefusesAnOpenAndAnAddThatWouldPassIt) {
    const size_t limit = 3 * Add(1, 0).size();
    {
        CallIndex index;
        index.SetSizeLimit(limit);
        ASSERT_TRUE(index.Open(Path()));
        int32_t id = 0;
        for (int i = 0; i < 3; ++i) ASSERT_TRUE(index.Add(i, "c1", &id));
        EXPECT_FALSE(index.Add(9, "c1", &id));
        EXPECT_FALSE(index.AddMany({{9, "c1"}}));
    }
    EXPECT_EQ(limit, ReadBytes(Path()).size());
    CallIndex smaller, same;
    smaller.SetSizeLimit(limit - 1);
    EXPECT_FALSE(smaller.Open(Path()));
    same.SetSizeLimit(limit);
    EXPECT_EQ((std::vector<int32_t>{1, 2, 3}), Reopen(same));
}

}  // namespace
