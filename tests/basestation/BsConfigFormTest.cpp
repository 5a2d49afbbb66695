// The apply step's storage rules (the refusal messages are checked on the real dialog):
// a fault here sends values that were refused, or loses the ones that passed.
#include <cstring>

#include <gtest/gtest.h>

#include "basestation/BsConfigForm.h"
#include "basestation/BsText.h"

using namespace bs;

namespace {

BsFormInput GoodInput() {
    BsFormInput in;
    in.texts[kFieldSerial] = "BS-7";
    in.texts[kFieldVersion] = "3";
    in.texts[kFieldChannel] = "12";
    in.texts[kFieldCallMagic] = "123456";
    in.texts[kFieldZoneMagic] = "4";
    const char *addresses[] = {"10.0.0.2", "255.255.255.0", "10.0.0.1", "10.0.0.9", "10.0.1.1", "10.0.1.2", "10.0.1.3"};
    for (int i = 0; i < 7; ++i) in.texts[kFieldIpAddr + i] = addresses[i];
    in.repeaterIndex = 2;
    return in;
}

}  // namespace

TEST(BsConfigForm, StopsAtTheFirstRefusalKeepingEarlierValues) {
    BsFormInput in = GoodInput();
    in.texts[kFieldZoneMagic] = "11";
    in.texts[kFieldGateway] = "1.2.3";
    BsConfig record{};
    record.RepeaterMode = 77;
    char serial[kSerialBufferBytes] = "old";
    EXPECT_EQ(ApplyForm(in, record, serial), kFieldZoneMagic);
    EXPECT_STREQ(serial, "BS-7");
    EXPECT_EQ(record.CallMagic, 123456);  // passed before the refusal: stored
    EXPECT_EQ(record.ZoneMagic, 0);       // refused: not stored
    EXPECT_EQ(record.RepeaterMode, 77);   // after the refusal: untouched
    EXPECT_EQ(record.IpAddr, 0u);

    in.texts[kFieldZoneMagic] = "10";
    EXPECT_EQ(ApplyForm(in, record, serial), kFieldGateway);
    EXPECT_EQ(record.RepeaterMode, 2);
    EXPECT_EQ(FormatDottedQuad(record.NetMask), "255.255.255.0");
    EXPECT_EQ(record.Gateway, 0u);
}

TEST(BsConfigForm, OverlongSerialIsRefusedFirstWithoutWritingPastTheBuffer) {
    BsFormInput in = GoodInput();
    in.texts[kFieldSerial] = std::string(28, 'Z');
    in.texts[kFieldChannel] = "0";
    BsConfig record{};
    char serial[kSerialBufferBytes + 4];
    std::strcpy(serial, "old");
    std::memset(serial + kSerialBufferBytes, '#', 4);
    EXPECT_EQ(ApplyForm(in, record, serial), kFieldSerial);
    EXPECT_STREQ(serial, "old");
    EXPECT_EQ(record.Version, 0);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(serial[kSerialBufferBytes + i], '#');
}
