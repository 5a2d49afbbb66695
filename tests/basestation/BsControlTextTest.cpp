// Code-page conversions and the report block: a fault here writes past a buffer, leaves
// text unterminated, or loses a serial's bytes on the way into a row.
#include <cstring>

#include <gtest/gtest.h>

#include "basestation/BsControlText.h"
#include "basestation/BsReportBlock.h"

using namespace bs;

TEST(BsControlText, WideToOemStaysInsideItsBufferAndTerminates) {
    const std::wstring longText(150, L'7');
    for (size_t size : {size_t(1), size_t(2), size_t(28), size_t(100)}) {
        char buffer[128];
        std::memset(buffer, '#', sizeof buffer);
        EXPECT_FALSE(WideToOem(longText.c_str(), buffer, size)) << size;
        EXPECT_EQ(std::strlen(buffer), size - 1) << size;
        for (size_t i = size; i < sizeof buffer; ++i) ASSERT_EQ(buffer[i], '#') << size << " at " << i;
    }
    char buffer[100];
    EXPECT_TRUE(WideToOem(L"192.168.1.20", buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "192.168.1.20");
    EXPECT_TRUE(WideToOem(L"", buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "");
    EXPECT_TRUE(WideToOem(nullptr, buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "");
    // Exactly 99 bytes fit with the NUL; 100 do not.
    EXPECT_TRUE(WideToOem(std::wstring(99, L'a').c_str(), buffer, sizeof buffer));
    EXPECT_FALSE(WideToOem(std::wstring(100, L'a').c_str(), buffer, sizeof buffer));
}

TEST(BsControlText, AnsiToWideReadsAtMost99Bytes) {
    EXPECT_EQ(AnsiToWide("BS-01"), L"BS-01");
    EXPECT_EQ(AnsiToWide(""), L"");
    EXPECT_EQ(AnsiToWide(nullptr), L"");
    EXPECT_EQ(AnsiToWide(std::string(150, 'x').c_str()), std::wstring(99, L'x'));
}

TEST(BsReportBlock, CopiesBoundedSerialAndRecordAndCountsLiveBlocks) {
    const long before = LiveReportBlocks();
    BsConfig record{};
    record.Channel = 42;
    record.Reserved1 = 0xDEADBEEF;
    const std::string longSerial(150, 's');
    BsReportBlock *block = NewReportBlock(longSerial.c_str(), &record);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(LiveReportBlocks(), before + 1);
    EXPECT_EQ(std::string(block->serial), std::string(99, 's'));
    EXPECT_EQ(std::memcmp(&block->record, &record, sizeof record), 0);

    BsReportBlock *empty = NewReportBlock(nullptr, nullptr);
    ASSERT_NE(empty, nullptr);
    EXPECT_STREQ(empty->serial, "");
    const BsConfig zero{};
    EXPECT_EQ(std::memcmp(&empty->record, &zero, sizeof zero), 0);

    EXPECT_EQ(ReportBlockFromMessage(reinterpret_cast<WPARAM>(block->serial)), block);
    FreeReportBlock(block);
    FreeReportBlock(empty);
    FreeReportBlock(nullptr);
    EXPECT_EQ(LiveReportBlocks(), before);
}
