// Report intake and presence passes on the real main window: a fault here lists a
// station twice, shows wrong settings, keeps a gone station's row past its pass, or
// loses a report that arrived during a pass.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <set>
#include <thread>

#include "basestation/BsControlText.h"
#include "basestation/BsListRows.h"
#include "basestation/BsReportBlock.h"
#include "basestation/BsRow.h"
#include "tests/basestation_ui/BsUiHarness.h"
#include "tests/double/ServiceDouble.h"
#include "tests/support/WaitFor.h"
#include "ui/PrivateMessages.h"

using namespace bstest;
using servicedouble::ServiceDouble;

class BsIntake : public ::testing::Test {
protected:
    void SetUp() override { ResetStations(); }
};

TEST_F(BsIntake, FirstReportAddsARowWithThirteenColumnsLaterReportsChangeNothing) {
    Report("BS-A", SampleRecord(5));
    const std::vector<std::wstring> expected = {
        L"BS-A",     L"5",        L"6",       L"1005",           L"6", L"1", L"10.0.5.1", L"255.255.0.0", L"10.0.5.0",
        L"10.0.5.3", L"10.0.5.2", L"0.0.0.0", L"255.255.255.255"};
    ASSERT_EQ(RowTexts().size(), 1u);
    EXPECT_EQ(RowTexts()[0], expected);
    EXPECT_EQ(List().GetItemAt(0)->GetFixedHeight(), 30);

    BsConfig changed = SampleRecord(9);
    changed.RepeaterMode = -1;
    Report("BS-A", changed);
    ASSERT_EQ(RowTexts().size(), 1u);
    EXPECT_EQ(RowTexts()[0], expected);

    Report("BS-B", changed);  // negative and out-of-range values are shown unchanged
    changed.Channel = 500;
    Report("BS-C", changed);
    EXPECT_EQ(RowSerials(), (std::vector<std::string>{"BS-A", "BS-B", "BS-C"}));
    EXPECT_EQ(RowTexts()[1][5], L"-1");
    EXPECT_EQ(RowTexts()[2][2], L"500");
    EXPECT_EQ(bs::LiveReportBlocks(), 0);
}

TEST_F(BsIntake, SerialsEqualInTheirFirst28BytesAreOneStation) {
    const std::string prefix(28, 'K');
    Report(prefix + "-first", SampleRecord(1));
    Report(prefix + "-second", SampleRecord(2));
    Report(prefix.substr(0, 27) + "X", SampleRecord(3));  // differs in byte 28
    ASSERT_EQ(RowSerials().size(), 2u);
    EXPECT_EQ(RowSerials()[0], prefix + "-first");
    EXPECT_EQ(RowTexts()[0][1], L"1");
}

TEST_F(BsIntake, LongSerialIsShownAndAskedAboutWithin99Bytes) {
    Report(std::string(150, 'L'), SampleRecord(1));
    ASSERT_EQ(RowSerials().size(), 1u);
    EXPECT_EQ(RowSerials()[0], std::string(99, 'L'));
    ASSERT_TRUE(PassOnPollerThread());
    const auto calls = ServiceDouble::Calls("BmHalBsStatus");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].texts[0], std::string(99, 'L'));
}

TEST_F(BsIntake, PassWithEmptyListCallsNothing) {
    ASSERT_TRUE(PassOnPollerThread());
    EXPECT_EQ(ServiceDouble::CallCount("BmHalBsStatus"), 0u);
}

TEST_F(BsIntake, NeighbouringGoneRowsAreBothGoneWhenThePassReturns) {
    for (const char *s : {"S1", "S2", "S3", "S4", "S5"}) Report(s, SampleRecord(1));
    ServiceDouble::SetStatus("S2", 0);
    ServiceDouble::SetStatus("S3", 0);
    ServiceDouble::SetStatus("S5", 0);

    std::atomic<bool> done{false};
    std::vector<std::string> afterPass;
    std::thread poller([&] {
        PollBsPresence();
        done = true;
    });
    // The pass returns only once the UI thread has removed the rows.
    ASSERT_TRUE(testsupport::WaitFor([&] { return done.load(); }, 5000));
    poller.join();
    EXPECT_EQ(RowSerials(), (std::vector<std::string>{"S1", "S4"}));

    const auto calls = ServiceDouble::Calls("BmHalBsStatus");
    std::multiset<std::string> asked;
    for (const auto &call : calls) {
        asked.insert(call.texts[0]);
        EXPECT_NE(call.threadId, ::GetCurrentThreadId()) << "status asked on the UI thread";
    }
    EXPECT_EQ(asked, (std::multiset<std::string>{"S1", "S2", "S3", "S4", "S5"}));

    ServiceDouble::ClearCalls();
    ASSERT_TRUE(PassOnPollerThread());
    EXPECT_EQ(ServiceDouble::CallCount("BmHalBsStatus"), 2u);
}

TEST_F(BsIntake, StationThatComesBackIsListedAgainAtTheEnd) {
    for (const char *s : {"A", "B", "C"}) Report(s, SampleRecord(1));
    ServiceDouble::SetStatus("A", 0);
    ASSERT_TRUE(PassOnPollerThread());
    EXPECT_EQ(RowSerials(), (std::vector<std::string>{"B", "C"}));
    ServiceDouble::SetStatus("A", 1);
    Report("A", SampleRecord(42));
    EXPECT_EQ(RowSerials(), (std::vector<std::string>{"B", "C", "A"}));
    EXPECT_EQ(RowTexts()[2][1], L"42");
}

// Reports that arrive while a pass runs are handled after it: a station the pass found
// gone is listed anew at the end with the new report's settings; a listed one is
// unchanged; a new one is added.
TEST_F(BsIntake, ReportsArrivingDuringAPassAreHandledAfterIt) {
    for (const char *s : {"A", "B", "C"}) Report(s, SampleRecord(1));
    ServiceDouble::SetStatus("B", 0);
    std::atomic<bool> done{false};
    std::thread poller([&] {
        PollBsPresence();
        done = true;
    });
    // Without pumping, so that the reports queue up behind the pass.
    const bool asked = WaitWithoutPumping([] { return ServiceDouble::CallCount("BmHalBsStatus") == 3; });
    BsConfig newB = SampleRecord(77);
    BsConfig newA = SampleRecord(88);
    BsConfig newD = SampleRecord(99);
    ServiceDouble::InvokeReport("B", &newB);
    ServiceDouble::InvokeReport("A", &newA);
    ServiceDouble::InvokeReport("D", &newD);
    EXPECT_TRUE(testsupport::WaitFor([&] { return done.load(); }, 5000));
    poller.join();
    ASSERT_TRUE(asked);
    testsupport::WaitFor([] { return bs::LiveReportBlocks() == 0; }, 3000);
    EXPECT_EQ(RowSerials(), (std::vector<std::string>{"A", "C", "B", "D"}));
    EXPECT_EQ(RowTexts()[0][1], L"1");
    EXPECT_EQ(RowTexts()[2][1], L"77");
    EXPECT_EQ(bs::LiveReportBlocks(), 0);
}

TEST_F(BsIntake, RemoveSelectedWithoutAPushRemovesNothing) {
    for (const char *s : {"A", "B"}) Report(s, SampleRecord(1));
    List().SelectItem(1);
    ::SendMessageW(MainFrame().GetHWND(), WM_BS_REMOVE_SELECTED, 0, 0);
    EXPECT_EQ(RowSerials(), (std::vector<std::string>{"A", "B"}));
}

TEST_F(BsIntake, CallbackCopiesTheReportSoTheLibraryMayReuseItsBuffers) {
    char serial[32] = "BS-COPY";
    BsConfig record = SampleRecord(3);
    EXPECT_NE(ServiceDouble::InvokeReport(serial, &record), 0);
    std::strcpy(serial, "CHANGED");
    record.Version = 1234;
    ASSERT_TRUE(testsupport::WaitFor([] { return bs::LiveReportBlocks() == 0; }, 3000));
    EXPECT_EQ(RowSerials(), (std::vector<std::string>{"BS-COPY"}));
    EXPECT_EQ(RowTexts()[0][1], L"3");
}

// WM_BS_REPORT can come from any program: only a block the callback made and has not
// yet been handled is read and freed; anything else (a stray pointer, a block already
// handled) is ignored, or the console prints and frees whatever it was given.
TEST_F(BsIntake, ReportMessagesNotMadeByTheCallbackAreIgnored) {
    Report("BS-REAL", SampleRecord(1));
    char onStack[32] = "BS-FAKE";
    std::unique_ptr<BsReportBlock> foreign(new BsReportBlock{});
    std::strcpy(foreign->serial, "BS-FOREIGN");
    BsReportBlock *handled = bs::NewReportBlock("BS-ONCE", nullptr);
    ::SendMessageW(MainFrame().GetHWND(), WM_BS_REPORT, reinterpret_cast<WPARAM>(handled),
                   reinterpret_cast<LPARAM>(&handled->record));
    const long live = bs::LiveReportBlocks();

    const struct {
        WPARAM wParam;
        LPARAM lParam;
    } strays[] = {
        {0, 0},
        {1, 2},
        {0xDEADBEEF, -1},
        {reinterpret_cast<WPARAM>(onStack), reinterpret_cast<LPARAM>(onStack)},
        {reinterpret_cast<WPARAM>(foreign.get()), reinterpret_cast<LPARAM>(&foreign->record)},
        {reinterpret_cast<WPARAM>(handled), 0},  // handled (and freed) above
        {reinterpret_cast<WPARAM>(::GetModuleHandleW(nullptr)), 0},
    };
    for (const auto &stray : strays) {
        SCOPED_TRACE(stray.wParam);
        ::SendMessageW(MainFrame().GetHWND(), WM_BS_REPORT, stray.wParam, stray.lParam);
        EXPECT_EQ(RowSerials(), (std::vector<std::string>{"BS-REAL", "BS-ONCE"}));
        EXPECT_EQ(bs::LiveReportBlocks(), live);
    }
    EXPECT_STREQ(foreign->serial, "BS-FOREIGN");
}

// Column 0 reads back through two code pages; the duplicate test and the index must
// both use what it reads back, or a second report of a non-ASCII serial lists the
// station twice and the index loses track of the first row.
TEST_F(BsIntake, NonAsciiSerialIsOneStationAskedAboutAsItsRowReadsBack) {
    std::string serial, readBack;
    for (int byte = 0x80; byte <= 0xFF && serial.empty(); ++byte) {
        const std::string candidate = std::string("BS-") + static_cast<char>(byte);
        char out[100] = {};
        bs::WideToOem(bs::AnsiToWide(candidate.c_str()).c_str(), out, sizeof out);
        if (candidate != out && std::strchr(out, '?') == nullptr) {
            serial = candidate;
            readBack = out;
        }
    }
    ASSERT_FALSE(serial.empty()) << "ANSI and OEM code pages agree on every byte";

    const std::wstring shown = bs::AnsiToWide(serial.c_str());
    Report(serial, SampleRecord(1));
    Report(serial, SampleRecord(2));
    Report("BS-PLAIN", SampleRecord(3));
    ASSERT_EQ(RowTexts().size(), 2u);
    EXPECT_EQ(RowTexts()[0][0], shown);
    EXPECT_EQ(RowTexts()[0][1], L"1");

    ASSERT_TRUE(PassOnPollerThread());
    std::vector<std::string> asked;
    for (const auto &call : ServiceDouble::Calls("BmHalBsStatus")) asked.push_back(call.texts[0]);
    EXPECT_EQ(asked, (std::vector<std::string>{readBack, "BS-PLAIN"}));

    ServiceDouble::SetStatus(readBack, 0);
    ASSERT_TRUE(PassOnPollerThread());
    EXPECT_EQ(RowSerials(), (std::vector<std::string>{"BS-PLAIN"}));
    Report(serial, SampleRecord(4));
    ASSERT_EQ(RowTexts().size(), 2u);
    EXPECT_EQ(RowTexts()[1][0], shown);
}

// Without the acknowledgement event the pass cannot wait, but the rows it found gone
// must still be handed to the UI thread.
TEST_F(BsIntake, GoneRowsAreHandedOverEvenWithoutAnAcknowledgementEvent) {
    static UINT received = 0;
    struct Recorder {
        static LRESULT CALLBACK Proc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
            if (msg == WM_BS_GONE) ++received;
            return ::DefWindowProcW(hWnd, msg, wParam, lParam);
        }
    };
    WNDCLASSW wc = {};
    wc.lpfnWndProc = &Recorder::Proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"BsGoneRecorder";
    ::RegisterClassW(&wc);
    const HWND wnd =
        ::CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(wnd, nullptr);
    std::thread poller([wnd] { HandOverGoneRows(wnd, nullptr, 5000); });
    poller.join();
    EXPECT_TRUE(testsupport::WaitFor([] { return received == 1; }, 2000));
    ::DestroyWindow(wnd);
}
