// The apply step's checks and storage (the refusal messages are checked on the real dialog).
#include <cstring>

#include <gtest/gtest.h>

#include "basestation/BsConfigForm.h"
#include "basestation/BsText.h"

using namespace bs;

namespace {

BsFormInput GoodInput() {
    BsFormInput in;
    const char *texts[kFieldCount] = {
        "BS-7",          "3",        "12",       "123456",   "4",        "",        "10.0.0.2",
        "255.255.255.0", "10.0.0.1", "10.0.0.9", "10.0.1.1", "10.0.1.2", "10.0.1.3"};
    for (int i = 0; i < kFieldCount; ++i) in.texts[i] = texts[i];
    in.repeaterIndex = 2;
    return in;
}

// Texts at the edges of the ranges and of the 28-byte serial buffer; addresses are refused as "1.2.3".
const struct {
    BsField field;
    const char *text;
    bool accepted;
} kEdges[] = {{kFieldSerial, "ABCDEFGHIJKLMNOPQRSTUVWXYZ01", false},
              {kFieldSerial, "ABCDEFGHIJKLMNOPQRSTUVWXYZ0", true},
              {kFieldChannel, "201", false},
              {kFieldChannel, "0", false},
              {kFieldChannel, "1", true},
              {kFieldChannel, "200", true},
              {kFieldChannel, "abc", false},
              {kFieldCallMagic, "0", false},
              {kFieldCallMagic, "1", true},
              {kFieldCallMagic, "999999999", true},
              {kFieldCallMagic, "1000000000", false},
              {kFieldZoneMagic, "11", false},
              {kFieldZoneMagic, "0", false},
              {kFieldZoneMagic, "1", true},
              {kFieldZoneMagic, "10", true}};

const char *BadText(BsField field) {
    for (const auto &e : kEdges)
        if (e.field == field && !e.accepted) return e.text;
    return "1.2.3";
}

}  // namespace

// Two bad fields in each pair of neighbouring checks: the first check's field is named.
TEST(BsConfigForm, TheFirstOfTwoBadFieldsIsNamed) {
    const BsField checks[] = {kFieldSerial, kFieldChannel, kFieldCallMagic, kFieldZoneMagic,
                              kFieldIpAddr, kFieldNetMask, kFieldGateway,   kFieldManagerIp,
                              kFieldProxy0, kFieldProxy1,  kFieldProxy2};
    for (size_t i = 0; i + 1 < std::size(checks); ++i) {
        BsFormInput in = GoodInput();
        in.texts[checks[i]] = BadText(checks[i]);
        in.texts[checks[i + 1]] = BadText(checks[i + 1]);
        BsConfig record{};
        char serial[kSerialBufferBytes];
        EXPECT_EQ(ApplyForm(in, record, serial), checks[i]) << "with field " << checks[i + 1];
    }
}

TEST(BsConfigForm, StopsAtTheFirstRefusalKeepingEarlierValues) {
    BsFormInput in = GoodInput();
    in.texts[kFieldZoneMagic] = "11";
    in.texts[kFieldGateway] = "1.2.3";
    BsConfig record{};
    record.RepeaterMode = 77;
    char serial[kSerialBufferBytes] = "old";
    EXPECT_EQ(ApplyForm(in, record, serial), kFieldZoneMagic);
    EXPECT_STREQ(serial, "BS-7");
    EXPECT_EQ(record.Version, 3);
    EXPECT_EQ(record.CallMagic, 123456);  // passed before the refusal: stored
    EXPECT_EQ(record.ZoneMagic, 0);       // refused: not stored
    EXPECT_EQ(record.RepeaterMode, 77);   // after the refusal: untouched
}

// The ranges at their edges; a 28-byte serial is refused before anything is written.
TEST(BsConfigForm, RangesAndTheSerialBuffer) {
    for (const auto &c : kEdges) {
        BsFormInput in = GoodInput();
        in.texts[c.field] = c.text;
        BsConfig record{};
        char serial[kSerialBufferBytes + 4];
        std::strcpy(serial, "old");
        std::memset(serial + kSerialBufferBytes, '#', 4);
        EXPECT_EQ(ApplyForm(in, record, serial), c.accepted ? kFieldNone : c.field) << c.text;
        EXPECT_EQ(std::string(serial + kSerialBufferBytes, 4), "####") << c.text;
        if (c.field == kFieldSerial) EXPECT_STREQ(serial, c.accepted ? c.text : "old");
    }
}
