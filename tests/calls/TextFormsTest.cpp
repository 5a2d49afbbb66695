// Texts the call page sends and shows: a wrong form sends the wrong date range to the
// service or shows a wrong time / slider position in the playback window.
#include <gtest/gtest.h>

#include <string>

#include "calls/CallDateText.h"
#include "calls/PlayProgress.h"

namespace {

SYSTEMTIME Day(int y, int m, int d, int h = 0, int mi = 0, int s = 0) {
    SYSTEMTIME st = {};
    st.wYear = static_cast<WORD>(y);
    st.wMonth = static_cast<WORD>(m);
    st.wDay = static_cast<WORD>(d);
    st.wHour = static_cast<WORD>(h);
    st.wMinute = static_cast<WORD>(mi);
    st.wSecond = static_cast<WORD>(s);
    st.wDayOfWeek = 3;
    return st;
}

TEST(CallDateText, WholeDaysWhateverTheTimeOfDay) {
    struct Case {
        SYSTEMTIME day;
        const char *start;
        const char *end;
    } cases[] = {
        {Day(2024, 3, 5), "2024-03-05 00:00:00", "2024-03-05 23:59:59"},
        {Day(2024, 3, 5, 13, 45, 7), "2024-03-05 00:00:00", "2024-03-05 23:59:59"},
        {Day(2023, 12, 31, 23, 59, 59), "2023-12-31 00:00:00", "2023-12-31 23:59:59"},
        {Day(999, 1, 2), "0999-01-02 00:00:00", "0999-01-02 23:59:59"},
    };
    for (const Case &c : cases) {
        char start[kCallDateTextSize];
        char end[kCallDateTextSize];
        FormatCallRangeStart(c.day, start);
        FormatCallRangeEnd(c.day, end);
        EXPECT_STREQ(c.start, start);
        EXPECT_STREQ(c.end, end);
    }
}

TEST(PlayTime, ElapsedAndTotalWithoutPadding) {
    struct Case {
        int current, total;
        const char *text;
    } cases[] = {
        {0, 1500, "0:0:0:0/0:0:30:0"},
        {3001, 1500, "0:1:0:20/0:0:30:0"},
        {0, 180001, "0:0:0:0/1:0:0:20"},
        {49, 50, "0:0:0:980/0:0:1:0"},
        // Milliseconds are unsigned 32-bit: 214748365 frames are 2^32 + 4 ms.
        {214748365, 0, "0:0:0:4/0:0:0:0"},
        {-1, 0, "1193:2:47:276/0:0:0:0"},
    };
    for (const Case &c : cases) {
        char text[kPlayTimeTextSize];
        FormatPlayTime(c.current, c.total, text);
        EXPECT_STREQ(c.text, text) << c.current << " of " << c.total;
    }
}

TEST(PlayPercent, TruncatesAndNeverOverflows) {
    struct Case {
        int current, total, percent;
    } cases[] = {
        {0, 1500, 0},     {1, 3, 33},      {2, 3, 66},   {3, 3, 100},
        {1499, 1500, 99}, {-1, 3, -33},    {-2, 3, -66},
        // 30,000,000 * 100 does not fit 32 bits.
        {30000000, 40000000, 75}, {2147483647, 2147483647, 100},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.percent, PlayPercent(c.current, c.total)) << c.current << " of " << c.total;
}

}  // namespace
