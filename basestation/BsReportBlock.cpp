#include "basestation/BsReportBlock.h"

#include <atomic>
#include <cstring>
#include <mutex>
#include <new>
#include <unordered_set>

namespace bs {

namespace {

std::atomic<long> g_liveBlocks{0};

// Blocks posted and not yet taken: the only wParam values WM_BS_REPORT accepts.
std::mutex g_inFlightMutex;
std::unordered_set<const void *> g_inFlight;

}  // namespace

BsReportBlock *NewReportBlock(const char *serial, const BsConfig *record) {
    BsReportBlock *block = new (std::nothrow) BsReportBlock;
    if (!block) return nullptr;
    CopyBounded(block->serial, sizeof block->serial, serial);
    if (record)
        std::memcpy(&block->record, record, sizeof block->record);
    else
        std::memset(&block->record, 0, sizeof block->record);
    try {
        std::lock_guard<std::mutex> hold(g_inFlightMutex);
        g_inFlight.insert(block);
    } catch (...) {
        delete block;
        return nullptr;
    }
    ++g_liveBlocks;
    return block;
}

void FreeReportBlock(BsReportBlock *block) {
    if (!block) return;
    {
        std::lock_guard<std::mutex> hold(g_inFlightMutex);
        g_inFlight.erase(block);
    }
    --g_liveBlocks;
    delete block;
}

BsReportBlock *TakeReportBlock(WPARAM wParam) {
    const void *candidate = reinterpret_cast<const void *>(wParam);
    std::lock_guard<std::mutex> hold(g_inFlightMutex);
    if (g_inFlight.erase(candidate) == 0) return nullptr;
    return reinterpret_cast<BsReportBlock *>(wParam);
}

long LiveReportBlocks() { return g_liveBlocks.load(); }

}  // namespace bs
