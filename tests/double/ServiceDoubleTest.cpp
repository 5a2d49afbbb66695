// The double answers from its script the way the console's tests expect; if these fail,
// every integration test that relies on the double reads a wrong world.
#include "tests/double/ServiceDouble.h"

#include <gtest/gtest.h>

#include <thread>

using servicedouble::CallRecord;
using servicedouble::ServiceDouble;

namespace {

std::vector<CallRecord> MakeRecords(int n) {
    std::vector<CallRecord> v;
    for (int i = 0; i < n; ++i) v.push_back({100 + i, "call" + std::to_string(i) + ".wav"});
    return v;
}

// Reads a window as the page fill does; returns the ids delivered.
std::vector<int> ReadWindow(int offset, int count) {
    std::vector<int> ids;
    char one = '1';
    char name[100];
    int id = 0;
    if (DbGetCallFirst(0, &one, &id, name, "2024-01-01 00:00:00", "2024-01-31 23:59:59", offset, count) != 0)
        return ids;
    ids.push_back(id);
    while (DbGetCallNext(name, &id) == 0) ids.push_back(id);
    return ids;
}

class ServiceDoubleTest : public ::testing::Test {
protected:
    void SetUp() override { ServiceDouble::Reset(); }
};

TEST_F(ServiceDoubleTest, QueryWindowsHonourOffsetAndCount) {
    ServiceDouble::SetCallRecords(MakeRecords(17));
    struct {
        int offset, count;
        size_t expected;
        int firstId;
    } cases[] = {
        {0, 17, 17, 100}, {0, 16, 16, 100}, {16, 17, 1, 116},       {17, 17, 0, 0},
        {-16, 17, 0, 0},  {0, 0, 0, 0},     {0x7fffffff, 17, 0, 0}, {5, 0x7fffffff, 12, 105},
    };
    for (const auto &c : cases) {
        std::vector<int> ids = ReadWindow(c.offset, c.count);
        ASSERT_EQ(c.expected, ids.size()) << "offset " << c.offset << " count " << c.count;
        if (!ids.empty()) {
            EXPECT_EQ(c.firstId, ids.front());
        }
    }
    auto firsts = ServiceDouble::Calls("DbGetCallFirst");
    ASSERT_EQ(8u, firsts.size());
    EXPECT_EQ((std::vector<int>{0, 16, 17, '1'}), firsts[2].ints);
    EXPECT_EQ("2024-01-01 00:00:00", firsts[2].texts[0]);
    EXPECT_EQ("2024-01-31 23:59:59", firsts[2].texts[1]);
}

TEST_F(ServiceDoubleTest, ForcedQueryFailureWritesNothing) {
    ServiceDouble::SetCallRecords(MakeRecords(3));
    ServiceDouble::SetQueryFails(true);
    char one = '1', name[100] = "untouched";
    int id = -7;
    EXPECT_NE(0, DbGetCallFirst(0, &one, &id, name, "a", "b", 0, 17));
    EXPECT_EQ(-7, id);
    EXPECT_STREQ("untouched", name);
}

TEST_F(ServiceDoubleTest, DeleteRemovesTheRecordOnlyOnSuccess) {
    ServiceDouble::SetCallRecords(MakeRecords(3));
    char name[100] = "call1.wav";
    ServiceDouble::SetDbDeleteResult(5);
    EXPECT_EQ(5, DbDeleteCallItem(name, 101));
    EXPECT_EQ(3u, ServiceDouble::CallRecords().size());
    ServiceDouble::SetDbDeleteResult(0);
    EXPECT_EQ(0, DbDeleteCallItem(name, 999));  // no such id: nothing removed
    EXPECT_EQ(3u, ServiceDouble::CallRecords().size());
    EXPECT_EQ(0, DbDeleteCallItem(name, 101));
    ASSERT_EQ(2u, ServiceDouble::CallRecords().size());
    EXPECT_EQ(102, ServiceDouble::CallRecords()[1].id);
    auto calls = ServiceDouble::Calls("DbDeleteCallItem");
    ASSERT_EQ(3u, calls.size());
    EXPECT_EQ("call1.wav", calls[2].texts[0]);
    EXPECT_EQ(101, calls[2].ints[0]);
}

TEST_F(ServiceDoubleTest, PlayerFollowsTheConsolesCalls) {
    ServiceDouble::SetPlayFileFrames(200);
    char name[100] = "a.wav";
    VoicePlayFile(name, 3);
    EXPECT_EQ(200, VoicePlayFileTotalFrameNum());
    VoiceSetPlayFilePostion(150);  // clamped to 100
    EXPECT_EQ(200, VoiceGetPlayFileCurFrameIndex());
    VoiceSetPlayFilePostion(25);
    EXPECT_EQ(50, VoiceGetPlayFileCurFrameIndex());
    VoiceSetStopFlag(1);
    EXPECT_EQ(1, VoiceGetStopFlag());
    VoiceExitPlayFile();
    EXPECT_EQ(0, VoicePlayFileTotalFrameNum());
    EXPECT_EQ(150, ServiceDouble::Calls("VoiceSetPlayFilePostion")[0].ints[0]);
}

TEST_F(ServiceDoubleTest, StationsAnswerPerSerialAndRecordPushes) {
    ServiceDouble::SetStatus("GONE", 0);
    BsConfig rec{};
    rec.Channel = 42;
    ServiceDouble::SetStatusRecord("HERE", rec);
    char here[100] = "HERE", gone[100] = "GONE";
    BsConfig out{};
    EXPECT_NE(0, BmHalBsStatus(here, &out));
    EXPECT_EQ(42, out.Channel);
    EXPECT_EQ(0, BmHalBsStatus(gone, &out));
    rec.Channel = 7;
    BmHalBsSetConfig(here, &rec);
    BmHalBsDelete(here);
    auto pushes = ServiceDouble::Calls("BmHalBsSetConfig");
    ASSERT_EQ(1u, pushes.size());
    EXPECT_TRUE(pushes[0].hasRecord);
    EXPECT_EQ(7, pushes[0].record.Channel);
    EXPECT_EQ("HERE", ServiceDouble::Calls("BmHalBsDelete")[0].texts[0]);
}

int BM_CALL CountingCallback(const char *, BsConfig *record) { return record->Channel; }

TEST_F(ServiceDoubleTest, StoredCallbackCanBeInvokedFromAnotherThread) {
    BmSrvSetCbProcBsReportInfo(CountingCallback);
    EXPECT_EQ(&CountingCallback, ServiceDouble::Callback());
    static BsConfig rec{};
    rec.Channel = 9;
    int result = 0;
    std::thread t([&] { result = ServiceDouble::InvokeReport("S1", &rec); });
    t.join();
    EXPECT_EQ(9, result);
}

TEST_F(ServiceDoubleTest, ConcurrentStatusCallsAreAllRecorded) {
    char serial[100] = "S";
    std::thread a([&] {
        for (int i = 0; i < 500; ++i) BmHalBsStatus(serial, nullptr);
    });
    std::thread b([&] {
        for (int i = 0; i < 500; ++i) BmHalBsDelete(serial);
    });
    a.join();
    b.join();
    EXPECT_EQ(500u, ServiceDouble::CallCount("BmHalBsStatus"));
    EXPECT_EQ(500u, ServiceDouble::CallCount("BmHalBsDelete"));
}

}  // namespace
