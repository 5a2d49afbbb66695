// Paging of the call-record page: the page index, the query window of each paging step
// and the states of the previous/next-page buttons afterwards. Platform-free: the page
// fill is handed in as a function, so the rules run without a window.
// A page holds 16 rows; page p starts at record offset p * 16. A query asks for 17
// records when it must know whether a further page exists (the 17th is the look-ahead
// record, never shown), else for 16.
#pragma once

#include <functional>
#include <optional>

const int kCallsPerPage = 16;
const int kCallsWithLookAhead = kCallsPerPage + 1;

// The page on show, zero-based; 0 at process start. UI thread only.
extern int g_callPageIndex;

// Record offset of the first record of page `page`.
inline int CallPageOffset(int page) { return page * kCallsPerPage; }

// Outcome of one page fill.
struct CallPageFill {
    bool ok = false;         // false: the query gave nothing, no row was added
    int rows = 0;            // rows shown, 1..16 when ok
    bool lookAhead = false;  // a record exists beyond the rows shown
};

// Fills the page from (offset, count); the caller has emptied the list.
using CallPageFillFn = std::function<CallPageFill(int offset, int count)>;

// What a step does to the two paging buttons; an empty field keeps the button's state.
// The next-page button is set before the previous-page button.
struct PagingButtons {
    std::optional<bool> next;
    std::optional<bool> prev;
};

enum class PagingBranch { Find, Next, Prev };

// Whether `branch` may run at `pageIndex`: the previous-page step needs a page before.
bool PagingStepAllowed(PagingBranch branch, int pageIndex);

// Runs a paging step (find, next page, previous page) on pageIndex with fill.
// Find sets the index to 0 only after a successful fill; next and previous move it
// before the query. A failed fill keeps the buttons, except that the previous-page button
// is never left enabled at index 0.
PagingButtons RunPagingStep(PagingBranch branch, int &pageIndex, const CallPageFillFn &fill);

// Re-reads the page on show after a delete: the same page, or the one before when it came
// back empty; the buttons follow the fill that succeeded.
PagingButtons RunPageReload(int &pageIndex, const CallPageFillFn &fill);
