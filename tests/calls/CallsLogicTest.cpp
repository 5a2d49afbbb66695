// Page reads against the service: record texts beyond the list's bounds.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "calls/CallPageRead.h"
#include "tests/double/ServiceDouble.h"

namespace sd = servicedouble;

namespace {

TEST(PageRead, IdsAsPlainDecimalAndNamesUpTo99Bytes) {
    sd::Reset();
    sd::Double()->records = {{-5, "a.wav"}, {0, std::string(150, 'n')}, {2147483647, "b.wav"}};
    std::vector<std::pair<std::string, std::string>> rows;
    ReadCallPage("2024-01-01 00:00:00", "2024-01-31 23:59:59", 0, 17, [&](int, const char *name, const char *id) {
        rows.push_back({name, id});
    });
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"a.wav", "-5"}, {std::string(99, 'n'), "0"}, {"b.wav", "2147483647"}};
    EXPECT_EQ(expected, rows);
}

}  // namespace
