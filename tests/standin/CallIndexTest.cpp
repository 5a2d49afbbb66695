// The index is the only record of which calls exist: a fault here loses calls or shows
// deleted ones, and a crash mid-write must never cost a call that was already written.
#include "standin/core/CallIndex.h"

#include <gtest/gtest.h>

#include "tests/standin/TestFolder.h"

using namespace standin;

namespace {

std::vector<int32_t> Ids(const CallIndex &index) {
    std::vector<int32_t> ids;
    for (size_t i = 0; i < index.Size(); ++i) ids.push_back(index.IdAt(i));
    return ids;
}

class CallIndexTest : public ::testing::Test {
protected:
    std::wstring Path() const { return m_folder.File(L"calls.idx"); }
    // Five calls, ids 1..5, starts 500, 100, 300, 100, 200.
    void Fill(CallIndex &index) {
        const int64_t starts[] = {500, 100, 300, 100, 200};
        for (int64_t s : starts) {
            int32_t id = 0;
            ASSERT_TRUE(index.Add(s, "call" + std::to_string(s) + ".wav", &id));
        }
    }
    TestFolder m_folder;
};

TEST_F(CallIndexTest, KeepsCallsOrderedByStartThenIdAcrossReopen) {
    {
        CallIndex index;
        ASSERT_TRUE(index.Open(Path()));
        Fill(index);
        EXPECT_EQ((std::vector<int32_t>{2, 4, 5, 3, 1}), Ids(index));
        EXPECT_TRUE(index.Remove(5));
        EXPECT_FALSE(index.Remove(5));
        EXPECT_FALSE(index.Remove(77));
    }
    CallIndex again;
    ASSERT_TRUE(again.Open(Path()));
    EXPECT_EQ((std::vector<int32_t>{2, 4, 3, 1}), Ids(again));
    EXPECT_EQ("call300.wav", again.NameAt(2));
    int32_t id = 0;
    ASSERT_TRUE(again.Add(50, "late.wav", &id));
    EXPECT_EQ(6, id) << "ids are never reused, not even the removed 5";
    EXPECT_EQ(0u, again.LowerBound(50, INT32_MIN));
    EXPECT_EQ(3u, again.UpperBound(100, INT32_MAX));
}

TEST_F(CallIndexTest, AnAppendCutShortLosesOnlyThatAppend) {
    // A crash can stop the write of one record after any number of its bytes.
    std::string record = CallIndex::EncodeRecord('A', 6, 900, "torn.wav");
    for (size_t cut : {size_t(1), size_t(4), size_t(19), size_t(20), record.size() - 1}) {
        SCOPED_TRACE(cut);
        DeleteFileW(Path().c_str());
        {
            CallIndex index;
            ASSERT_TRUE(index.Open(Path()));
            Fill(index);
        }
        WriteBytes(Path(), ReadBytes(Path()) + record.substr(0, cut));
        {
            CallIndex index;
            ASSERT_TRUE(index.Open(Path()));
            EXPECT_EQ((std::vector<int32_t>{2, 4, 5, 3, 1}), Ids(index));
            int32_t id = 0;
            ASSERT_TRUE(index.Add(1000, "after.wav", &id));
        }
        CallIndex index;
        ASSERT_TRUE(index.Open(Path()));
        EXPECT_EQ(6u, index.Size()) << "the repaired log takes appends";
        EXPECT_EQ("after.wav", index.NameAt(5));
        EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW((Path() + L".bad").c_str()));
    }
}

TEST_F(CallIndexTest, GarbageOpensEmptyAndIsKeptAside) {
    WriteBytes(Path(), std::string(5000, '\x5a'));
    CallIndex index;
    ASSERT_TRUE(index.Open(Path()));
    EXPECT_EQ(0u, index.Size());
    EXPECT_EQ(5000u, ReadBytes(Path() + L".bad").size());
}

TEST_F(CallIndexTest, ARewriteCutShortLeavesTheOldIndexWhole) {
    {
        CallIndex index;
        ASSERT_TRUE(index.Open(Path()));
        Fill(index);
    }
    // The temporary file of an interrupted rewrite, half written.
    WriteBytes(Path() + L".tmp", CallIndex::EncodeRecord('A', 1, 1, "x.wav").substr(0, 9));
    CallIndex index;
    ASSERT_TRUE(index.Open(Path()));
    EXPECT_EQ(5u, index.Size());
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
        EXPECT_EQ(10u, index.Size());
    }
    size_t compacted = ReadBytes(Path()).size();
    EXPECT_LT(compacted, 40 * CallIndex::EncodeRecord('A', 1, 1, "m10.wav").size());
    CallIndex index;
    ASSERT_TRUE(index.Open(Path()));
    EXPECT_EQ((std::vector<int32_t>{40, 39, 38, 37, 36, 35, 34, 33, 32, 31}), Ids(index));
    int32_t id = 0;
    ASSERT_TRUE(index.Add(5, "n.wav", &id));
    EXPECT_EQ(41, id);
}

TEST_F(CallIndexTest, RefusesNamesItCannotStore) {
    CallIndex index;
    int32_t id = 0;
    EXPECT_FALSE(index.Add(1, "closed.wav", &id)) << "not open";
    ASSERT_TRUE(index.Open(Path()));
    EXPECT_FALSE(index.Add(1, "", &id));
    EXPECT_FALSE(index.Add(1, std::string(100, 'a'), &id));
    EXPECT_TRUE(index.Add(1, std::string(99, 'a'), &id));
}

}  // namespace

// Ids are never reused: a second record with a live id is damage, kept aside with the
// rest of the file for whoever looks for its voice file, not dropped without a trace.
TEST_F(CallIndexTest, ARepeatedIdIsDamageKeptInTheBadCopy) {
    const std::string log = CallIndex::EncodeRecord('A', 1, 100, "first.wav") +
                            CallIndex::EncodeRecord('A', 2, 200, "second.wav") +
                            CallIndex::EncodeRecord('A', 1, 300, "repeat.wav");
    WriteBytes(Path(), log);
    {
        CallIndex index;
        ASSERT_TRUE(index.Open(Path()));
        EXPECT_EQ((std::vector<int32_t>{1, 2}), Ids(index));
        EXPECT_EQ("first.wav", index.NameAt(0));
        EXPECT_EQ(log, ReadBytes(Path() + L".bad"));
        int32_t id = 0;
        ASSERT_TRUE(index.Add(400, "next.wav", &id));
        EXPECT_EQ(3, id);
    }
    CallIndex reopened;
    ASSERT_TRUE(reopened.Open(Path()));
    EXPECT_EQ((std::vector<int32_t>{1, 2, 3}), Ids(reopened));
    EXPECT_EQ("second.wav", reopened.NameAt(1));
}

// The size limit holds for opening and for every add, so that the index never grows past
// what the process can load again.
TEST_F(CallIndexTest, TheSizeLimitRefusesAnOpenAndAnAddThatWouldPassIt) {
    EXPECT_LE(CallIndex::kDefaultSizeLimit, 256u << 20) << "room to spare in a 32-bit process";
    const size_t record = CallIndex::EncodeRecord('A', 1, 0, "call.wav").size();
    {
        CallIndex index;
        index.SetSizeLimit(3 * record);
        ASSERT_TRUE(index.Open(Path()));
        int32_t id = 0;
        for (int i = 0; i < 3; ++i) ASSERT_TRUE(index.Add(i, "call.wav", &id));
        EXPECT_EQ(3 * record, index.FileBytes());
        EXPECT_FALSE(index.Add(9, "call.wav", &id));
        EXPECT_FALSE(index.AddMany({{9, "call.wav"}}));
        EXPECT_EQ(3u, index.Size());
        EXPECT_EQ(3 * record, ReadBytes(Path()).size());
    }
    CallIndex smaller;
    smaller.SetSizeLimit(3 * record - 1);
    EXPECT_FALSE(smaller.Open(Path()));
    EXPECT_EQ(3 * record, ReadBytes(Path()).size()) << "left as it was";
    CallIndex same;
    same.SetSizeLimit(3 * record);
    ASSERT_TRUE(same.Open(Path()));
    EXPECT_EQ((std::vector<int32_t>{1, 2, 3}), Ids(same));
    EXPECT_EQ("call.wav", same.NameAt(2));
}
