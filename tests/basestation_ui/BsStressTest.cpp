// 1,000 stations reporting and going quiet at random while the operator opens the dialog
// and applies, for a few seconds (the soak runs it for half an hour): a fault here
// crashes, leaks report blocks, lists a station twice, or lets a gone station's row
// outlive the pass that found it gone.
#include <gtest/gtest.h>

#include <atomic>
#include <random>
#include <set>
#include <thread>

#include "basestation/BsReportBlock.h"
#include "tests/basestation_ui/BsUiHarness.h"
#include "tests/support/WaitFor.h"

using namespace bstest;

TEST(BsStress, ThousandStationsComeAndGoWhileTheOperatorWorks) {
    ResetStations();
    std::atomic<bool> running{true};
    std::vector<std::atomic<bool>> alive(1000);
    for (auto &a : alive) a = true;
    auto serial = [](int i) { return "STRESS-" + std::to_string(1000 + i); };
    std::thread driver([&] {
        std::mt19937 rng(1);
        while (running) {
            const int i = static_cast<int>(rng() % alive.size()), action = static_cast<int>(rng() % 100);
            if (alive[i] && action < 85) {
                BsConfig r = SampleRecord(i);
                sd::InvokeReport(serial(i).c_str(), &r);
            } else if (alive[i]) {  // quiet from now on: no report of it is on its way
                testsupport::WaitFor([] { return bs::LiveReportBlocks() == 0; }, 2000);
                alive[i] = false;
                sd::Double()->status[serial(i)] = 0;
            } else if (action < 20) {
                sd::Double()->status[serial(i)] = alive[i] = true;
            }
        }
    });
    // The operator between passes of the poller; after each pass no station it found
    // gone is still listed.
    std::mt19937 rng(2);
    std::vector<std::string> stale;
    int passes = 0;
    for (const DWORD start = ::GetTickCount(); ::GetTickCount() - start < 3000; ++passes) {
        for (int step = 0; step < 20; ++step) {
            const int rows = List().GetCount(), action = static_cast<int>(rng() % 100);
            if (rows > 0 && action < 10) {
                List().SelectItem(static_cast<int>(rng() % rows));
                MainFrame().PaintManager().SendNotify(&List(), DUI_MSGTYPE_DBCLICK);
            } else if (action < 14 && DialogVisible()) {
                testsupport::ClickControl(Dialog().GetHWND(), DialogControl(action < 12 ? L"SetButton" : L"closebtn"));
            }
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 2, QS_ALLINPUT);
            testsupport::PumpPending();
        }
        sd::Double()->calls.clear();
        ASSERT_TRUE(PassOnPollerThread());
        std::set<std::string> gone;
        for (const auto &call : sd::Calls("BmHalBsStatus"))
            if (call.result == 0) gone.insert(call.texts[0]);
        for (const std::string &s : RowSerials())
            if (gone.count(s) && !alive[std::stoi(s.substr(7)) - 1000]) stale.push_back(s);
    }
    running = false;
    driver.join();
    EXPECT_EQ(stale, std::vector<std::string>{}) << "gone rows that outlived their pass";
    EXPECT_GT(passes, 1);
    // After a pass every row is a station that answers, listed once; when all go quiet
    // one pass empties the list and no report block is left.
    ASSERT_TRUE(PassOnPollerThread());
    std::set<std::string> listed;
    for (const std::string &s : RowSerials()) {
        EXPECT_TRUE(listed.insert(s).second) << "listed twice: " << s;
        EXPECT_TRUE(alive[std::stoi(s.substr(7)) - 1000]) << s << " is quiet but listed";
    }
    sd::Double()->defaultStatus = 0;
    sd::Double()->status.clear();
    ASSERT_TRUE(PassOnPollerThread());
    EXPECT_EQ(List().GetCount(), 0);
    EXPECT_EQ(bs::LiveReportBlocks(), 0);
    std::printf("stress: %d passes, %zu rows before the end\n", passes, listed.size());
}
