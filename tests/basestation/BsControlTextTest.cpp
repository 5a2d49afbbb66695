// Reading a control's text into a fixed buffer: a fault here writes past the buffer or
// leaves the text unterminated.
#include <cstring>

#include <gtest/gtest.h>

#include "basestation/BsControlText.h"

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
    EXPECT_TRUE(WideToOem(L"192.168.1.20", buffer, sizeof buffer) && std::string(buffer) == "192.168.1.20");
    EXPECT_TRUE(WideToOem(L"", buffer, sizeof buffer) && buffer[0] == '\0');
    buffer[0] = 'x';
    EXPECT_TRUE(WideToOem(nullptr, buffer, sizeof buffer) && buffer[0] == '\0');
    // Exactly 99 bytes fit with the NUL; 100 do not.
    EXPECT_TRUE(WideToOem(std::wstring(99, L'a').c_str(), buffer, sizeof buffer));
    EXPECT_FALSE(WideToOem(std::wstring(100, L'a').c_str(), buffer, sizeof buffer));
}
