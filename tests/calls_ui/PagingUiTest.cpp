// The call page's query and paging, clicked by mouse against the service double: a fault
// here shows the wrong calls, asks the service for the wrong window or date range, or
// leaves a paging button in the wrong state.
#include "tests/calls_ui/CallsFixture.h"

namespace callstest {
namespace {

// Stores of different sizes paged through, with queries that fail: a failed query empties
// the list and keeps the buttons, but at index 0 the previous-page button goes off.
TEST_F(CallPageTest, PagesThroughStoresOfDifferentSizes) {
    struct Step {
        const wchar_t *button;
        bool fails;
        int rows;
        bool next, prev;
        int index, offset, count;  // the page index; the last query's window
    };
    const struct {
        int records;
        std::vector<Step> steps;
    } tables[] = {
        {0, {{kFind, false, 0, false, false, 0, 0, 17}}},  // nothing in the window: the query fails
        {16, {{kFind, false, 16, false, false, 0, 0, 17}}},
        {17,
         {{kFind, false, 16, true, false, 0, 0, 17},
          {kNext, false, 1, false, true, 1, 16, 17},
          {kPrev, false, 16, true, false, 0, 0, 16}}},
        {33,
         {{kFind, false, 16, true, false, 0, 0, 17},
          {kNext, false, 16, true, true, 1, 16, 17},
          {kNext, false, 1, false, true, 2, 32, 17},
          {kPrev, false, 16, true, true, 1, 16, 16},
          {kPrev, false, 16, true, false, 0, 0, 16},
          {kNext, false, 16, true, true, 1, 16, 17},
          {kFind, false, 16, true, false, 0, 0, 17}}},
        {50,
         {{kFind, false, 16, true, false, 0, 0, 17},
          {kNext, true, 0, true, false, 1, 16, 17},
          {kNext, false, 16, true, true, 2, 32, 17},
          {kPrev, true, 0, true, true, 1, 16, 16},
          {kPrev, true, 0, true, false, 0, 0, 16},
          {kNext, false, 16, true, true, 1, 16, 17},
          {kFind, true, 0, true, true, 1, 0, 17}}},
    };
    for (const auto &t : tables) {
        TearDown();
        SetUp();
        SetRecords(t.records);
        for (const Step &s : t.steps) {
            SCOPED_TRACE(testing::Message() << t.records << " records, index " << s.index << " rows " << s.rows);
            ASSERT_TRUE(Find(s.button)->IsEnabled());
            sd::Double()->queryFails = s.fails;
            Click(s.button);
            EXPECT_EQ(s.rows, Rows());
            EXPECT_EQ(s.next, NextOn());
            EXPECT_EQ(s.prev, PrevOn());
            EXPECT_EQ(s.index, g_callPageIndex);
            const sd::Call query = sd::Calls("DbGetCallFirst").back();
            EXPECT_EQ((std::vector<int>{0, s.offset, s.count, '1'}), query.ints);
            if (s.rows == 0) continue;
            // Row numbers are positions on the page; the name and id as delivered.
            EXPECT_EQ("call" + std::to_string(s.offset) + ".wav", RowName(0));
            EXPECT_EQ(std::to_string(1000 + s.offset), Narrow(FindRow(0, kRowNameId)->GetText()));
            EXPECT_EQ("call" + std::to_string(s.offset + s.rows - 1) + ".wav", RowName(s.rows - 1));
            EXPECT_EQ(nullptr, FindRow(s.rows, kRowNameText));
        }
    }
}

// A click that reaches the page with the previous-page button off asks for no negative
// window.
TEST_F(CallPageTest, PreviousPageClickAtTheFirstPageAsksNothing) {
    bstest::MainFrame().PaintManager().SendNotify(Find(kPrev), DUI_MSGTYPE_CLICK);
    EXPECT_EQ(0u, sd::CallCount("DbGetCallFirst"));
    EXPECT_EQ(0, g_callPageIndex);
}

// Whole days as picked (the time of day ignored, a start after the end passed through);
// next and previous use the dates of their own click, the reload after a delete those of
// the last query, whatever the pickers show since.
TEST_F(CallPageTest, DateRangeIsSentAsWholeDaysAsPicked) {
    SetRecords(40);
    SetDates({2024, 5, 4, 9, 0, 0, 0, 0}, {2024, 5, 3, 1, 0, 0, 0, 0});
    Click(kFind);
    SetDates({2023, 12, 0, 31, 23, 59, 58, 999}, {2024, 1, 1, 1, 7, 30, 0, 0});
    Click(kNext);
    SetDates({2022, 2, 0, 14, 0, 0, 0, 0}, {2022, 2, 0, 14, 0, 0, 0, 0});
    ClickRow(0, kRowNameDelete);
    const auto queries = sd::Calls("DbGetCallFirst");
    ASSERT_EQ(3u, queries.size());
    EXPECT_EQ((std::vector<std::string>{"2024-05-09 00:00:00", "2024-05-01 23:59:59"}), queries[0].texts);
    EXPECT_EQ((std::vector<std::string>{"2023-12-31 00:00:00", "2024-01-01 23:59:59"}), queries[1].texts);
    EXPECT_EQ(queries[1].texts, queries[2].texts);
}

// Ids as plain decimal, names as delivered up to 99 bytes.
TEST_F(CallPageTest, RowsShowIdsAsDecimalAndNamesUpTo99Bytes) {
    sd::Double()->records = {{-5, "a.wav"}, {0, std::string(150, 'n')}, {2147483647, "b.wav"}};
    Click(kFind);
    const std::vector<std::string> names = {"a.wav", std::string(99, 'n'), "b.wav"}, ids = {"-5", "0", "2147483647"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(names[i], RowName(i));
        EXPECT_EQ(ids[i], Narrow(FindRow(i, kRowNameId)->GetText()));
    }
}

}  // namespace
}  // namespace callstest
