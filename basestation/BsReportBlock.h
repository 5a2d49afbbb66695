// The block a station report travels in, from the service library's callback thread to
// the UI thread: the serial (at most 99 bytes, always terminated) and the 56-byte record,
// copied at once so that the library's buffers may change after the callback returns.
// WM_BS_REPORT carries wParam = the block (its serial), lParam = its record; whoever
// ends the message's life frees the block: the handler, or the callback when posting
// fails. Any program can post WM_BS_REPORT, so the handler accepts only a block that is
// still in flight (made here, not yet taken or freed) and ignores every other value.
#pragma once

#include <windows.h>

#include "service/BsConfig.h"
#include "basestation/BsText.h"

struct BsReportBlock {
    char serial[bs::kTextBufferBytes];
    BsConfig record;
};

namespace bs {

// A new block in flight with copies of serial and record (a null record copies as
// zeros); null when memory is short.
BsReportBlock *NewReportBlock(const char *serial, const BsConfig *record);
// Frees a block, in flight or taken; null is ignored.
void FreeReportBlock(BsReportBlock *block);
// The block in flight that WM_BS_REPORT's wParam names, handed to the caller (who frees
// it); null for any other value, and for a block already taken.
BsReportBlock *TakeReportBlock(WPARAM wParam);
// Blocks allocated and not yet freed (for leak checks).
long LiveReportBlocks();

}  // namespace bs
