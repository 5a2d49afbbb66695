// Record -> row -> record: a fault here changes a station's settings on their way
// through the list into the dialog, or sends reserved bytes a report carried.
#include <climits>
#include <cstring>

#include <gtest/gtest.h>

#include "basestation/BsRow.h"
#include "basestation/BsText.h"

using namespace bs;

namespace {

BsConfig Record(int32_t v, int32_t ch, int32_t call, int32_t zone, int32_t rep, uint32_t addr) {
    BsConfig r;
    std::memset(&r, 0xA5, sizeof r);  // reserved bytes as some report may carry them
    r.Version = v;
    r.Channel = ch;
    r.CallMagic = call;
    r.ZoneMagic = zone;
    r.RepeaterMode = rep;
    r.IpAddr = addr;
    r.NetMask = ~addr;
    r.Gateway = addr ^ 0x00FF00FFu;
    r.ManagerIp = addr + 1;
    r.Proxy0 = addr * 3;
    r.Proxy1 = 0;
    r.Proxy2 = 0xFFFFFFFFu;
    return r;
}

}  // namespace

TEST(BsRow, RoundTripGivesBackEveryFieldAndZeroReserved) {
    const BsConfig records[] = {
        Record(-1, -1, -1, -1, -1, 0),
        Record(0, 0, 0, 0, 0, 0xFFFFFFFFu),
        Record(INT32_MIN, 500, 1000000000, 11, 3, 0x0100007Fu),
        Record(INT32_MAX, 201, INT32_MIN, INT32_MAX, INT32_MIN, 0x80808080u),
        Record(3, 1, 999999999, 10, 2, 0x1401A8C0u),
    };
    for (const BsConfig &in : records) {
        const BsRowTexts row = RecordToRow("BS-0001", in);
        BsConfig out;
        std::memset(&out, 0, sizeof out);
        char serial[kSerialBufferBytes];
        EXPECT_TRUE(RowToRecord(row, out, serial));
        EXPECT_STREQ(serial, "BS-0001");
        EXPECT_EQ(out.Version, in.Version);
        EXPECT_EQ(out.Channel, in.Channel);
        EXPECT_EQ(out.CallMagic, in.CallMagic);
        EXPECT_EQ(out.ZoneMagic, in.ZoneMagic);
        EXPECT_EQ(out.RepeaterMode, in.RepeaterMode);
        EXPECT_EQ(out.IpAddr, in.IpAddr);
        EXPECT_EQ(out.NetMask, in.NetMask);
        EXPECT_EQ(out.Gateway, in.Gateway);
        EXPECT_EQ(out.ManagerIp, in.ManagerIp);
        EXPECT_EQ(out.Proxy0, in.Proxy0);
        EXPECT_EQ(out.Proxy1, in.Proxy1);
        EXPECT_EQ(out.Proxy2, in.Proxy2);
        const unsigned char *bytes = reinterpret_cast<const unsigned char *>(&out);
        for (int i : {4, 5, 6, 7, 12, 13, 14, 15}) EXPECT_EQ(bytes[i], 0) << "byte " << i;
    }
}
