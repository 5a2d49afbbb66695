// The row buttons, clicked by mouse: a fault here plays, locates or deletes another row's
// file, passes a name the service overwrote, deletes without reporting a refusal, or shows
// a wrong page after a delete.
#include "calls/CallRowName.h"
#include "tests/calls_ui/CallsFixture.h"
#include "tests/support/MessageBoxWatcher.h"
#include "tests/support/WaitFor.h"

namespace callstest {
namespace {

const wchar_t *const kFind = L"FindVoiceFileBtn";
const wchar_t *const kNext = L"NextCallListBtn";

// What the service was asked, as "function name id" lines.
std::vector<std::string> Asked() {
    std::vector<std::string> out;
    for (const auto &c : sd::Calls())
        if (!c.texts.empty() && c.function != "DbGetCallFirst")
            out.push_back(c.function + " " + c.texts[0] + " " + std::to_string(c.ints[0]));
    return out;
}

// Each button acts on its own row; the name and id buttons do nothing; a file in use is
// not played.
TEST_F(CallPageTest, EachButtonActsOnItsOwnRow) {
    SetRecords(16);
    sd::Double()->inUse["call3.wav"] = 1;
    Click(kFind);
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
        {11, kRowNamePlay, {"VoiceFileIsUsing call11.wav 1011", "VoicePlayFile call11.wav 1011"}, true},
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
    EXPECT_EQ(0, m_host->unroutedClicks);
}

// Delete removes the file, then the record, each with a fresh copy of the name (the
// service may write into what it is given); after a refusal the page stays as it was.
TEST_F(CallPageTest, DeleteCallsAndTheirFailures) {
    const struct {
        int voiceResult, dbResult;
        std::vector<std::string> asked;
        int rows;
    } cases[] = {
        {0, 0, {"VoiceDeleteFile call2.wav 1002", "DbDeleteCallItem call2.wav 1002"}, 4},
        {1, 0, {"VoiceDeleteFile call2.wav 1002"}, 5},
        {0, 1, {"VoiceDeleteFile call2.wav 1002", "DbDeleteCallItem call2.wav 1002"}, 5},
    };
    for (const auto &c : cases) {
        TearDown();
        SetUp();
        SetRecords(5);
        Click(kFind);
        sd::Double()->voiceDeleteResult = c.voiceResult;
        sd::Double()->dbDeleteResult = c.dbResult;
        sd::Double()->scribble = "overwritten.wav";
        sd::Double()->calls.clear();
        testsupport::MessageBoxWatcher boxes;
        ClickRow(2, kRowNameDelete);
        EXPECT_EQ(0u, boxes.Count());
        EXPECT_EQ(c.asked, Asked());
        EXPECT_EQ(c.rows, Rows());
        EXPECT_EQ(c.rows == 4 ? "call3.wav" : "call2.wav", RowName(2));
    }
}

TEST_F(CallPageTest, ReloadAfterDelete) {
    const struct {
        int records, nexts;  // next-page clicks after find
        int row;             // deleted
        int rows;            // after
        bool next, prev;
        int index, firstRecord;
    } cases[] = {
        {33, 0, 5, 16, true, false, 0, 0},   // full page, more after: the next page's first moves up
        {17, 0, 0, 16, false, false, 0, 1},  // full page, one after
        {33, 2, 0, 16, false, true, 1, 16},  // the only row of the last page: the page before
        {17, 1, 0, 16, false, false, 0, 0},
        {1, 0, 0, 0, false, false, 0, -1},  // the only record: empty, buttons as they were
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.records << " records, row " << c.row << " of page " << c.nexts);
        TearDown();
        SetUp();
        SetRecords(c.records);
        Click(kFind);
        for (int i = 0; i < c.nexts; ++i) Click(kNext);
        ClickRow(c.row, kRowNameDelete);
        EXPECT_EQ(c.rows, Rows());
        EXPECT_EQ(c.next, NextOn());
        EXPECT_EQ(c.prev, PrevOn());
        EXPECT_EQ(c.index, g_callPageIndex);
        EXPECT_EQ(c.firstRecord < 0 ? "" : "call" + std::to_string(c.firstRecord) + ".wav", RowName(0));
        EXPECT_EQ(nullptr, FindRow(c.rows, kRowNameText)) << "the removed rows are gone";
    }
}

// The reload repeats the last query's dates, not what the pickers show since.
TEST_F(CallPageTest, ReloadAfterDeleteKeepsTheDatesOfTheLastQuery) {
    SetRecords(20);
    Click(kFind);
    const std::vector<std::string> asked = sd::Calls("DbGetCallFirst")[0].texts;
    SetDates({2022, 2, 0, 14, 0, 0, 0, 0}, {2022, 2, 0, 14, 0, 0, 0, 0});
    ClickRow(0, kRowNameDelete);
    const auto queries = sd::Calls("DbGetCallFirst");
    ASSERT_EQ(2u, queries.size());
    EXPECT_EQ(asked, queries.back().texts);
}

// A name outside ASCII: shown as the ANSI code page reads it, and handed back to the
// service as the row reads back (OEM code page).
TEST_F(CallPageTest, NonAsciiNameIsShownAndPlayedThroughTheTwoCodePages) {
    std::string name;
    char readBack[100] = {};
    wchar_t shown[100] = {};
    for (int byte = 0x80; byte <= 0xFF && name.empty(); ++byte) {
        const std::string candidate = std::string("call-") + static_cast<char>(byte) + ".wav";
        ::MultiByteToWideChar(CP_ACP, 0, candidate.c_str(), -1, shown, 100);
        ::WideCharToMultiByte(CP_OEMCP, 0, shown, -1, readBack, sizeof readBack, nullptr, nullptr);
        if (candidate != readBack && !strchr(readBack, '?')) name = candidate;
    }
    ASSERT_FALSE(name.empty()) << "ANSI and OEM code pages agree on every byte";
    sd::Double()->records = {{7, name}};
    Click(kFind);
    EXPECT_EQ(FindRow(0, kRowNameText)->GetText(), shown);
    ClickRow(0, kRowNamePlay);
    EXPECT_EQ(Asked(), (std::vector<std::string>{"VoiceFileIsUsing " + std::string(readBack) + " 7",
                                                 "VoicePlayFile " + std::string(readBack) + " 7"}));
}

// Enter on a selected call row plays it as its play button does.
TEST_F(CallPageTest, EnterOnACallRowPlaysIt) {
    SetRecords(3);
    Click(kFind);
    sd::Double()->calls.clear();
    auto key = [this](UINT vk) {
        ::SendMessageW(Hwnd(), WM_KEYDOWN, vk, 1);
        ::SendMessageW(Hwnd(), WM_KEYUP, vk, 0xC0000001);
    };
    Find(L"CallList")->SetFocus();
    for (UINT vk : {VK_DOWN, VK_DOWN, VK_RETURN}) key(vk);
    EXPECT_EQ(Asked(), (std::vector<std::string>{"VoiceFileIsUsing call1.wav 1001", "VoicePlayFile call1.wav 1001"}));
}

}  // namespace
}  // namespace callstest
