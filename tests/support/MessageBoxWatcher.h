// Watches for message boxes on a thread of its own and dismisses them, recording their
// caption and text, so that a modal box raised by the code under test never hangs a test.
#pragma once

#include <mutex>
#include <string>
#include <thread>
#include <vector>
#include <atomic>

namespace testsupport {

struct SeenBox {
    std::wstring caption;
    std::wstring text;
};

class MessageBoxWatcher {
public:
    MessageBoxWatcher();   // starts watching
    ~MessageBoxWatcher();  // stops watching

    std::vector<SeenBox> Seen() const;
    size_t Count() const;
    // Waits (pumping this thread's messages) until at least n boxes were dismissed.
    bool WaitForCount(size_t n, unsigned timeoutMs = 5000) const;

private:
    void Run();
    mutable std::mutex m_mutex;
    std::vector<SeenBox> m_seen;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

}  // namespace testsupport
