// Record -> row -> record: a fault here changes a station's settings on their way
// through the list into the dialog, or sends reserved bytes a report carried.
#include <climits>
#include <cstring>

#include <gtest/gtest.h>

#include "basestation/BsRow.h"
#include "basestation/BsText.h"

using namespace bs;

TEST(BsRow, RoundTripGivesBackEveryFieldAndZeroReserved) {
    const int64_t values[][2] = {{-1, 0}, {0, -1}, {INT32_MIN, 0x0100007F}, {INT32_MAX, 0x80808080}, {3, 0x1401A8C0}};
    for (const auto &v : values) {
        BsConfig in;
        std::memset(&in, 0xA5, sizeof in);  // reserved bytes as some report may carry them
        const int64_t decimals[] = {v[0], v[0] + 1, v[0] - 1, v[0] ^ 5, -v[0]};  // cut to 32 bits
        int32_t *decimalFields[] = {&in.Version, &in.Channel, &in.CallMagic, &in.ZoneMagic, &in.RepeaterMode};
        for (int i = 0; i < 5; ++i) *decimalFields[i] = static_cast<int32_t>(decimals[i]);
        uint32_t *addressFields[] = {&in.IpAddr, &in.NetMask, &in.Gateway, &in.ManagerIp,
                                     &in.Proxy0, &in.Proxy1,  &in.Proxy2};
        for (int i = 0; i < 7; ++i) *addressFields[i] = static_cast<uint32_t>(v[1]) * (i + 1) + i;
        BsConfig expected = in;
        expected.Reserved1 = expected.Reserved2 = 0;

        BsConfig out{};
        char serial[kSerialBufferBytes];
        EXPECT_TRUE(RowToRecord(RecordToRow("BS-0001", in), out, serial));
        EXPECT_STREQ(serial, "BS-0001");
        EXPECT_EQ(std::memcmp(&out, &expected, sizeof out), 0) << v[0] << " " << v[1];
    }
}
