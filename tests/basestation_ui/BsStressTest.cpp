// 1,000 stations reporting and dropping out at random while the operator selects rows,
// opens the dialog and applies: a fault here crashes, leaks report blocks or rows, lists
// a station twice, or lets a gone station's row outlive the pass that found it gone.
#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <map>
#include <mutex>
#include <random>
#include <set>
#include <thread>

#include "basestation/BsListRows.h"
#include "basestation/BsReportBlock.h"
#include "basestation/BsText.h"
#include "tests/basestation_ui/BsUiHarness.h"
#include "tests/double/ServiceDouble.h"
#include "tests/support/WaitFor.h"

using namespace bstest;
using servicedouble::ServiceDouble;

namespace {

const int kStations = 1000;
const DWORD kRunMs = 10000;      // the soak runs this for half an hour
const DWORD kGoneHoldMs = 3000;  // a station that went quiet stays quiet this long
const unsigned kSeed = 20240601;

std::string StationSerial(int i) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "STRESS-%04d", i);
    return buf;
}

// Handed from the poller to the UI thread after each pass: the serials the pass found
// gone, checked against the rows before the next pass may begin.
struct PassCheck {
    std::mutex mutex;
    std::condition_variable cv;
    std::set<std::string> gone;
    bool pending = false;
    bool stop = false;
};

}  // namespace

TEST(BsStress, ThousandStationsComeAndGoWhileTheOperatorWorks) {
    ResetStations();
    std::atomic<bool> running{true};
    PassCheck check;
    std::atomic<int> passes{0};

    // Stations: status scripted by the driver; alive ones report again and again.
    std::vector<std::atomic<bool>> alive(kStations);
    std::vector<DWORD> goneSince(kStations, 0);
    for (auto &a : alive) a = true;

    std::thread driver([&] {
        std::mt19937 rng(kSeed);
        while (running) {
            const int i = static_cast<int>(rng() % kStations);
            const unsigned action = rng() % 100;
            if (alive[i] && action < 80) {
                BsConfig r = SampleRecord(i);
                ServiceDouble::InvokeReport(StationSerial(i).c_str(), &r);
            } else if (alive[i] && action < 90) {
                // Quiet from now on: no report of it is still on its way.
                testsupport::WaitFor([] { return bs::LiveReportBlocks() == 0; }, 2000);
                alive[i] = false;
                goneSince[i] = ::GetTickCount();
                ServiceDouble::SetStatus(StationSerial(i), 0);
            } else if (!alive[i] && ::GetTickCount() - goneSince[i] > kGoneHoldMs) {
                ServiceDouble::SetStatus(StationSerial(i), 1);
                alive[i] = true;
            }
            if (action % 16 == 0) ::Sleep(1);
        }
    });

    std::thread poller([&] {
        while (running) {
            ServiceDouble::ClearCalls();
            PollBsPresence();
            std::set<std::string> gone;
            for (const auto &call : ServiceDouble::Calls("BmHalBsStatus"))
                if (call.result == 0) gone.insert(call.texts[0]);
            ++passes;
            std::unique_lock<std::mutex> lock(check.mutex);
            check.gone = std::move(gone);
            check.pending = true;
            check.cv.wait_for(lock, std::chrono::seconds(10), [&] { return !check.pending || check.stop; });
            if (check.stop) return;
            check.cv.wait_for(lock, std::chrono::milliseconds(50), [&] { return check.stop; });
        }
    });

    std::mt19937 rng(kSeed + 1);
    std::vector<std::string> stale;  // gone stations whose rows outlived their pass
    size_t duplicates = 0;
    int applies = 0, opens = 0;
    const DWORD start = ::GetTickCount();
    CControlUI *setButton = DialogControl(L"SetButton");
    while (::GetTickCount() - start < kRunMs) {
        testsupport::PumpPending();
        {
            std::lock_guard<std::mutex> lock(check.mutex);
            if (check.pending) {
                for (const std::string &serial : RowSerials())
                    if (check.gone.count(serial)) stale.push_back(serial);
                check.pending = false;
                check.cv.notify_all();
            }
        }
        const int rows = List().GetCount();
        const unsigned action = rng() % 100;
        if (rows > 0 && action < 30) {
            List().SelectItem(static_cast<int>(rng() % rows));
        } else if (rows > 0 && action < 38) {
            List().SelectItem(static_cast<int>(rng() % rows));
            MainFrame().PaintManager().SendNotify(List().GetItemAt(List().GetCurSel()), DUI_MSGTYPE_DBCLICK);
            ++opens;
        } else if (action < 41 && DialogVisible()) {
            testsupport::ClickControl(Dialog().GetHWND(), setButton);  // row values always pass the checks
            ++applies;
        } else if (action < 43 && DialogVisible()) {
            testsupport::ClickControl(Dialog().GetHWND(), DialogControl(L"closebtn"));
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 2, QS_ALLINPUT);
        std::set<std::string> seen;
        if (action == 99) {
            for (const std::string &serial : RowSerials())
                if (!seen.insert(bs::SerialKey(serial.c_str())).second) ++duplicates;
        }
    }

    running = false;
    driver.join();
    {
        std::lock_guard<std::mutex> lock(check.mutex);
        check.stop = true;
        check.cv.notify_all();
    }
    // The poller may be waiting for the UI thread to remove rows: keep pumping.
    std::atomic<bool> pollerDone{false};
    std::thread joiner([&] {
        poller.join();
        pollerDone = true;
    });
    EXPECT_TRUE(testsupport::WaitFor([&] { return pollerDone.load(); }, 15000));
    joiner.join();
    testsupport::WaitFor([] { return bs::LiveReportBlocks() == 0; }, 3000);

    EXPECT_TRUE(stale.empty()) << stale.size() << " gone rows outlived their pass, first "
                               << (stale.empty() ? "" : stale[0]);
    EXPECT_EQ(duplicates, 0u);
    // Enough of each to have met the others (scaled to the run's length, with room for a
    // loaded machine).
    EXPECT_GT(passes.load(), 4);
    EXPECT_GT(opens, 1);
    EXPECT_GT(applies, 0);

    // Rows against stations: every row is a station that answers, each once.
    ServiceDouble::ClearCalls();
    ASSERT_TRUE(PassOnPollerThread());
    std::set<std::string> listed;
    for (const std::string &serial : RowSerials()) {
        EXPECT_TRUE(listed.insert(serial).second) << "listed twice: " << serial;
        const int i = std::atoi(serial.c_str() + 7);
        EXPECT_TRUE(alive[i]) << serial << " is quiet but listed";
    }
    size_t answering = 0;
    for (const auto &call : ServiceDouble::Calls("BmHalBsStatus")) answering += call.result != 0;
    EXPECT_EQ(answering, listed.size()) << "rows against stations that answer";

    // Everyone goes quiet: one pass empties the list; no report block is left behind.
    ServiceDouble::SetDefaultStatus(0);
    for (int i = 0; i < kStations; ++i) ServiceDouble::SetStatus(StationSerial(i), 0);
    ASSERT_TRUE(PassOnPollerThread());
    EXPECT_EQ(List().GetCount(), 0);
    EXPECT_EQ(bs::LiveReportBlocks(), 0);
    std::printf("stress: %d passes, %d dialog opens, %d applies, %zu rows before the end\n", passes.load(), opens,
                applies, listed.size());
}
