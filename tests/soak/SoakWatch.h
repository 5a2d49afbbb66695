// On a thread of its own, to keep its rhythm whatever the operator waits for. The first
// failure (process gone, main window silent) stops the watch.

#pragma once

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace soak {

struct Sample {
    double privateKb = 0, handles = 0;
};

class Watch {
public:
    Watch(HANDLE process, DWORD pid, HWND main, unsigned intervalMs, unsigned answerMs)
        : m_process(process), m_pid(pid), m_main(main), m_intervalMs(intervalMs), m_answerMs(answerMs),
          m_thread([this] { Run(); }) {}
    ~Watch() { Stop(); }
    std::vector<Sample> Stop() {  // the samples taken
        m_stop = true;
        if (m_thread.joinable()) m_thread.join();
        return m_samples;
    }
    std::string Failure() const {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_failure;
    }

private:
    void Run() {
        const DWORD start = ::GetTickCount();
        for (DWORD next = start; !m_stop; ::Sleep(50)) {
            if (static_cast<LONG>(::GetTickCount() - next) < 0) continue;
            next += m_intervalMs;
            char why[128] = "";
            DWORD code = 0;
            DWORD_PTR result = 0;
            const double at = (::GetTickCount() - start) / 1000.0;
            if (!::SendMessageTimeoutW(m_main, WM_NULL, 0, 0, SMTO_NORMAL, m_answerMs, &result))
                snprintf(why, sizeof why, "the main window did not answer within %u ms at %.0f s", m_answerMs, at);
            if (::WaitForSingleObject(m_process, 0) == WAIT_OBJECT_0 && ::GetExitCodeProcess(m_process, &code))
                snprintf(why, sizeof why, "the console ended at %.0f s with exit code 0x%08lX", at, code);
            const Sample s = Take();
            std::lock_guard<std::mutex> lock(m_mutex);
            if (why[0]) {
                m_failure = why;
                return;
            }
            m_samples.push_back(s);
        }
    }

    // Under Wine PrivateUsage is 0 (the pagefile figure is the anonymous resident memory)
    // and GetProcessHandleCount answers 0: the handles are counted in the system's list.
    Sample Take() const {
        Sample s;
        PROCESS_MEMORY_COUNTERS_EX mem = {};
        if (::GetProcessMemoryInfo(m_process, reinterpret_cast<PROCESS_MEMORY_COUNTERS *>(&mem), sizeof mem))
            s.privateKb = (mem.PrivateUsage ? mem.PrivateUsage : mem.PagefileUsage) / 1024.0;
        DWORD handles = 0;
        if (::GetProcessHandleCount(m_process, &handles) && handles != 0) return s.handles = handles, s;
        struct Entry {  // SYSTEM_HANDLE_TABLE_ENTRY_INFO, after a ULONG_PTR count
            USHORT pid, backTrace;
            UCHAR type, attributes;
            USHORT value;
            PVOID object;
            ULONG access;
        };
        typedef LONG(WINAPI * QueryFn)(int, PVOID, ULONG, PULONG);
        static const auto query = reinterpret_cast<QueryFn>(reinterpret_cast<void (*)()>(
            ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
        std::vector<BYTE> list(4 << 20);  // SystemHandleInformation (16); too small: no count
        if (!query || query(16, list.data(), static_cast<ULONG>(list.size()), nullptr) != 0) return s;
        const Entry *e = reinterpret_cast<const Entry *>(list.data() + sizeof(ULONG_PTR));
        const size_t count =
            std::min<size_t>(*reinterpret_cast<const ULONG *>(list.data()), list.size() / sizeof *e - 1);
        for (size_t i = 0; i < count; ++i) s.handles += e[i].pid == (m_pid & 0xFFFF);
        return s;
    }

    HANDLE m_process;
    DWORD m_pid;
    HWND m_main;
    unsigned m_intervalMs, m_answerMs;
    std::atomic<bool> m_stop{false};
    mutable std::mutex m_mutex;
    std::string m_failure;
    std::vector<Sample> m_samples;
    std::thread m_thread;  // last: starts once the rest is made
};

}  // namespace soak
