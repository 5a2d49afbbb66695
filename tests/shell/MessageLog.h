// Message-sequence checks for window tests: records the messages of interest that are
// sent to the watched windows of this thread (a WH_CALLWNDPROC hook) and compares them
// with an expected table. On a mismatch both tables are printed at the caller's line.
#pragma once

#include <windows.h>

#include <set>
#include <vector>

namespace shelltest {

enum MsgFlags : unsigned {
    kExact = 0,
    kAnyParams = 1,  // wParam and lParam not compared
    kOptional = 2,   // may be missing from the actual sequence
};

struct MsgEntry {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    unsigned flags;
};

class MessageLog {
public:
    // Records messages in `messages` sent to `window` (one log per thread at a time).
    MessageLog(HWND window, std::set<UINT> messages);
    ~MessageLog();
    MessageLog(const MessageLog &) = delete;
    MessageLog &operator=(const MessageLog &) = delete;

    std::vector<MsgEntry> Entries() const { return m_entries; }
    void Clear() { m_entries.clear(); }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    HWND m_window;
    std::set<UINT> m_messages;
    std::vector<MsgEntry> m_entries;
    HHOOK m_hook = nullptr;
};

// Fails (at file:line) unless the log's entries match `expected` in order, optional
// entries allowed to be missing.
void ExpectSequence(const MessageLog &log, const std::vector<MsgEntry> &expected, const char *file, int line);

}  // namespace shelltest

#define EXPECT_SEQUENCE(log, ...)                                                                                      \
    ::shelltest::ExpectSequence((log), std::vector<::shelltest::MsgEntry>(__VA_ARGS__), __FILE__, __LINE__)
