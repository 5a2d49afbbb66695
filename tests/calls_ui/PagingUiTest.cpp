// The call page's query and paging, clicked by mouse against the service double: a fault
// here shows the wrong calls, asks the service for the wrong window or date range, or
// leaves a paging button in the wrong state.
#include "tests/calls_ui/CallsFixture.h"

namespace callstest {
namespace {

const wchar_t *const kFind = L"FindVoiceFileBtn";
const wchar_t *const kNext = L"NextCallListBtn";
const wchar_t *const kPrev = L"PrevCallListBtn";

TEST_F(CallPageTest, PagesThroughStoresOfDifferentSizes) {
    struct Step {
        const wchar_t *button;
        int rows;
        bool next, prev;
        int index, offset, count;  // the page index; the last query's window
    };
    const struct {
        int records;
        std::vector<Step> steps;
    } tables[] = {
        {16, {{kFind, 16, false, false, 0, 0, 17}}},
        {17,
         {{kFind, 16, true, false, 0, 0, 17}, {kNext, 1, false, true, 1, 16, 17}, {kPrev, 16, true, false, 0, 0, 16}}},
        {33,
         {{kFind, 16, true, false, 0, 0, 17},
          {kNext, 16, true, true, 1, 16, 17},
          {kNext, 1, false, true, 2, 32, 17},
          {kPrev, 16, true, true, 1, 16, 16},
          {kPrev, 16, true, false, 0, 0, 16},
          {kNext, 16, true, true, 1, 16, 17},
          {kFind, 16, true, false, 0, 0, 17}}},
    };
    for (const auto &t : tables) {
        TearDown();
        SetUp();
        SetRecords(t.records);
        for (const Step &s : t.steps) {
            SCOPED_TRACE(testing::Message() << t.records << " records, index " << s.index << " rows " << s.rows);
            ASSERT_TRUE(Find(s.button)->IsEnabled());
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

TEST_F(CallPageTest, AFailedQueryEmptiesTheListAndKeepsTheButtons) {
    const struct {
        std::vector<const wchar_t *> before;  // clicks that succeed
        const wchar_t *failing;
        int index;
        bool next, prev;
    } cases[] = {
        {{}, kFind, 0, false, false},
        {{kFind, kNext}, kFind, 1, true, true},
        {{kFind}, kNext, 1, true, false},
        {{kFind, kNext, kNext}, kPrev, 1, true, true},
        {{kFind, kNext}, kPrev, 0, true, false},  // at index 0 the previous-page button goes off
    };
    for (const auto &c : cases) {
        TearDown();
        SetUp();
        SetRecords(50);
        for (const wchar_t *b : c.before) Click(b);
        sd::Double()->queryFails = true;
        Click(c.failing);
        EXPECT_EQ(0, Rows());
        EXPECT_EQ(c.index, g_callPageIndex);
        EXPECT_EQ(c.next, NextOn());
        EXPECT_EQ(c.prev, PrevOn());
    }
    // Even a click that reaches the page with the button off asks for no negative window.
    g_callPageIndex = 0;
    sd::Double()->calls.clear();
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
