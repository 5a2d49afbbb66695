// Report blocks are made on the library's threads and taken on the UI thread: a fault
// here loses a report, or frees one twice, when these happen at once.
#include <deque>
#include <mutex>
#include <thread>

#include <gtest/gtest.h>

#include "basestation/BsReportBlock.h"

TEST(BsReportBlock, MadeOnTwoThreadsAndTakenOnAThird) {
    const int kBlocks = 100000;  // per thread
    std::mutex handOver;
    std::deque<BsReportBlock *> posted;
    auto library = [&] {
        for (int i = 0; i < kBlocks; ++i) {
            BsReportBlock *block = bs::NewReportBlock("BS", nullptr);
            std::lock_guard<std::mutex> hold(handOver);
            posted.push_back(block);
        }
    };
    std::thread first(library), second(library);
    int taken = 0;
    for (int handled = 0; handled < 2 * kBlocks;) {
        std::unique_lock<std::mutex> hold(handOver);
        if (posted.empty()) continue;
        BsReportBlock *block = posted.back();  // the newest: where the makers insert
        posted.pop_back();
        hold.unlock();
        ++handled;
        BsReportBlock *mine = bs::TakeReportBlock(reinterpret_cast<WPARAM>(block));
        taken += mine == block;
        bs::FreeReportBlock(mine);
    }
    first.join();
    second.join();
    EXPECT_EQ(taken, 2 * kBlocks);
    EXPECT_EQ(bs::LiveReportBlocks(), 0);
}
