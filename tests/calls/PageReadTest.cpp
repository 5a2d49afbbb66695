// Reading a page from the service: a fault here shows records twice or not at all, asks
// for the wrong window, or shows more than 16 rows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calls/CallPageRead.h"
#include "tests/double/ServiceDouble.h"

using servicedouble::CallRecord;
using servicedouble::ServiceDouble;

namespace {

struct Row {
    int row;
    std::string name, id;
    bool operator==(const Row &o) const { return row == o.row && name == o.name && id == o.id; }
};

std::vector<CallRecord> Records(int n, int firstId = 100) {
    std::vector<CallRecord> r;
    for (int i = 0; i < n; ++i) r.push_back({firstId + i, "call" + std::to_string(i) + ".wav"});
    return r;
}

struct PageRead {
    CallPageFill fill;
    std::vector<Row> rows;
};

PageRead Read(int offset, int count) {
    PageRead r;
    r.fill = ReadCallPage("2024-01-01 00:00:00", "2024-01-31 23:59:59", offset, count,
                          [&](int row, const char *name, const char *id) {
                              r.rows.push_back({row, name, id});
                          });
    return r;
}

class PageReadTest : public testing::Test {
protected:
    void SetUp() override { ServiceDouble::Reset(); }
};

TEST_F(PageReadTest, WindowsOfTheStore) {
    struct Case {
        int stored, offset, count;
        bool ok;
        int rows;
        bool lookAhead;
        int firstRecord;
    } cases[] = {
        {0, 0, 17, false, 0, false, 0},   {5, 0, 17, true, 5, false, 0},
        {16, 0, 17, true, 16, false, 0},  {17, 0, 17, true, 16, true, 0},
        {17, 16, 17, true, 1, false, 16}, {33, 16, 17, true, 16, true, 16},
        {33, 16, 16, true, 16, false, 16}, {40, 32, 17, true, 8, false, 32},
        {10, -16, 16, false, 0, false, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.stored << " stored, window " << c.offset << "+" << c.count);
        ServiceDouble::Reset();
        ServiceDouble::SetCallRecords(Records(c.stored));
        const PageRead r = Read(c.offset, c.count);
        EXPECT_EQ(c.ok, r.fill.ok);
        EXPECT_EQ(c.rows, r.fill.rows);
        EXPECT_EQ(c.lookAhead, r.fill.lookAhead);
        ASSERT_EQ(static_cast<size_t>(c.rows), r.rows.size());
        for (int i = 0; i < c.rows; ++i) {
            const int rec = c.firstRecord + i;
            EXPECT_EQ((Row{i, "call" + std::to_string(rec) + ".wav", std::to_string(100 + rec)}),
                      r.rows[i]);
        }
        // One DbGetCallNext after each row shown, none after a failed first read.
        EXPECT_EQ(static_cast<size_t>(c.rows), ServiceDouble::CallCount("DbGetCallNext"));
    }
}

TEST_F(PageReadTest, PassesTheQueryArgumentsAsGiven) {
    ServiceDouble::SetCallRecords(Records(3));
    ReadCallPage("2024-05-09 00:00:00", "2024-05-01 23:59:59", 32, 16,
                 [](int, const char *, const char *) {});
    const auto calls = ServiceDouble::Calls("DbGetCallFirst");
    ASSERT_EQ(1u, calls.size());
    EXPECT_EQ((std::vector<int>{0, 32, 16, '1'}), calls[0].ints);
    EXPECT_EQ((std::vector<std::string>{"2024-05-09 00:00:00", "2024-05-01 23:59:59"}),
              calls[0].texts);
}

TEST_F(PageReadTest, IdsAsPlainDecimalAndNamesUpTo99Bytes) {
    const std::string longName(150, 'n');
    ServiceDouble::SetCallRecords({{-5, "a.wav"}, {0, longName}, {2147483647, "b.wav"}});
    const PageRead r = Read(0, 17);
    ASSERT_EQ(3u, r.rows.size());
    EXPECT_EQ("-5", r.rows[0].id);
    EXPECT_EQ("0", r.rows[1].id);
    EXPECT_EQ(std::string(99, 'n'), r.rows[1].name);
    EXPECT_EQ("2147483647", r.rows[2].id);
}

TEST_F(PageReadTest, AFailingServiceShowsNothing) {
    ServiceDouble::SetCallRecords(Records(20));
    ServiceDouble::SetQueryFails(true);
    const PageRead r = Read(0, 17);
    EXPECT_FALSE(r.fill.ok);
    EXPECT_TRUE(r.rows.empty());
    EXPECT_EQ(0u, ServiceDouble::CallCount("DbGetCallNext"));
}

}  // namespace
