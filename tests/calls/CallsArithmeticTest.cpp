// Call-page arithmetic without windows: reloads whose queries fail, row names read back,
// and the playback read-out at the edges of 32-bit arithmetic.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "calls/CallPaging.h"
#include "calls/CallRowName.h"
#include "calls/PlayProgress.h"

// A reload after a delete whose two queries both fail: the index steps back once, and the
// previous-page button goes off only on the first page.
TEST(Paging, ReloadWithFailingQueries) {
    const struct {
        int index, indexAfter;
        std::optional<bool> prev;
        std::vector<std::pair<int, int>> asked;
    } cases[] = {
        {1, 0, false, {{16, 17}, {0, 17}}},
        {3, 2, std::nullopt, {{48, 17}, {32, 17}}},
    };
    for (const auto &c : cases) {
        std::vector<std::pair<int, int>> asked;
        int index = c.index;
        const PagingButtons b = RunPageReload(index, [&](int offset, int count) {
            asked.push_back({offset, count});
            return CallPageFill{};
        });
        SCOPED_TRACE(c.index);
        EXPECT_EQ(c.indexAfter, index);
        EXPECT_EQ(std::nullopt, b.next);
        EXPECT_EQ(c.prev, b.prev);
        EXPECT_EQ(c.asked, asked);
    }
}

TEST(RowName, BuiltAndReadBackWhole) {
    const struct {
        const char *name;
        bool isRow;
        int row;
        RowAction action;
    } cases[] = {
        {"ItemBtn12Delete", true, 12, RowAction::Delete}, {"ItemBtn0Play", true, 0, RowAction::Play},
        {"ItemBtn15Locate", true, 15, RowAction::Locate}, {"ItemBtn7Text1", true, 7, RowAction::None},
        {"FindVoiceFileBtn", false, -1, RowAction::None},
    };
    for (const auto &c : cases) {
        int row = -1;
        EXPECT_EQ(c.isRow, ParseRowNumber(c.name, row)) << c.name;
        EXPECT_EQ(c.row, row) << c.name;
        EXPECT_TRUE(!c.isRow || c.action == RowActionOf(c.name)) << c.name;
    }
    char name[kRowNameSize];
    MakeRowName(12, kRowNameDelete, name);
    EXPECT_STREQ("ItemBtn12Delete", name);
    const std::string suffix(300, 'x');  // cut inside the buffer
    MakeRowName(4, suffix.c_str(), name);
    EXPECT_EQ(std::string("ItemBtn4") + std::string(kRowNameSize - 9, 'x'), name);
}

// The read-out "h:m:s:ms/h:m:s:ms" with milliseconds unsigned 32-bit, and the percentage,
// which never overflows.
TEST(PlayProgress, TimeTextAndPercent) {
    const struct {
        int current, total;
        const char *text;
    } cases[] = {{3001, 180001, "0:1:0:20/1:0:0:20"},
                 {214748365, 0, "0:0:0:4/0:0:0:0"},  // 2^32 + 4 ms
                 {1499, 1500, "0:0:29:980/0:0:30:0"}};
    for (const auto &c : cases) {
        char text[kPlayTimeTextSize];
        FormatPlayTime(c.current, c.total, text);
        EXPECT_STREQ(c.text, text);
    }
    EXPECT_EQ(100, PlayPercent(2147483647, 2147483647));
    EXPECT_EQ(99, PlayPercent(1499, 1500));
    EXPECT_EQ(66, PlayPercent(2, 3));
}
