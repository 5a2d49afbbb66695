// Message boxes and windows of a process, found by class: a watcher that dismisses the
// boxes of this process on a thread of its own (recording caption and text), so that a
// modal box raised by the code under test never hangs a test.
#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testsupport {

struct SeenBox {
    std::wstring caption;
    std::wstring text;
};

// A top-level window of process pid (0: any) with the class (and title, unless null);
// visibleOnly: a visible one. Null when none.
HWND FindWindowOf(DWORD pid, const wchar_t *className, const wchar_t *title = nullptr, bool visibleOnly = false);
// A message box's caption and text.
SeenBox ReadBox(HWND box);
void PressOk(HWND box);

class MessageBoxWatcher {
public:
    MessageBoxWatcher();   // starts watching
    ~MessageBoxWatcher();  // stops watching

    std::vector<SeenBox> Seen() const;
    size_t Count() const;
    // Waits (pumping this thread's messages) until at least n boxes were dismissed.
    bool WaitForCount(size_t n, unsigned timeoutMs = 5000) const;

private:
    mutable std::mutex m_mutex;
    std::vector<SeenBox> m_seen;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

}  // namespace testsupport
