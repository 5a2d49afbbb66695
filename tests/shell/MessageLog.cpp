#include "tests/shell/MessageLog.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

namespace shelltest {

namespace {
MessageLog *g_activeLog = nullptr;

std::string Describe(const std::vector<MsgEntry> &entries) {
    std::ostringstream out;
    for (const MsgEntry &e : entries) {
        char line[96];
        std::snprintf(line, sizeof line, "  {0x%04x, %lu, %ld%s%s}\n", e.message, static_cast<unsigned long>(e.wParam),
                      static_cast<long>(e.lParam), (e.flags & kAnyParams) ? ", any" : "",
                      (e.flags & kOptional) ? ", optional" : "");
        out << line;
    }
    return entries.empty() ? "  (none)\n" : out.str();
}

bool Matches(const MsgEntry &expected, const MsgEntry &actual) {
    if (expected.message != actual.message) return false;
    if (expected.flags & kAnyParams) return true;
    return expected.wParam == actual.wParam && expected.lParam == actual.lParam;
}
}  // namespace

MessageLog::MessageLog(HWND window, std::set<UINT> messages) : m_window(window), m_messages(std::move(messages)) {
    g_activeLog = this;
    m_hook = ::SetWindowsHookExW(WH_CALLWNDPROC, Hook, nullptr, ::GetCurrentThreadId());
}

MessageLog::~MessageLog() {
    if (m_hook != nullptr) ::UnhookWindowsHookEx(m_hook);
    g_activeLog = nullptr;
}

LRESULT CALLBACK MessageLog::Hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && g_activeLog != nullptr) {
        const CWPSTRUCT *cwp = reinterpret_cast<const CWPSTRUCT *>(lParam);
        if (cwp->hwnd == g_activeLog->m_window && g_activeLog->m_messages.count(cwp->message)) {
            g_activeLog->m_entries.push_back({cwp->message, cwp->wParam, cwp->lParam, kExact});
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

void ExpectSequence(const MessageLog &log, const std::vector<MsgEntry> &expected, const char *file, int line) {
    const std::vector<MsgEntry> actual = log.Entries();
    size_t a = 0;
    bool ok = true;
    for (const MsgEntry &e : expected) {
        if (a < actual.size() && Matches(e, actual[a])) {
            ++a;
        } else if (!(e.flags & kOptional)) {
            ok = false;
            break;
        }
    }
    if (ok && a == actual.size()) return;
    ADD_FAILURE_AT(file, line) << "message sequence differs\nexpected:\n"
                               << Describe(expected) << "actual:\n"
                               << Describe(actual);
}

}  // namespace shelltest
