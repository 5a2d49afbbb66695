// The call-record and recording pages, clicked by mouse against the service double.
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

// Stores of different sizes paged through, with queries that fail: a failed query empties
// the list and keeps the buttons, but at index 0 the previous-page button goes off. A
// previous-page click that reaches the page with the button off asks for nothing.
TEST_F(CallPageTest, PagesThroughStoresOfDifferentSizes) {
    bstest::MainFrame().PaintManager().SendNotify(Find(kPrev), DUI_MSGTYPE_CLICK);
    EXPECT_EQ(0u, sd::CallCount("DbGetCallFirst") + g_callPageIndex);
    struct Step {
        const wchar_t *button;
        bool fails;
        int rows;
        bool next, prev;
        int index, offset, count;  // the page index; the last query's window
    };
    const struct {
        int records;
        std::vector<Step> steps;
    } tables[] = {
        {0, {{kFind, false, 0, false, false, 0, 0, 17}}},  // nothing in the window: the query fails
        {16, {{kFind, false, 16, false, false, 0, 0, 17}}},
        {17,
         {{kFind, false, 16, true, false, 0, 0, 17},
          {kNext, false, 1, false, true, 1, 16, 17},
          {kPrev, false, 16, true, false, 0, 0, 16}}},
        {33,
         {{kFind, false, 16, true, false, 0, 0, 17},
          {kNext, false, 16, true, true, 1, 16, 17},
          {kNext, false, 1, false, true, 2, 32, 17},
          {kPrev, false, 16, true, true, 1, 16, 16},
          {kPrev, false, 16, true, false, 0, 0, 16},
          {kNext, false, 16, true, true, 1, 16, 17},
          {kFind, false, 16, true, false, 0, 0, 17}}},
        {50,
         {{kFind, false, 16, true, false, 0, 0, 17},
          {kNext, true, 0, true, false, 1, 16, 17},
          {kNext, false, 16, true, true, 2, 32, 17},
          {kPrev, true, 0, true, true, 1, 16, 16},
          {kPrev, true, 0, true, false, 0, 0, 16},
          {kNext, false, 16, true, true, 1, 16, 17},
          {kFind, true, 0, true, true, 1, 0, 17}}},
    };
    for (const auto &t : tables) {
        TearDown();
        SetUp();
        SetRecords(t.records);
        for (const Step &s : t.steps) {
            SCOPED_TRACE(testing::Message() << t.records << " records, index " << s.index << " rows " << s.rows);
            ASSERT_TRUE(Find(s.button)->IsEnabled());
            sd::Double()->queryFails = s.fails;
            Click(s.button);
            EXPECT_EQ(s.rows, Rows());
            EXPECT_EQ(s.next, NextOn());
            EXPECT_EQ(s.prev, PrevOn());
            EXPECT_EQ(s.index, g_callPageIndex);
            const sd::Call query = sd::Calls("DbGetCallFirst").back();
            EXPECT_EQ((std::vector<int>{0, s.offset, s.count, '1'}), query.ints);
            if (s.rows == 0) continue;
            // Row numbers are positions on the page; the name and id as delivered.
            EXPECT_EQ("call" + std::to_string(s.offset) + ".wav", RowName(0));
            EXPECT_EQ(std::to_string(1000 + s.offset), Narrow(FindRow(0, kRowNameId)->GetText()));
            EXPECT_EQ("call" + std::to_string(s.offset + s.rows - 1) + ".wav", RowName(s.rows - 1));
            EXPECT_EQ(nullptr, FindRow(s.rows, kRowNameText));
        }
    }
}

// Whole days as picked (the time of day ignored, a start after the end passed through);
// next and previous use the dates of their own click, the reload after a delete those of
// the last query, whatever the pickers show since.
TEST_F(CallPageTest, DateRangeIsSentAsWholeDaysAsPicked) {
    SetRecords(40);
    SetDates({2024, 5, 4, 9, 0, 0, 0, 0}, {2024, 5, 3, 1, 0, 0, 0, 0});
    Click(kFind);
    SetDates({2023, 12, 0, 31, 23, 59, 58, 999}, {2024, 1, 1, 1, 7, 30, 0, 0});
    Click(kNext);
    SetDates({2022, 2, 0, 14, 0, 0, 0, 0}, {2022, 2, 0, 14, 0, 0, 0, 0});
    ClickRow(0, kRowNameDelete);
    const auto queries = sd::Calls("DbGetCallFirst");
    ASSERT_EQ(3u, queries.size());
    EXPECT_EQ((std::vector<std::string>{"2024-05-09 00:00:00", "2024-05-01 23:59:59"}), queries[0].texts);
    EXPECT_EQ((std::vector<std::string>{"2023-12-31 00:00:00", "2024-01-01 23:59:59"}), queries[1].texts);
    EXPECT_EQ(queries[1].texts, queries[2].texts);
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

// Ids as plain decimal, names as delivered up to 99 bytes; Enter on a selected row plays
// it as its play button does.
TEST_F(CallPageTest, RowsShowIdsAndNamesAndEnterPlaysTheSelectedRow) {
    const std::string name(99, 'n');
    sd::Double()->records = {{-5, "a.wav"}, {0, name + "nnn"}, {2147483647, "b.wav"}};
    Click(kFind);
    const std::vector<std::string> names = {"a.wav", name, "b.wav"}, ids = {"-5", "0", "2147483647"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(names[i], RowName(i));
        EXPECT_EQ(ids[i], Narrow(FindRow(i, kRowNameId)->GetText()));
    }
    sd::Double()->calls.clear();
    List()->SetFocus();
    for (UINT vk : {VK_DOWN, VK_DOWN, VK_RETURN}) bstest::PressKey(Hwnd(), vk);
    EXPECT_EQ(Asked(), (std::vector<std::string>{"VoiceFileIsUsing " + name + " 0", "VoicePlayFile " + name + " 0"}));
}

// Each click asks for the opposite of the service's flag (not of what is shown) and
// shows what it asked for; a click on another control changes nothing.
TEST_F(CallPageTest, RecordingClicksFollowTheServiceFlag) {
    bstest::ShowPage(L"menu1_0");
    CControlUI *button = Find(L"RecordCtrlBtn"), *note = Find(L"RecordNote");
    ASSERT_TRUE(testsupport::WaitLaidOut(button));
    bstest::MainFrame().PaintManager().SendNotify(note, DUI_MSGTYPE_CLICK);
    testsupport::PumpPending();
    EXPECT_TRUE(sd::Calls().empty());
    const struct {
        int flagBefore;
        bool follows;  // the service takes the new flag
        int sent;
    } cases[] = {{0, true, 1}, {1, true, 0}, {1, false, 0}, {1, false, 0}, {0, false, 1}, {5, true, 0}};
    EXPECT_EQ(std::wstring(L"/Image/RecorderStart.png"), button->GetBkImage());
    for (const auto &c : cases) {
        sd::Double()->recordFlag = c.flagBefore;
        sd::Double()->recordFlagFollows = c.follows;
        sd::Double()->calls.clear();
        testsupport::ClickControl(Hwnd(), button);
        const auto sent = sd::Calls("VoiceRecordFlag");
        ASSERT_EQ(1u, sent.size());
        EXPECT_EQ(c.sent, sent[0].ints[0]);
        EXPECT_EQ(c.follows ? c.sent : c.flagBefore, sd::Double()->recordFlag);
        EXPECT_EQ(std::wstring(c.sent ? L"/Image/RecorderStop.png" : L"/Image/RecorderStart.png"),
                  button->GetBkImage());
        EXPECT_EQ(c.sent ? L"正 在 录 音" : L"", note->GetText());
    }
}

}  // namespace
}  // namespace callstest
