// The call page's query and paging, clicked by mouse against the service double: a fault
// here shows the wrong calls, asks the service for the wrong window or date range, or
// leaves a paging button in the wrong state.
#include "tests/calls_ui/CallsFixture.h"

#include "calls/CallRowName.h"

using servicedouble::ServiceDouble;

namespace callstest {
namespace {

const wchar_t *const kFind = L"FindVoiceFileBtn";
const wchar_t *const kNext = L"NextCallListBtn";
const wchar_t *const kPrev = L"PrevCallListBtn";

struct Step {
    const wchar_t *button;
    int rows;
    bool next, prev;
    int index;
    int offset, count;  // of the last DbGetCallFirst
    int firstRecord;    // record number shown in row 0 (-1: none)
};

struct Table {
    int records;
    std::vector<Step> steps;
};

TEST_F(CallPageTest, PagesThroughStoresOfDifferentSizes) {
    const Table tables[] = {
        {0, {{kFind, 0, false, false, 0, 0, 17, -1}}},
        {16, {{kFind, 16, false, false, 0, 0, 17, 0}}},
        {17,
         {{kFind, 16, true, false, 0, 0, 17, 0},
          {kNext, 1, false, true, 1, 16, 17, 16},
          {kPrev, 16, true, false, 0, 0, 16, 0}}},
        {33,
         {{kFind, 16, true, false, 0, 0, 17, 0},
          {kNext, 16, true, true, 1, 16, 17, 16},
          {kNext, 1, false, true, 2, 32, 17, 32},
          {kPrev, 16, true, true, 1, 16, 16, 16},
          {kPrev, 16, true, false, 0, 0, 16, 0},
          {kNext, 16, true, true, 1, 16, 17, 16},
          {kFind, 16, true, false, 0, 0, 17, 0}}},
    };
    for (const Table &t : tables) {
        TearDown();
        SetUp();
        ServiceDouble::SetCallRecords(MakeRecords(t.records));
        int i = 0;
        for (const Step &s : t.steps) {
            SCOPED_TRACE(testing::Message() << t.records << " records, step " << i++);
            ASSERT_TRUE(Find(s.button)->IsEnabled());
            ClickNamed(s.button);
            EXPECT_EQ(s.rows, Rows());
            EXPECT_EQ(s.next, NextOn());
            EXPECT_EQ(s.prev, PrevOn());
            EXPECT_EQ(s.index, g_callPageIndex);
            const auto queries = ServiceDouble::Calls("DbGetCallFirst");
            ASSERT_FALSE(queries.empty());
            EXPECT_EQ(s.offset, queries.back().ints[1]);
            EXPECT_EQ(s.count, queries.back().ints[2]);
            if (s.firstRecord >= 0) {
                EXPECT_EQ("call" + std::to_string(s.firstRecord) + ".wav", RowName(0));
                EXPECT_EQ(std::to_string(1000 + s.firstRecord), RowId(0));
                // Row numbers are positions on the page: the last row is s.rows - 1.
                EXPECT_EQ("call" + std::to_string(s.firstRecord + s.rows - 1) + ".wav", RowName(s.rows - 1));
                EXPECT_EQ(nullptr, FindRow(s.rows, kRowNameText));
            }
        }
    }
}

TEST_F(CallPageTest, AFailedQueryEmptiesTheListAndKeepsTheButtons) {
    struct Case {
        const char *what;
        std::vector<const wchar_t *> before;  // clicks that succeed
        const wchar_t *failing;
        int index;
        bool next, prev;
    } cases[] = {
        {"find at start", {}, kFind, 0, false, false},
        {"find on page 1", {kFind, kNext}, kFind, 1, true, true},
        {"next from page 0", {kFind}, kNext, 1, true, false},
        {"previous from page 2", {kFind, kNext, kNext}, kPrev, 1, true, true},
        // At index 0 the previous-page button never stays on.
        {"previous from page 1", {kFind, kNext}, kPrev, 0, true, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        TearDown();
        SetUp();
        ServiceDouble::SetCallRecords(MakeRecords(50));
        for (const wchar_t *b : c.before) ClickNamed(b);
        ServiceDouble::SetQueryFails(true);
        ClickNamed(c.failing);
        EXPECT_EQ(0, Rows());
        EXPECT_EQ(c.index, g_callPageIndex);
        EXPECT_EQ(c.next, NextOn());
        EXPECT_EQ(c.prev, PrevOn());
    }
}

// Even a click that reaches the page with the button off asks for no negative window.
TEST_F(CallPageTest, PreviousPageIsNeverAskedBelowTheFirst) {
    TNotifyUI msg;
    msg.sType = DUI_MSGTYPE_CLICK;
    msg.pSender = Find(kPrev);
    m_host->CallPage().OnClick(msg);
    EXPECT_EQ(0u, ServiceDouble::CallCount("DbGetCallFirst"));
    EXPECT_EQ(0, g_callPageIndex);
    EXPECT_FALSE(PrevOn());
}

TEST_F(CallPageTest, DateRangeIsSentAsWholeDaysAsPicked) {
    struct Case {
        SYSTEMTIME start, end;
        const char *startText, *endText;
    } cases[] = {
        // start after end: passed through as it is
        {{2024, 5, 4, 9, 0, 0, 0, 0}, {2024, 5, 3, 1, 0, 0, 0, 0}, "2024-05-09 00:00:00", "2024-05-01 23:59:59"},
        // the time of day is ignored
        {{2023, 12, 0, 31, 23, 59, 58, 999},
         {2024, 1, 1, 1, 7, 30, 0, 0},
         "2023-12-31 00:00:00",
         "2024-01-01 23:59:59"},
    };
    for (const Case &c : cases) {
        SYSTEMTIME start = c.start, end = c.end;
        static_cast<CDateTimeUI *>(Find(L"StartDate"))->SetTime(&start);
        static_cast<CDateTimeUI *>(Find(L"EndDate"))->SetTime(&end);
        ServiceDouble::ClearCalls();
        ClickNamed(kFind);
        const auto queries = ServiceDouble::Calls("DbGetCallFirst");
        ASSERT_EQ(1u, queries.size());
        EXPECT_EQ((std::vector<std::string>{c.startText, c.endText}), queries[0].texts);
        EXPECT_EQ(0, queries[0].ints[0]);
        EXPECT_EQ('1', queries[0].ints[3]);
    }
}

TEST_F(CallPageTest, NextAndPreviousUseTheDatesOfTheirOwnClick) {
    ServiceDouble::SetCallRecords(MakeRecords(40));
    ClickNamed(kFind);
    SYSTEMTIME day = {2022, 2, 0, 14, 0, 0, 0, 0};
    static_cast<CDateTimeUI *>(Find(L"StartDate"))->SetTime(&day);
    ClickNamed(kNext);
    const auto queries = ServiceDouble::Calls("DbGetCallFirst");
    ASSERT_EQ(2u, queries.size());
    EXPECT_EQ("2022-02-14 00:00:00", queries[1].texts[0]);
    EXPECT_EQ(1, g_callPageIndex);
}

}  // namespace
}  // namespace callstest
