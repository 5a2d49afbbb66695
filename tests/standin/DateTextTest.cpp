// Date texts bound every query: a wrong parse shifts or empties the operator's range.
#include "standin/core/DateText.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace standin;

TEST(DateText, AcceptsRealDatesOnly) {
    struct {
        const char *text;
        bool ok;
    } cases[] = {{"2024-02-29 23:59:59", true},   {"2023-02-29 00:00:00", false}, {"2000-02-29 12:00:00", true},
                 {"1900-02-29 12:00:00", false},  {"2024-12-31 00:00:00", true},  {"2024-13-01 00:00:00", false},
                 {"2024-04-31 00:00:00", false},  {"2024-01-00 00:00:00", false}, {"2024-01-01 24:00:00", false},
                 {"2024-01-01 00:60:00", false},  {"2024-01-01 00:00:60", false}, {"2024-01-01", false},
                 {"2024-01-01 00:00:00 ", false}, {"2024/01/01 00:00:00", false}, {"2024-01-01T00:00:00", false},
                 {"2024-1-01 00:00:000", false},  {"+024-01-01 00:00:00", false}, {"", false}};
    for (const auto &c : cases) {
        int64_t s = 0;
        EXPECT_EQ(c.ok, ParseDateText(c.text, &s)) << c.text;
        if (c.ok) {
            EXPECT_EQ(c.text, FormatDateText(s));
        }
    }
}

TEST(DateText, SecondsCountFromTheEpochAndTextWithoutEndIsRefused) {
    int64_t a = 0, b = 0;
    ASSERT_TRUE(ParseDateText("2023-12-31 23:59:59", &a) && ParseDateText("1970-01-01 00:00:00", &b));
    EXPECT_EQ(1704067199, a);
    EXPECT_EQ(0, b);
    EXPECT_EQ("1601-01-01 00:00:00", FormatDateText(SecondsFromCivil({1601, 1, 1, 0, 0, 0})));
    char noNul[100];
    memset(noNul, '1', sizeof noNul);
    EXPECT_FALSE(ParseDateText(nullptr, &a) || ParseDateText(noNul, &a));
}
