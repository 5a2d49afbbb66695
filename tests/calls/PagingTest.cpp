// Paging rules over a fake store of N records: a fault here shows the wrong page, asks
// the service for the wrong window, or leaves a paging button in the wrong state.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "calls/CallPaging.h"

namespace {

// A store of `records` records; `failing` queries (by call number) fail outright.
struct FakeStore {
    int records = 0;
    std::vector<int> failing;
    std::vector<std::pair<int, int>> asked;  // (offset, count) per query

    CallPageFillFn Fill() {
        return [this](int offset, int count) {
            asked.push_back({offset, count});
            CallPageFill f;
            for (int n : failing)
                if (n == static_cast<int>(asked.size())) return f;
            const int available = offset < 0 ? 0 : records - offset;
            if (available <= 0) return f;
            const int delivered = available < count ? available : count;
            f.ok = true;
            f.rows = delivered < kCallsPerPage ? delivered : kCallsPerPage;
            f.lookAhead = delivered > kCallsPerPage;
            return f;
        };
    }
};

// Button state as the page holds it: the step's update applied to the previous state.
struct Buttons {
    bool next = false;
    bool prev = false;
    void Apply(const PagingButtons &b) {
        if (b.next) next = *b.next;
        if (b.prev) prev = *b.prev;
    }
};

struct Step {
    PagingBranch branch;
    int index;    // after the step
    bool next;
    bool prev;
    std::pair<int, int> asked;  // last query; {-99, -99}: none
};

void RunSteps(FakeStore &store, const std::vector<Step> &steps, int line) {
    int index = 0;
    Buttons buttons;
    int i = 0;
    for (const Step &s : steps) {
        const size_t before = store.asked.size();
        buttons.Apply(RunPagingStep(s.branch, index, store.Fill()));
        SCOPED_TRACE(testing::Message() << "table at line " << line << ", step " << i++);
        EXPECT_EQ(s.index, index);
        EXPECT_EQ(s.next, buttons.next);
        EXPECT_EQ(s.prev, buttons.prev);
        if (s.asked.first == -99) {
            EXPECT_EQ(before, store.asked.size());
        } else {
            ASSERT_LT(before, store.asked.size());
            EXPECT_EQ(s.asked, store.asked.back());
        }
    }
}

const PagingBranch F = PagingBranch::Find;
const PagingBranch N = PagingBranch::Next;
const PagingBranch P = PagingBranch::Prev;

TEST(Paging, FailedQueriesKeepButtonsAndMoveTheIndexAsTheBranchSays) {
    {   // find fails: nothing changes
        FakeStore s{33, {3}, {}};
        RunSteps(s, {{F, 0, true, false, {0, 17}},
                     {N, 1, true, true, {16, 17}},
                     {F, 1, true, true, {0, 17}}}, __LINE__);
    }
    {   // next fails: the index has moved on, buttons as before
        FakeStore s{33, {2}, {}};
        RunSteps(s, {{F, 0, true, false, {0, 17}},
                     {N, 1, true, false, {16, 17}}}, __LINE__);
    }
    {   // previous fails at index 2: index 1, buttons as before
        FakeStore s{40, {4}, {}};
        RunSteps(s, {{F, 0, true, false, {0, 17}},
                     {N, 1, true, true, {16, 17}},
                     {N, 2, false, true, {32, 17}},
                     {P, 1, false, true, {16, 16}}}, __LINE__);
    }
}

TEST(Paging, PreviousPageNeverGoesBelowTheFirstPage) {
    // A failed previous-page query at index 1 lands on index 0: the button goes off, and a
    // further previous-page step asks for nothing.
    FakeStore s{33, {3}, {}};
    RunSteps(s, {{F, 0, true, false, {0, 17}},
                 {N, 1, true, true, {16, 17}},
                 {P, 0, true, false, {0, 16}},
                 {P, 0, true, false, {-99, -99}}}, __LINE__);
    EXPECT_FALSE(PagingStepAllowed(PagingBranch::Prev, 0));
    EXPECT_TRUE(PagingStepAllowed(PagingBranch::Prev, 1));
    EXPECT_TRUE(PagingStepAllowed(PagingBranch::Find, 0));
    EXPECT_TRUE(PagingStepAllowed(PagingBranch::Next, 0));
}

struct ReloadCase {
    int records;      // after the delete
    int index;        // before the reload
    std::vector<int> failing;
    int indexAfter;
    std::optional<bool> next, prev;
    std::vector<std::pair<int, int>> asked;
};

TEST(Paging, ReloadAfterDelete) {
    const ReloadCase cases[] = {
        // page 0 of 32 left: 16 rows and more after them
        {32, 0, {}, 0, true, false, {{0, 17}}},
        // page 0 of 16 left: the last page now
        {16, 0, {}, 0, false, false, {{0, 17}}},
        // the only row of page 2 went: page 1 is shown
        {32, 2, {}, 1, false, true, {{32, 17}, {16, 17}}},
        // the only row of page 1 went: page 0 is shown, previous off
        {16, 1, {}, 0, false, false, {{16, 17}, {0, 17}}},
        // the only record of the range went: nothing to show, buttons kept
        {0, 0, {}, 0, std::nullopt, false, {{0, 17}}},
        // both pages fail at index 1: index 0, and the previous button goes off there
        {16, 1, {1, 2}, 0, std::nullopt, false, {{16, 17}, {0, 17}}},
        // both pages fail at index 3: index 2, buttons kept
        {16, 3, {1, 2}, 2, std::nullopt, std::nullopt, {{48, 17}, {32, 17}}},
    };
    for (const ReloadCase &c : cases) {
        FakeStore s{c.records, c.failing, {}};
        int index = c.index;
        const PagingButtons b = RunPageReload(index, s.Fill());
        SCOPED_TRACE(testing::Message() << c.records << " records, index " << c.index);
        EXPECT_EQ(c.indexAfter, index);
        EXPECT_EQ(c.next, b.next);
        EXPECT_EQ(c.prev, b.prev);
        EXPECT_EQ(c.asked, s.asked);
    }
}

}  // namespace
