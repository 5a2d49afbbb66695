// The call store answers the console's paging: wrong range ends, order or windows show the
// operator the wrong calls, and a delete that goes astray loses a recording.
#include "standin/core/CallStore.h"

#include <gtest/gtest.h>

#include <climits>

#include "standin/core/DateText.h"
#include "tests/standin/TestFolder.h"

using namespace standin;

namespace {

int64_t At(const char *text) {
    int64_t s = 0;
    EXPECT_TRUE(ParseDateText(text, &s)) << text;
    return s;
}

const char kDay[] = "2024-05-10 00:00:00", kDayEnd[] = "2024-05-10 23:59:59";

class CallStoreTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_store.Open(m_folder.Path())); }

    // The ids of a window, read as the console's page fill does; First's result in *first.
    std::vector<int> Read(const char *from, const char *to, int offset, int count, int *first = nullptr) {
        std::vector<int> ids;
        char name[100];
        int id = 0, r = m_store.First(from, to, offset, count, &id, name);
        if (first) *first = r;
        for (bool more = r == 0; more; more = m_store.Next(name, &id) == 0) ids.push_back(id);
        return ids;
    }

    void AddDay(int calls) {  // c0.wav, c1.wav, ... on kDay, one a minute from 08:00
        std::vector<std::pair<int64_t, std::string>> v;
        for (int i = 0; i < calls; ++i)
            v.push_back({At("2024-05-10 08:00:00") + 60 * i, "c" + std::to_string(i) + ".wav"});
        ASSERT_TRUE(m_store.AddCalls(v));
    }

    TestFolder m_folder;
    CallStore m_store;
};

TEST_F(CallStoreTest, RangeEndsAreInclusiveAndOrderIsStartThenId) {
    int32_t id = 0;
    for (const char *start : {"2024-03-01 12:00:00", "2024-03-01 23:59:59", "2024-03-02 00:00:00",
                              "2024-02-29 23:59:59", "2024-03-01 00:00:00", "2024-03-01 12:00:00"})
        ASSERT_EQ(kOk, m_store.AddCall(At(start), "f.wav", &id));
    EXPECT_EQ((std::vector<int>{5, 1, 6, 2}), Read("2024-03-01 00:00:00", "2024-03-01 23:59:59", 0, 17));
    EXPECT_EQ((std::vector<int>{2}), Read("2024-03-01 23:59:59", "2024-03-01 23:59:59", 0, 17));
}

TEST_F(CallStoreTest, WindowsFollowOffsetAndCount) {
    AddDay(33);
    const struct {
        int offset, count;
        size_t rows;
        int firstId;
    } cases[] = {{0, 17, 17, 1},   {16, 17, 17, 17},    {32, 17, 1, 33},     {33, 1, 0, 0},
                 {16, 16, 16, 17}, {INT_MAX, 17, 0, 0}, {0, INT_MAX, 33, 1}, {INT_MAX, INT_MAX, 0, 0}};
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "offset " << c.offset << " count " << c.count);
        int first = -99;
        const std::vector<int> ids = Read(kDay, kDayEnd, c.offset, c.count, &first);
        EXPECT_EQ(c.rows, ids.size());
        EXPECT_EQ(c.rows == 0, first != 0);
        if (!ids.empty()) {
            EXPECT_EQ(c.firstId, ids[0]);
        }
    }
}

TEST_F(CallStoreTest, BadQueriesYieldNoRecordAndTouchNoOutput) {
    AddDay(3);
    const struct {
        const char *from, *to;
        int offset, count;
    } cases[] = {{kDay, kDayEnd, -16, 17}, {kDay, kDayEnd, -1, 16},        {kDay, kDayEnd, 0, 0},
                 {kDay, kDayEnd, 0, -5},   {"2024-05-10", kDayEnd, 0, 17}, {kDay, "2024-05-32 00:00:00", 0, 17},
                 {kDay, nullptr, 0, 17},   {kDayEnd, kDay, 0, 17}};  // the last: start after end
    for (const auto &c : cases) {
        char name[100] = "keep";
        int id = -7;
        EXPECT_NE(0, m_store.First(c.from, c.to, c.offset, c.count, &id, name));
        EXPECT_EQ(-7, id);
        EXPECT_STREQ("keep", name);
        EXPECT_NE(0, m_store.Next(name, &id)) << "a failed First leaves nothing to continue";
    }
    char name[100];
    int id = 0;
    EXPECT_NE(0, m_store.First(kDay, kDayEnd, 0, 17, nullptr, name));
    EXPECT_NE(0, m_store.First(kDay, kDayEnd, 0, 17, &id, nullptr));
    EXPECT_NE(0, m_store.Next(nullptr, &id));
}

TEST_F(CallStoreTest, DeletesFollowTheirContractAndSkipNothingDuringARead) {
    AddDay(5);
    WriteBytes(m_folder.File(L"c0.wav"), "RIFF");
    WriteBytes(m_folder.File(L"c1.wav"), "RIFF");
    char c0[] = "c0.wav", c2[] = "c2.wav", other[] = "zz.wav", escape[] = "..\\c1.wav", name[100];
    EXPECT_EQ(kBadInput, m_store.DeleteVoiceFile(escape, 2)) << "a name that leaves the folder";
    EXPECT_EQ(kBadInput, m_store.DeleteRecord(escape, 2));
    EXPECT_EQ(kNone, m_store.DeleteVoiceFile(c0, 2)) << "name and id must belong together";
    EXPECT_EQ(kNone, m_store.DeleteVoiceFile(other, 1));
    m_store.SetInUse("c0.wav", true);
    EXPECT_EQ(1, m_store.IsUsing(c0, 1));
    EXPECT_EQ(kBusy, m_store.DeleteVoiceFile(c0, 1));
    EXPECT_EQ(kBusy, m_store.DeleteRecord(c0, 1));
    m_store.SetInUse("c0.wav", false);
    EXPECT_EQ(0, m_store.IsUsing(c0, 1));
    EXPECT_EQ(kOk, m_store.DeleteVoiceFile(c0, 1));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(m_folder.File(L"c0.wav").c_str()));
    EXPECT_EQ(kOk, m_store.DeleteVoiceFile(c0, 1)) << "already gone is deleted";
    EXPECT_EQ(5u, m_store.Count()) << "the record stays until asked to go";
    int id = 0;
    ASSERT_EQ(0, m_store.First(kDay, kDayEnd, 0, 4, &id, name));
    EXPECT_EQ(kOk, m_store.DeleteRecord(c0, 1)) << "removable with its file gone";
    EXPECT_EQ(kNone, m_store.DeleteRecord(c0, 1));
    EXPECT_EQ(kOk, m_store.DeleteRecord(c2, 3));
    std::vector<int> rest;
    while (m_store.Next(name, &id) == 0) rest.push_back(id);
    EXPECT_EQ((std::vector<int>{2, 4, 5}), rest) << "the read in progress skips nothing";
    EXPECT_EQ(3u, m_store.Count());
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(m_folder.File(L"c1.wav").c_str()));
}

}  // namespace
