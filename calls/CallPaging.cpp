#include "calls/CallPaging.h"

int g_callPageIndex = 0;

namespace {

// A failed fill keeps the buttons; at index 0 the previous-page button goes off, so that
// no click can ask for a page before the first.
PagingButtons KeepButtons(int pageIndex) {
    PagingButtons b;
    if (pageIndex <= 0) b.prev = false;
    return b;
}

}  // namespace

bool PagingStepAllowed(PagingBranch branch, int pageIndex) { return branch != PagingBranch::Prev || pageIndex > 0; }

PagingButtons RunPagingStep(PagingBranch branch, int &pageIndex, const CallPageFillFn &fill) {
    PagingButtons b;
    switch (branch) {
    case PagingBranch::Find: {
        const CallPageFill f = fill(0, kCallsWithLookAhead);
        if (!f.ok) return KeepButtons(pageIndex);
        pageIndex = 0;
        b.next = f.lookAhead;
        b.prev = false;
        return b;
    }
    case PagingBranch::Next: {
        pageIndex += 1;
        const CallPageFill f = fill(CallPageOffset(pageIndex), kCallsWithLookAhead);
        if (!f.ok) return KeepButtons(pageIndex);
        b.next = f.lookAhead;
        b.prev = true;
        return b;
    }
    case PagingBranch::Prev: {
        if (!PagingStepAllowed(branch, pageIndex)) {
            pageIndex = 0;
            return KeepButtons(pageIndex);
        }
        pageIndex -= 1;
        const CallPageFill f = fill(CallPageOffset(pageIndex), kCallsPerPage);
        if (!f.ok) return KeepButtons(pageIndex);
        b.next = true;
        b.prev = pageIndex != 0;
        return b;
    }
    }
    return b;
}

PagingButtons RunPageReload(int &pageIndex, const CallPageFillFn &fill) {
    CallPageFill f = fill(CallPageOffset(pageIndex), kCallsWithLookAhead);
    if (!f.ok) {
        if (pageIndex < 1) return KeepButtons(pageIndex);
        pageIndex -= 1;
        f = fill(CallPageOffset(pageIndex), kCallsWithLookAhead);
        if (!f.ok) return KeepButtons(pageIndex);
    }
    PagingButtons b;
    b.next = f.lookAhead;
    b.prev = pageIndex != 0;
    return b;
}
