// The row buttons, clicked by mouse: a fault here plays, locates or deletes another row's
// file, passes a name the service overwrote, deletes without reporting a refusal, or shows
// a wrong page after a delete.
#include "tests/calls_ui/CallsFixture.h"
#include "tests/support/MessageBoxWatcher.h"

namespace callstest {
namespace {

// What the service was asked, as "function name id" lines.
std::vector<std::string> Asked() {
    std::vector<std::string> out;
    for (const auto &c : sd::Calls())
        if (!c.texts.empty() && c.function != "DbGetCallFirst")
            out.push_back(c.function + " " + c.texts[0] + " " + std::to_string(c.ints[0]));
    return out;
}

// Each button acts on its own row; the name and id buttons do nothing; a file in use is
// not played. A name outside ASCII is shown as the ANSI code page reads it and handed
// back to the service as the row reads back (OEM code page).
TEST_F(CallPageTest, EachButtonActsOnItsOwnRow) {
    bstest::CodePageText name;
    ASSERT_TRUE(bstest::FindCodePageText("call-", name)) << "ANSI and OEM code pages agree on every byte";
    SetRecords(16);
    sd::Double()->records[11].name = name.ansi;
    sd::Double()->inUse["call3.wav"] = 1;
    Click(kFind);
    EXPECT_EQ(FindRow(11, kRowNameText)->GetText(), name.shown);
    testsupport::MessageBoxWatcher boxes;
    const struct {
        int row;
        const char *suffix;
        std::vector<std::string> asked;
        bool playing;
    } cases[] = {
        {12, kRowNameLocate, {"LocateVoiceFile call12.wav 1012"}, false},
        {12, kRowNameText, {}, false},
        {2, kRowNameId, {}, false},
        {3, kRowNamePlay, {"VoiceFileIsUsing call3.wav 1003"}, false},
        {11, kRowNamePlay, {"VoiceFileIsUsing " + name.oem + " 1011", "VoicePlayFile " + name.oem + " 1011"}, true},
    };
    for (const auto &c : cases) {
        sd::Double()->calls.clear();
        ClickRow(c.row, c.suffix);
        EXPECT_EQ(Asked(), c.asked) << c.row << c.suffix;
        EXPECT_EQ(::IsWindowVisible(g_pPlayWnd->GetHWND()) != FALSE, c.playing) << c.row << c.suffix;
        EXPECT_EQ(16, Rows());
    }
    ASSERT_TRUE(boxes.WaitForCount(1));
    EXPECT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(L"文件正在被占用！", boxes.Seen()[0].text);
    EXPECT_EQ(L"警告", boxes.Seen()[0].caption);
}

// Delete removes the file, then the record, each with a fresh copy of the name (the
// service may write into what it is given), then shows the page again, or the one before
// when it is left empty; after a refusal the page stays as it was.
TEST_F(CallPageTest, DeleteAndReload) {
    const struct {
        int records, nexts, row;  // next-page clicks after find; the row deleted
        int voiceResult, dbResult;
        int rows;  // after
        bool next, prev;
        int index, shownAtRow;  // the record then shown at the row's place, -1 none
    } cases[] = {
        {33, 0, 5, 0, 0, 16, true, false, 0, 6},   // full page, more after: the next page's first moves up
        {17, 0, 0, 0, 0, 16, false, false, 0, 1},  // full page, one after
        {33, 2, 0, 0, 0, 16, false, true, 1, 16},  // the only row of the last page: the page before
        {17, 1, 0, 0, 0, 16, false, false, 0, 0},
        {1, 0, 0, 0, 0, 0, false, false, 0, -1},  // the only record: empty, buttons as they were
        {5, 0, 2, 1, 0, 5, false, false, 0, 2},   // the file's delete refused
        {5, 0, 2, 0, 1, 5, false, false, 0, 2},   // the record's delete refused
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.records << " records, row " << c.row << " of page " << c.nexts);
        TearDown();
        SetUp();
        SetRecords(c.records);
        Click(kFind);
        for (int i = 0; i < c.nexts; ++i) Click(kNext);
        sd::Double()->voiceDeleteResult = c.voiceResult;
        sd::Double()->dbDeleteResult = c.dbResult;
        sd::Double()->scribble = "overwritten.wav";
        sd::Double()->calls.clear();
        testsupport::MessageBoxWatcher boxes;
        ClickRow(c.row, kRowNameDelete);
        const int deleted = 16 * c.nexts + c.row;
        const std::string asked = "call" + std::to_string(deleted) + ".wav " + std::to_string(1000 + deleted);
        std::vector<std::string> expected = {"VoiceDeleteFile " + asked, "DbDeleteCallItem " + asked};
        if (c.voiceResult) expected.pop_back();
        EXPECT_EQ(expected, Asked());
        EXPECT_EQ(0u, boxes.Count());
        EXPECT_EQ(c.rows, Rows());
        EXPECT_EQ(c.next, NextOn());
        EXPECT_EQ(c.prev, PrevOn());
        EXPECT_EQ(c.index, g_callPageIndex);
        EXPECT_EQ(c.shownAtRow < 0 ? "" : "call" + std::to_string(c.shownAtRow) + ".wav", RowName(c.row));
        EXPECT_EQ(nullptr, FindRow(c.rows, kRowNameText)) << "the removed rows are gone";
    }
}

// Enter on a selected call row plays it as its play button does.
TEST_F(CallPageTest, EnterOnACallRowPlaysIt) {
    SetRecords(3);
    Click(kFind);
    sd::Double()->calls.clear();
    List()->SetFocus();
    for (UINT vk : {VK_DOWN, VK_DOWN, VK_RETURN}) bstest::PressKey(Hwnd(), vk);
    EXPECT_EQ(Asked(), (std::vector<std::string>{"VoiceFileIsUsing call1.wav 1001", "VoicePlayFile call1.wav 1001"}));
}

}  // namespace
}  // namespace callstest
