// Number and address checks: a fault here pushes a number or an address the operator
// did not type, or accepts one the dialog must refuse.
#include <climits>
#include <cstring>

#include <gtest/gtest.h>

#include "basestation/BsText.h"

using namespace bs;

// Where a fault is plausible: blanks, a sign, trailing text, and numbers beyond 32 bits.
TEST(BsText, DecimalParsingClampsAndStopsAtTheFirstNonDigit) {
    const struct {
        const char *text;
        int32_t value;
    } cases[] = {{"12abc", 12},
                 {"\t\n -7", -7},
                 {"2147483648", INT32_MAX},
                 {"99999999999999999999", INT32_MAX},
                 {"-2147483648", INT32_MIN},
                 {"-2147483649", INT32_MIN},
                 {"+5", 5},
                 {"", 0}};
    for (const auto &c : cases) EXPECT_EQ(ParseDecimal(c.text), c.value) << '"' << c.text << '"';
    EXPECT_EQ(ParseDecimal(nullptr), 0);
    EXPECT_EQ(FormatDecimal(INT32_MIN), "-2147483648");
}

// Accepted forms store their exact decimal value; everything else is refused and stores
// nothing (ParseAddress then gives all ones, as inet_addr does).
TEST(BsText, Ipv4CheckAcceptsDottedQuadsOnly) {
    const std::pair<const char *, const char *> accepted[] = {
        {"0.0.0.0", "0.0.0.0"},    {"255.255.255.255", "255.255.255.255"},
        {"010.0.0.1", "10.0.0.1"}, {"09.1.1.1", "9.1.1.1"},
        {"1.2.3.000", "1.2.3.0"},  {"192.168.1.20", "192.168.1.20"}};
    for (const auto &a : accepted) {
        uint32_t value = 0;
        EXPECT_EQ(CheckIpv4Text(a.first, &value), 0) << a.first;
        EXPECT_EQ(FormatDottedQuad(value), a.second);
        EXPECT_EQ(ParseAddress(a.first), value) << a.first;
    }
    const char *const refused[] = {"1.2.3",       "1.2.3.4.5",        "256.1.1.1", "1.2.3.256", "1.2.3.4 ",
                                   " 1.2.3.4",    "1..2.3",           ".1.2.3",    "1.2.3.",    "",
                                   "0001.1.1.1",  "1.2.3.0004",       "1.2.3.-4",  "1.2.3.4a",  "1,2,3,4",
                                   "1.2.3.4\x80", "99999999999.1.1.1"};
    for (const char *text : refused) {
        uint32_t value = 0x12345678;
        EXPECT_EQ(CheckIpv4Text(text, &value), -1) << '"' << text << '"';
        EXPECT_EQ(value, 0x12345678u) << text;
        EXPECT_EQ(ParseAddress(text), 0xFFFFFFFFu) << text;
    }
    EXPECT_EQ(CheckIpv4Text(nullptr), -1);
}
