// The row buttons, clicked by mouse: a fault here plays, locates or deletes another row's
// file, deletes without reporting a refusal, or shows a wrong page after a delete.
#include "tests/calls_ui/CallsFixture.h"

#include "calls/CallRowName.h"
#include "tests/support/MessageBoxWatcher.h"
#include "tests/support/WaitFor.h"

using servicedouble::ServiceDouble;

namespace callstest {
namespace {

const wchar_t *const kFind = L"FindVoiceFileBtn";
const wchar_t *const kNext = L"NextCallListBtn";

// Service calls that act on a file or record.
size_t ActionCalls() {
    size_t n = 0;
    for (const char *f : {"VoiceFileIsUsing", "LocateVoiceFile", "VoiceDeleteFile", "DbDeleteCallItem", "VoicePlayFile",
                          "VoiceExitPlayFile"})
        n += ServiceDouble::CallCount(f);
    return n;
}

TEST_F(CallPageTest, EachButtonActsOnItsOwnRow) {
    ServiceDouble::SetCallRecords(MakeRecords(16));
    ClickNamed(kFind);
    ServiceDouble::ClearCalls();

    ClickRow(12, kRowNameLocate);
    auto locate = ServiceDouble::Calls("LocateVoiceFile");
    ASSERT_EQ(1u, locate.size());
    EXPECT_EQ("call12.wav", locate[0].texts[0]);
    EXPECT_EQ(1012, locate[0].ints[0]);

    ClickRow(11, kRowNamePlay);
    auto using_ = ServiceDouble::Calls("VoiceFileIsUsing");
    ASSERT_EQ(1u, using_.size());
    EXPECT_EQ("call11.wav", using_[0].texts[0]);
    EXPECT_EQ(1011, using_[0].ints[0]);
    auto played = ServiceDouble::Calls("VoicePlayFile");
    ASSERT_EQ(1u, played.size());
    EXPECT_EQ("call11.wav", played[0].texts[0]);
    EXPECT_EQ(1011, played[0].ints[0]);
    EXPECT_TRUE(::IsWindowVisible(g_pPlayWnd->GetHWND()));
    EXPECT_EQ(0, m_host->UnroutedClicks());
}

TEST_F(CallPageTest, NameAndIdButtonsDoNothing) {
    ServiceDouble::SetCallRecords(MakeRecords(16));
    ClickNamed(kFind);
    ServiceDouble::ClearCalls();
    ClickRow(12, kRowNameText);
    ClickRow(2, kRowNameId);
    EXPECT_EQ(0u, ActionCalls());
    EXPECT_EQ(0u, ServiceDouble::CallCount("DbGetCallFirst"));
    EXPECT_EQ(16, Rows());
    EXPECT_EQ(0, m_host->UnroutedClicks());
}

TEST_F(CallPageTest, AFileInUseIsNotPlayed) {
    ServiceDouble::SetCallRecords(MakeRecords(3));
    ServiceDouble::SetFileInUse("call1.wav", 1);
    ClickNamed(kFind);
    ServiceDouble::ClearCalls();
    testsupport::MessageBoxWatcher boxes;
    ClickRow(1, kRowNamePlay);
    ASSERT_TRUE(boxes.WaitForCount(1));
    EXPECT_EQ(L"文件正在被占用！", boxes.Seen()[0].text);
    EXPECT_EQ(L"警告", boxes.Seen()[0].caption);
    EXPECT_EQ(1u, ServiceDouble::CallCount("VoiceFileIsUsing"));
    EXPECT_EQ(0u, ServiceDouble::CallCount("VoicePlayFile"));
    EXPECT_EQ(0u, ServiceDouble::CallCount("VoiceExitPlayFile"));
    EXPECT_FALSE(::IsWindowVisible(g_pPlayWnd->GetHWND()));
}

// Delete removes the file, then the record, without asking; a refusal is one line on
// standard output and the page stays as it was.
TEST_F(CallPageTest, DeleteCallsAndTheirFailures) {
    struct Case {
        int voiceResult, dbResult;
        const char *line;
        std::vector<std::string> calls;
        int rows;
        const char *row2;
    } cases[] = {
        {0, 0, "", {"VoiceDeleteFile", "DbDeleteCallItem", "DbGetCallFirst"}, 4, "call3.wav"},
        {1, 0, "Delete file failed.\r\n", {"VoiceDeleteFile"}, 5, "call2.wav"},
        {0, 1, "Db Delete file failed.\r\n", {"VoiceDeleteFile", "DbDeleteCallItem"}, 5, "call2.wav"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.voiceResult * 2 + c.dbResult);
        TearDown();
        SetUp();
        ServiceDouble::SetCallRecords(MakeRecords(5));
        ClickNamed(kFind);
        ServiceDouble::SetVoiceDeleteResult(c.voiceResult);
        ServiceDouble::SetDbDeleteResult(c.dbResult);
        ServiceDouble::ClearCalls();
        testsupport::MessageBoxWatcher boxes;
        StdoutCapture out;
        ClickRow(2, kRowNameDelete);
        EXPECT_EQ(c.line, out.Text());
        EXPECT_EQ(0u, boxes.Count());
        std::vector<std::string> order;
        for (const auto &call : ServiceDouble::Calls())
            if (call.function != "DbGetCallNext") order.push_back(call.function);
        EXPECT_EQ(c.calls, order);
        for (const auto &call : ServiceDouble::Calls()) {
            if (call.function != "VoiceDeleteFile" && call.function != "DbDeleteCallItem") continue;
            EXPECT_EQ("call2.wav", call.texts[0]);
            if (call.function == "DbDeleteCallItem") {
                EXPECT_EQ(1002, call.ints[0]);
            }
        }
        EXPECT_EQ(c.rows, Rows());
        EXPECT_EQ(c.row2, RowName(2));
    }
}

TEST_F(CallPageTest, ReloadAfterDelete) {
    struct Case {
        const char *what;
        int records;
        int nexts;  // next-page clicks after find
        int row;    // row deleted
        int rows;   // rows after
        bool next, prev;
        int index;
        int firstRecord;  // in row 0 afterwards (-1: none)
    } cases[] = {
        // 16 rows with more after them: the first record of the next page moves up
        {"full page, more after", 33, 0, 5, 16, true, false, 0, 0},
        {"full page, one after", 17, 0, 0, 16, false, false, 0, 1},
        // the only row of the last page: the page before is shown
        {"last row of page 2", 33, 2, 0, 16, false, true, 1, 16},
        {"last row of page 1", 17, 1, 0, 16, false, false, 0, 0},
        // the only record of the range: empty list, buttons as they were
        {"only record", 1, 0, 0, 0, false, false, 0, -1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        TearDown();
        SetUp();
        ServiceDouble::SetCallRecords(MakeRecords(c.records));
        ClickNamed(kFind);
        for (int i = 0; i < c.nexts; ++i) ClickNamed(kNext);
        ClickRow(c.row, kRowNameDelete);
        EXPECT_EQ(c.rows, Rows());
        EXPECT_EQ(c.next, NextOn());
        EXPECT_EQ(c.prev, PrevOn());
        EXPECT_EQ(c.index, g_callPageIndex);
        if (c.firstRecord >= 0) {
            EXPECT_EQ("call" + std::to_string(c.firstRecord) + ".wav", RowName(0));
        }
        // Lookups by name find the new rows only, none of the removed ones.
        EXPECT_EQ(nullptr, FindRow(c.rows, kRowNameText));
    }
}

// The reload repeats the last query's dates, not what the pickers show since.
TEST_F(CallPageTest, ReloadAfterDeleteKeepsTheDatesOfTheLastQuery) {
    ServiceDouble::SetCallRecords(MakeRecords(20));
    ClickNamed(kFind);
    const std::vector<std::string> asked = ServiceDouble::Calls("DbGetCallFirst")[0].texts;
    SYSTEMTIME day = {2022, 2, 0, 14, 0, 0, 0, 0};
    static_cast<CDateTimeUI *>(Find(L"StartDate"))->SetTime(&day);
    static_cast<CDateTimeUI *>(Find(L"EndDate"))->SetTime(&day);
    ClickRow(0, kRowNameDelete);
    const auto queries = ServiceDouble::Calls("DbGetCallFirst");
    ASSERT_LT(1u, queries.size());
    EXPECT_EQ(asked, queries.back().texts);
}

}  // namespace
}  // namespace callstest

namespace callstest {

// Keys sent to the page's window: Enter on a selected call row plays it as its play
// button does; Tab from the list reaches the row's buttons.
TEST_F(CallPageTest, EnterOnACallRowPlaysItAndTabReachesItsButtons) {
    ServiceDouble::SetCallRecords(MakeRecords(3));
    ClickNamed(kFind);
    ServiceDouble::ClearCalls();
    auto key = [this](UINT vk) {
        ::SendMessageW(Hwnd(), WM_KEYDOWN, vk, 1);
        ::SendMessageW(Hwnd(), WM_KEYUP, vk, 0xC0000001);
    };
    List()->SetFocus();
    key(VK_DOWN);
    key(VK_DOWN);
    key(VK_RETURN);
    const auto plays = ServiceDouble::Calls("VoicePlayFile");
    ASSERT_EQ(plays.size(), 1u);
    EXPECT_EQ(plays[0].texts[0], "call1.wav");
    testsupport::PumpPending();
    const std::vector<std::string> stops = {"Text0", "Text1", "Play", "Locate", "Delete"};
    for (const std::string &suffix : stops) {
        key(VK_TAB);
        CControlUI *focus = m_host->PaintManager().GetFocus();
        ASSERT_NE(focus, nullptr);
        EXPECT_EQ(focus, FindRow(0, suffix.c_str())) << suffix;
    }
}

}  // namespace callstest
