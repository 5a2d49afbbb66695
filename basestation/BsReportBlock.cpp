#include "basestation/BsReportBlock.h"

#include <atomic>
#include <cstring>
#include <new>

namespace bs {

namespace {
std::atomic<long> g_liveBlocks{0};
}

BsReportBlock *NewReportBlock(const char *serial, const BsConfig *record) {
    BsReportBlock *block = new (std::nothrow) BsReportBlock;
    if (!block) return nullptr;
    CopyBounded(block->serial, sizeof block->serial, serial);
    if (record)
        std::memcpy(&block->record, record, sizeof block->record);
    else
        std::memset(&block->record, 0, sizeof block->record);
    ++g_liveBlocks;
    return block;
}

void FreeReportBlock(BsReportBlock *block) {
    if (!block) return;
    --g_liveBlocks;
    delete block;
}

BsReportBlock *ReportBlockFromMessage(WPARAM wParam) { return reinterpret_cast<BsReportBlock *>(wParam); }

long LiveReportBlocks() { return g_liveBlocks.load(); }

}  // namespace bs
