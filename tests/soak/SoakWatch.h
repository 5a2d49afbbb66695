// The soak's watch on the console, on a thread of its own so that it keeps its rhythm
// whatever the operator waits for: at each interval the process must be alive and its
// main window must answer within the limit; then its figures are sampled. The first
// failure stops the watch. Figures are kilobytes or counts, -1 where the platform gives
// none (under Wine GetProcessHandleCount answers 0: handles come from the system's list).
#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace soak {

enum Figure { kPrivateKb, kVirtualKb, kHandles, kThreads, kFigureCount };
extern const char *const kFigureNames[kFigureCount];

struct Sample {
    double seconds = 0;  // since the watch began
    long long value[kFigureCount] = {-1, -1, -1, -1};
};

class Watch {
public:
    Watch(HANDLE process, DWORD pid, HWND main, unsigned intervalMs, unsigned answerMs);
    ~Watch() { Stop(); }
    void Stop();
    std::string Failure() const;  // empty while none
    std::vector<Sample> Samples() const;

private:
    void Run();
    Sample Take() const;

    HANDLE m_process;
    DWORD m_pid;
    HWND m_main;
    unsigned m_intervalMs, m_answerMs;
    DWORD m_start = ::GetTickCount();
    std::atomic<bool> m_stop{false};
    mutable std::mutex m_mutex;
    std::string m_failure;
    std::vector<Sample> m_samples;
    std::thread m_thread;
};

}  // namespace soak
