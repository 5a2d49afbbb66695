// Dismisses this process's message boxes on a thread of its own, recording them, so that
// a modal box raised by the code under test never hangs a test.
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

// pid 0: any process; title null: any title.
HWND FindWindowOf(DWORD pid, const wchar_t *className, const wchar_t *title = nullptr, bool visibleOnly = false);
SeenBox ReadBox(HWND box);
void PressOk(HWND box);

class MessageBoxWatcher {
public:
    MessageBoxWatcher();
    ~MessageBoxWatcher();

    std::vector<SeenBox> Seen() const;
    size_t Count() const;
    bool WaitForCount(size_t n, unsigned timeoutMs = 5000) const;

private:
    mutable std::mutex m_mutex;
    std::vector<SeenBox> m_seen;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

}  // namespace testsupport
