#include "tests/soak/SoakWatch.h"

#include <psapi.h>
#include <winternl.h>

#include <algorithm>
#include <cstdio>

namespace soak {

const char *const kFigureNames[kFigureCount] = {"private KB", "virtual KB", "handles", "threads"};

namespace {

// One system information class (5: processes, 16: handles), the buffer grown until it fits.
std::vector<BYTE> QuerySystem(int infoClass) {
    typedef NTSTATUS(WINAPI * QueryFn)(int, PVOID, ULONG, PULONG);
    static const QueryFn query = reinterpret_cast<QueryFn>(
        reinterpret_cast<void (*)()>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    std::vector<BYTE> buffer(256 * 1024);
    NTSTATUS status = -1;
    while (query &&
           (status = query(infoClass, buffer.data(), static_cast<ULONG>(buffer.size()), nullptr)) ==
               static_cast<NTSTATUS>(0xC0000004L) &&
           buffer.size() < 64u * 1024 * 1024)
        buffer.resize(buffer.size() * 2);
    if (status != 0) buffer.clear();
    return buffer;
}

}  // namespace

Watch::Watch(HANDLE process, DWORD pid, HWND main, unsigned intervalMs, unsigned answerMs)
    : m_process(process), m_pid(pid), m_main(main), m_intervalMs(intervalMs), m_answerMs(answerMs) {
    m_thread = std::thread([this] { Run(); });
}

void Watch::Stop() {
    m_stop = true;
    if (m_thread.joinable()) m_thread.join();
}

std::string Watch::Failure() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_failure;
}

std::vector<Sample> Watch::Samples() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_samples;
}

void Watch::Run() {
    for (DWORD next = ::GetTickCount(); !m_stop; ::Sleep(50)) {
        if (static_cast<LONG>(::GetTickCount() - next) < 0) continue;
        next += m_intervalMs;
        const double at = (::GetTickCount() - m_start) / 1000.0;
        char why[128] = "";
        DWORD code = 0;
        DWORD_PTR result = 0;
        if (!::SendMessageTimeoutW(m_main, WM_NULL, 0, 0, SMTO_NORMAL, m_answerMs, &result))
            snprintf(why, sizeof why, "the main window did not answer within %u ms at %.0f s", m_answerMs, at);
        if (::WaitForSingleObject(m_process, 0) == WAIT_OBJECT_0 && ::GetExitCodeProcess(m_process, &code))
            snprintf(why, sizeof why, "the console ended at %.0f s with exit code 0x%08lX", at, code);
        std::lock_guard<std::mutex> lock(m_mutex);
        if (why[0]) {
            m_failure = why;
            return;
        }
        m_samples.push_back(Take());
    }
}

Sample Watch::Take() const {
    Sample s;
    s.seconds = (::GetTickCount() - m_start) / 1000.0;
    // Under Wine PrivateUsage is 0 and the pagefile figure is the anonymous resident memory.
    PROCESS_MEMORY_COUNTERS_EX mem = {};
    if (::GetProcessMemoryInfo(m_process, reinterpret_cast<PROCESS_MEMORY_COUNTERS *>(&mem), sizeof mem))
        s.value[kPrivateKb] = (mem.PrivateUsage ? mem.PrivateUsage : mem.PagefileUsage) / 1024;
    const std::vector<BYTE> procs = QuerySystem(5);
    for (size_t at = 0; !procs.empty();) {
        const auto *p = reinterpret_cast<const SYSTEM_PROCESS_INFORMATION *>(&procs[at]);
        if (reinterpret_cast<ULONG_PTR>(p->UniqueProcessId) == m_pid) {
            s.value[kThreads] = p->NumberOfThreads;
            s.value[kVirtualKb] = p->VirtualMemoryCounters.VirtualSize / 1024;
            break;
        }
        if (p->NextEntryOffset == 0) break;
        at += p->NextEntryOffset;
    }
    DWORD handles = 0;
    if (::GetProcessHandleCount(m_process, &handles) && handles != 0) {
        s.value[kHandles] = handles;
    } else {
        // The system's handle list: a count, then entries that carry 16-bit process ids.
        struct Entry {
            USHORT pid, backTrace;
            UCHAR type, attributes;
            USHORT value;
            PVOID object;
            ULONG access;
        };
        const std::vector<BYTE> list = QuerySystem(16);
        const size_t room = list.size() < sizeof(ULONG_PTR) ? 0 : (list.size() - sizeof(ULONG_PTR)) / sizeof(Entry);
        const Entry *e = reinterpret_cast<const Entry *>(list.data() + sizeof(ULONG_PTR));
        for (size_t i = 0; m_pid <= 0xFFFF && i < room && i < *reinterpret_cast<const ULONG *>(list.data()); ++i)
            if (e[i].pid == m_pid) s.value[kHandles] = std::max(s.value[kHandles], 0LL) + 1;
    }
    return s;
}

}  // namespace soak
