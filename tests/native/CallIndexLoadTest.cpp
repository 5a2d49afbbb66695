// Reading the call index's log: the index is the only record of which calls exist, so a
// fault here loses calls, shows deleted ones, or lets one damaged record cost the rest.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "standin/core/CallIndex.h"

using namespace standin;

namespace {

std::string Add(int32_t id, int64_t start) { return CallIndex::EncodeRecord('A', id, start, "c" + std::to_string(id)); }

TEST(CallIndexLoad, KeepsWholeRecordsInStartThenIdOrder) {
    const std::string a1 = Add(1, 500), a2 = Add(2, 100), a3 = Add(3, 300), a4 = Add(4, 100);
    std::string flipped = a2;
    flipped[21] ^= 0x40;  // a bit of its name: the checksum no longer matches
    const struct {
        const char *label;
        std::string log;
        std::vector<int32_t> ids;
        bool damaged;
    } cases[] = {
        {"in order of start, then id", a1 + a2 + a3 + a4, {2, 4, 3, 1}, false},
        {"a damaged record costs only itself", a1 + flipped + a3 + a4, {4, 3, 1}, true},
        {"a torn tail", a1 + a3 + a4.substr(0, 10), {3, 1}, true},
        {"garbage between records", a1 + std::string(37, 'Z') + a3, {3, 1}, true},
        {"a deleted call stays deleted", a1 + a3 + CallIndex::EncodeRecord('D', 1, 500, ""), {3}, false},
        {"a repeated id is damage, the first record kept", a1 + a3 + Add(1, 50), {3, 1}, true},
        {"garbage only", std::string(5000, '\x5a'), {}, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.label);
        CallIndex index;
        bool damaged = false;
        index.Load(c.log, &damaged);
        std::vector<int32_t> ids;
        for (size_t i = 0; i < index.Size(); ++i) ids.push_back(index.IdAt(i));
        EXPECT_EQ(c.ids, ids);
        EXPECT_EQ(c.damaged, damaged);
        EXPECT_TRUE(c.ids.empty() || "c" + std::to_string(c.ids[0]) == index.NameAt(0));
    }
}

}  // namespace
