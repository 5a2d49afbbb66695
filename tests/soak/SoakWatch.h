// The soak's watch on the console, on a thread of its own so that it keeps its rhythm
// whatever the operator is waiting for: at each interval it checks that the process is
// alive and that its main window answers a message within the time limit, and samples
// its figures. The first failure stops the watch and is kept.
#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tests/soak/ProcessSampler.h"

namespace soak {

class Watch {
public:
    Watch(HANDLE process, DWORD pid, HWND main, unsigned intervalMs, unsigned answerMs);
    ~Watch();  // stops the thread
    void Stop();

    bool Failed() const { return m_failed; }
    std::string Failure() const;
    std::vector<Sample> Samples() const;
    std::string Sources() const { return m_sampler.Sources(); }
    unsigned SlowestAnswerMs() const { return m_slowestMs; }

private:
    void Run();
    bool Ended(double seconds);
    void Fail(const std::string &why);

    HANDLE m_process;
    HWND m_main;
    unsigned m_intervalMs, m_answerMs;
    ProcessSampler m_sampler;
    HANDLE m_stop;
    std::atomic<bool> m_failed{false};
    std::atomic<unsigned> m_slowestMs{0};
    mutable std::mutex m_mutex;
    std::string m_failure;
    std::vector<Sample> m_samples;
    std::thread m_thread;
};

}  // namespace soak
