// Row button names: a wrong name or parse makes a click act on another row's file.
#include <gtest/gtest.h>

#include <string>

#include "calls/CallRowName.h"

namespace {

TEST(RowName, BuildsPrefixNumberSuffix) {
    struct Case {
        int row;
        const char *suffix;
        const char *name;
    } cases[] = {
        {0, kRowNameText, "ItemBtn0Text0"},   {3, kRowNameId, "ItemBtn3Text1"},
        {12, kRowNameDelete, "ItemBtn12Delete"}, {15, kRowNamePlay, "ItemBtn15Play"},
        {7, kRowNameLocate, "ItemBtn7Locate"},
    };
    for (const Case &c : cases) {
        char name[kRowNameSize];
        MakeRowName(c.row, c.suffix, name);
        EXPECT_STREQ(c.name, name);
    }
}

TEST(RowName, LongSuffixIsCutInsideTheBuffer) {
    char name[kRowNameSize];
    const std::string suffix(300, 'x');
    MakeRowName(4, suffix.c_str(), name);
    EXPECT_EQ(kRowNameSize - 1, std::string(name).size());
    EXPECT_EQ(0u, std::string(name).find("ItemBtn4xxx"));
}

TEST(RowName, ReadsTheWholeRowNumberBack) {
    struct Case {
        const char *name;
        bool isRow;
        int row;
    } cases[] = {
        {"ItemBtn12Delete", true, 12}, {"ItemBtn3Text0", true, 3}, {"ItemBtn0Play", true, 0},
        {"ItemBtn15Locate", true, 15}, {"xItemBtn7Text1", true, 7}, {"ItemBtnPlay", true, 0},
        {"FindVoiceFileBtn", false, -1}, {"", false, -1}, {"itembtn3Play", false, -1},
    };
    for (const Case &c : cases) {
        int row = -1;
        EXPECT_EQ(c.isRow, ParseRowNumber(c.name, row)) << c.name;
        EXPECT_EQ(c.row, row) << c.name;
    }
}

TEST(RowName, ActionFromTheSuffix) {
    struct Case {
        const char *name;
        RowAction action;
    } cases[] = {
        {"ItemBtn2Play", RowAction::Play},     {"ItemBtn2Locate", RowAction::Locate},
        {"ItemBtn12Delete", RowAction::Delete}, {"ItemBtn2Text0", RowAction::None},
        {"ItemBtn2Text1", RowAction::None},
    };
    for (const Case &c : cases) EXPECT_EQ(c.action, RowActionOf(c.name)) << c.name;
}

}  // namespace
