// Number and address checks: a fault here pushes a number or an address the operator
// did not type, or accepts one the dialog must refuse.
#include <climits>
#include <cstring>

#include <gtest/gtest.h>

#include "basestation/BsText.h"

using namespace bs;

namespace {

uint32_t Addr(unsigned a, unsigned b, unsigned c, unsigned d) {
    const unsigned char bytes[4] = {(unsigned char)a, (unsigned char)b, (unsigned char)c, (unsigned char)d};
    uint32_t v;
    std::memcpy(&v, bytes, 4);
    return v;
}

}  // namespace

// Where a fault is plausible: blanks, a sign, trailing text, and numbers beyond 32 bits.
TEST(BsText, DecimalParsingClampsAndStopsAtTheFirstNonDigit) {
    const struct {
        const char *text;
        int32_t value;
    } cases[] = {
        {"12abc", 12},
        {"  42", 42},
        {"\t\n-7", -7},
        {"2147483647", INT32_MAX},
        {"2147483648", INT32_MAX},
        {"99999999999999999999", INT32_MAX},
        {"-2147483648", INT32_MIN},
    };
    for (const auto &c : cases) EXPECT_EQ(ParseDecimal(c.text), c.value) << '"' << c.text << '"';
    EXPECT_EQ(ParseDecimal(nullptr), 0);
}

// Every address form the dialog meets: accepted ones with the exact value stored.
TEST(BsText, Ipv4CheckAcceptsDottedQuadsAndStoresTheirDecimalValue) {
    const struct {
        const char *text;
        uint32_t value;
    } accepted[] = {
        {"0.0.0.0", Addr(0, 0, 0, 0)},           {"255.255.255.255", Addr(255, 255, 255, 255)},
        {"192.168.1.20", Addr(192, 168, 1, 20)}, {"010.0.0.1", Addr(10, 0, 0, 1)},  // decimal, not octal 8
        {"09.1.1.1", Addr(9, 1, 1, 1)},                                             // not refused by an octal reading
        {"1.2.3.000", Addr(1, 2, 3, 0)},
    };
    for (const auto &c : accepted) {
        uint32_t value = 0x12345678;
        EXPECT_EQ(CheckIpv4Text(c.text, &value), 0) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
        EXPECT_EQ(ParseAddress(c.text), c.value) << c.text;
    }
}

TEST(BsText, Ipv4CheckRefusesEverythingElse) {
    const char *refused[] = {
        "1.2.3",    "1.2.3.4.5", "256.1.1.1", "1.2.3.256", "1.2.3.4 ",    " 1.2.3.4",          "1. 2.3.4", "1..2.3",
        ".1.2.3",   "1.2.3.",    "...",       "",          "0001.1.1.1",  "1.2.3.0004",        "1.2.3.-4", "+1.2.3.4",
        "1.2.3.4a", "a.b.c.d",   "1,2,3,4",   "0x1.2.3.4", "1.2.3.4\x80", "99999999999.1.1.1",
    };
    for (const char *text : refused) {
        uint32_t value = 0x12345678;
        EXPECT_EQ(CheckIpv4Text(text, &value), -1) << '"' << text << '"';
        EXPECT_EQ(value, 0x12345678u) << "refused text must not store: " << text;
        EXPECT_EQ(ParseAddress(text), 0xFFFFFFFFu) << text;
    }
    EXPECT_EQ(CheckIpv4Text(nullptr), -1);
}
