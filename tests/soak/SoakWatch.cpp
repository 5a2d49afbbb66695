#include "tests/soak/SoakWatch.h"

#include <algorithm>
#include <cstdio>

namespace soak {

Watch::Watch(HANDLE process, DWORD pid, HWND main, unsigned intervalMs, unsigned answerMs)
    : m_process(process), m_main(main), m_intervalMs(intervalMs), m_answerMs(answerMs), m_sampler(process, pid),
      m_stop(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    m_thread = std::thread([this] { Run(); });
}

Watch::~Watch() {
    Stop();
    ::CloseHandle(m_stop);
}

void Watch::Stop() {
    ::SetEvent(m_stop);
    if (m_thread.joinable()) m_thread.join();
}

void Watch::Fail(const std::string &why) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_failure = why;
    m_failed = true;
}

std::string Watch::Failure() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_failure;
}

std::vector<Sample> Watch::Samples() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_samples;
}

// True, with the failure kept, when the process has ended.
bool Watch::Ended(double seconds) {
    if (::WaitForSingleObject(m_process, 0) != WAIT_OBJECT_0) return false;
    DWORD code = 0;
    ::GetExitCodeProcess(m_process, &code);
    char text[96];
    snprintf(text, sizeof text, "the console ended at %.0f s with exit code 0x%08lX", seconds,
             static_cast<unsigned long>(code));
    Fail(text);
    return true;
}

void Watch::Run() {
    do {
        const Sample sample = m_sampler.Take();
        if (Ended(sample.seconds)) return;
        DWORD_PTR result = 0;
        const DWORD asked = ::GetTickCount();
        if (!::SendMessageTimeoutW(m_main, WM_NULL, 0, 0, SMTO_NORMAL, m_answerMs, &result)) {
            const DWORD error = ::GetLastError();
            if (Ended(sample.seconds)) return;
            char text[128];
            snprintf(text, sizeof text, "the main window did not answer within %u ms at %.0f s (error %lu)", m_answerMs,
                     sample.seconds, error);
            Fail(text);
            return;
        }
        m_slowestMs = std::max<unsigned>(m_slowestMs, ::GetTickCount() - asked);
        std::lock_guard<std::mutex> lock(m_mutex);
        m_samples.push_back(sample);
    } while (::WaitForSingleObject(m_stop, m_intervalMs) == WAIT_TIMEOUT);
}

}  // namespace soak
