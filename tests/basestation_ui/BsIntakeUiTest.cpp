// Report intake and presence passes on the real main window.
#include <gtest/gtest.h>

#include <thread>

#include "basestation/BsListRows.h"
#include "basestation/BsReportBlock.h"
#include "tests/basestation_ui/BsUiHarness.h"
#include "tests/support/WaitFor.h"
#include "ui/PrivateMessages.h"

using namespace bstest;
using Serials = std::vector<std::string>;

struct BsIntake : ::testing::Test {
    void SetUp() override { ResetStations(); }
};

TEST_F(BsIntake, FirstReportAddsARowWithThirteenColumnsLaterReportsChangeNothing) {
    EXPECT_EQ(Report("BS-A", SampleRecord(5)), 1) << "the post's result";
    const std::vector<std::wstring> expected = {
        L"BS-A",     L"5",        L"6",       L"1005",           L"6", L"1", L"10.0.5.1", L"255.255.0.0", L"10.0.5.0",
        L"10.0.5.3", L"10.0.5.2", L"0.0.0.0", L"255.255.255.255"};
    EXPECT_EQ(RowTexts(), std::vector<std::vector<std::wstring>>{expected});
    EXPECT_EQ(List().GetItemAt(0)->GetFixedHeight(), 30);

    BsConfig changed = SampleRecord(9);
    changed.RepeaterMode = -1;
    Report("BS-A", changed);
    Report("BS-B", changed);  // negative and out-of-range values are shown unchanged
    changed.Channel = 500;
    Report("BS-C", changed);
    ASSERT_EQ(RowSerials(), (Serials{"BS-A", "BS-B", "BS-C"}));
    EXPECT_EQ(RowTexts()[0], expected);
    EXPECT_EQ(RowTexts()[1][5], L"-1");
    EXPECT_EQ(RowTexts()[2][2], L"500");
    EXPECT_EQ(bs::LiveReportBlocks(), 0);
}

// Gone neighbours both go before the pass returns; each station is asked once per pass,
// off the UI thread; one that comes back is listed again at the end.
TEST_F(BsIntake, PassesRemoveGoneRowsBeforeTheyReturn) {
    for (const char *s : {"S1", "S2", "S3", "S4", "S5"}) Report(s, SampleRecord(1));
    for (const char *s : {"S2", "S3", "S5"}) sd::Double()->status[s] = 0;
    ASSERT_TRUE(PassOnPollerThread());
    EXPECT_EQ(RowSerials(), (Serials{"S1", "S4"}));
    EXPECT_EQ(Asked(), (Serials{"S1", "S2", "S3", "S4", "S5"}));
    EXPECT_NE(sd::Calls("BmHalBsStatus")[0].threadId, ::GetCurrentThreadId());
    sd::Double()->calls.clear();
    ASSERT_TRUE(PassOnPollerThread());
    EXPECT_EQ(Asked(), (Serials{"S1", "S4"}));

    sd::Double()->status["S2"] = 1;
    Report("S2", SampleRecord(42));
    EXPECT_EQ(RowSerials(), (Serials{"S1", "S4", "S2"}));
    EXPECT_EQ(RowTexts()[2][1], L"42");
    // Without the acknowledgement event the pass cannot wait, but the rows must still go.
    const HWND main = MainFrame().GetHWND();
    std::thread([main] { HandOverGoneRows(main, nullptr, 5000); }).join();
    MSG msg;
    EXPECT_TRUE(::PeekMessageW(&msg, main, WM_BS_GONE, WM_BS_GONE, PM_REMOVE));
}

// A report for a station that a pass found gone, handled before the row's removal: the
// row goes and the station is listed anew at the end with the new report's settings.
TEST_F(BsIntake, ReportForAStationWhoseRowWaitsForRemovalListsItAgain) {
    for (const char *s : {"A", "B", "C"}) Report(s, SampleRecord(1));
    sd::Double()->status["B"] = 0;
    const HWND main = MainFrame().GetHWND();
    std::thread poller([] { PollBsPresence(); });
    // The pass has marked B gone once its removal request is queued (not yet handled).
    MSG msg;
    for (int i = 0; i < 5000 && !::PeekMessageW(&msg, main, WM_BS_GONE, WM_BS_GONE, PM_NOREMOVE); ++i) ::Sleep(1);
    BsConfig again = SampleRecord(77);
    // Sent, so that it is handled ahead of the queued removal.
    BsReportBlock *block = bs::NewReportBlock("B", &again);
    ::SendMessageW(main, WM_BS_REPORT, reinterpret_cast<WPARAM>(block), reinterpret_cast<LPARAM>(&block->record));
    EXPECT_EQ(RowSerials(), (Serials{"A", "C", "B"}));
    EXPECT_EQ(RowTexts()[2][1], L"77");
    testsupport::WaitFor([&] { return !::PeekMessageW(&msg, main, WM_BS_GONE, WM_BS_GONE, PM_NOREMOVE); });
    poller.join();
    EXPECT_EQ(RowSerials(), (Serials{"A", "C", "B"})) << "the new row outlives the old one's removal";
}

// WM_BS_REPORT can come from any program: only a block the callback made and that was
// not yet handled is read and freed.
TEST_F(BsIntake, ReportMessagesNotMadeByTheCallbackAreIgnored) {
    char onStack[32] = "BS-FAKE";
    BsReportBlock foreign{};
    BsReportBlock *handled = bs::NewReportBlock("BS-ONCE", nullptr);
    const HWND main = MainFrame().GetHWND();
    ::SendMessageW(main, WM_BS_REPORT, reinterpret_cast<WPARAM>(handled), 0);
    for (WPARAM stray : {WPARAM(0), WPARAM(0xDEADBEEF), reinterpret_cast<WPARAM>(onStack),
                         reinterpret_cast<WPARAM>(&foreign), reinterpret_cast<WPARAM>(handled)}) {
        EXPECT_EQ(::SendMessageW(main, WM_BS_REPORT, stray, reinterpret_cast<LPARAM>(onStack)), 0);
        EXPECT_EQ(RowSerials(), Serials{"BS-ONCE"}) << stray;
        EXPECT_EQ(bs::LiveReportBlocks(), 0);
    }
}

// Column 0 reads back through two code pages (ANSI in, OEM out) and within 99 bytes: the
// duplicate test and the status query use what it reads back, or a second report of a
// non-ASCII serial lists the station twice and the poller asks about a serial nobody has.
TEST_F(BsIntake, SerialIsOneStationAskedAboutAsItsRowReadsBack) {
    CodePageText serial;
    ASSERT_TRUE(FindCodePageText("BS-", serial)) << "ANSI and OEM code pages agree on every byte";
    Report(serial.ansi, SampleRecord(1));
    Report(serial.ansi, SampleRecord(2));
    Report(std::string(150, 'L'), SampleRecord(3));
    ASSERT_EQ(RowTexts().size(), 2u);
    EXPECT_EQ(RowTexts()[0][0], serial.shown);
    EXPECT_EQ(RowTexts()[0][1], L"1");
    sd::Double()->status[serial.oem] = 0;
    ASSERT_TRUE(PassOnPollerThread());
    EXPECT_EQ(Asked(), (Serials{serial.oem, std::string(99, 'L')}));
    EXPECT_EQ(RowSerials(), Serials{std::string(99, 'L')});
}
