#include "tests/support/MessageBoxWatcher.h"
#include "tests/support/WaitFor.h"

#include <windows.h>

namespace testsupport {
namespace {

struct Search {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindDialog(HWND hwnd, LPARAM lp) {
    auto *s = reinterpret_cast<Search *>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != s->pid || !IsWindowVisible(hwnd)) return TRUE;
    wchar_t cls[64] = {};
    GetClassNameW(hwnd, cls, 64);
    if (lstrcmpW(cls, L"#32770") == 0) {
        s->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

std::wstring WindowText(HWND hwnd) {
    wchar_t buf[1024] = {};
    GetWindowTextW(hwnd, buf, 1024);
    return buf;
}

BOOL CALLBACK FindStatic(HWND child, LPARAM lp) {
    wchar_t cls[64] = {};
    GetClassNameW(child, cls, 64);
    if (lstrcmpiW(cls, L"Static") == 0 && GetWindowTextLengthW(child) > 0) {
        *reinterpret_cast<std::wstring *>(lp) = WindowText(child);
        return FALSE;
    }
    return TRUE;
}

}  // namespace

MessageBoxWatcher::MessageBoxWatcher() : m_thread([this] { Run(); }) {}

MessageBoxWatcher::~MessageBoxWatcher() {
    m_stop = true;
    m_thread.join();
}

void MessageBoxWatcher::Run() {
    while (!m_stop) {
        Search s{GetCurrentProcessId(), nullptr};
        EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&s));
        if (s.found) {
            SeenBox box;
            box.caption = WindowText(s.found);
            EnumChildWindows(s.found, FindStatic, reinterpret_cast<LPARAM>(&box.text));
            {
                // Recorded before it is dismissed: the box's caller may return at once.
                std::lock_guard<std::mutex> lock(m_mutex);
                m_seen.push_back(box);
            }
            PostMessageW(s.found, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            // Wait until this box is gone so it is recorded once.
            for (int i = 0; i < 500 && IsWindow(s.found) && IsWindowVisible(s.found); ++i) Sleep(10);
        }
        Sleep(10);
    }
}

std::vector<SeenBox> MessageBoxWatcher::Seen() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_seen;
}

size_t MessageBoxWatcher::Count() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_seen.size();
}

bool MessageBoxWatcher::WaitForCount(size_t n, unsigned timeoutMs) const {
    return WaitFor([&] { return Count() >= n; }, timeoutMs);
}

}  // namespace testsupport
