#include "tests/soak/ProcessSampler.h"

#include <psapi.h>
#include <winternl.h>

#include <vector>

namespace soak {

namespace {

const int kSystemProcessInformation = 5;
const int kSystemHandleInformation = 16;
const NTSTATUS kInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004L);

typedef NTSTATUS(WINAPI *QueryFn)(int, PVOID, ULONG, PULONG);

// One system information class into a buffer grown until it fits; empty on failure.
std::vector<BYTE> QuerySystem(int infoClass) {
    static const QueryFn query = reinterpret_cast<QueryFn>(
        reinterpret_cast<void (*)()>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    std::vector<BYTE> buffer(256 * 1024);
    if (query == nullptr) return {};
    ULONG needed = 0;
    NTSTATUS status;
    while ((status = query(infoClass, buffer.data(), static_cast<ULONG>(buffer.size()), &needed)) ==
               kInfoLengthMismatch &&
           buffer.size() < 64u * 1024 * 1024) {
        buffer.resize(buffer.size() * 2);
    }
    if (status != 0) buffer.clear();
    return buffer;
}

// The process's entry in the system's process list: threads and virtual size. (Its
// handle count is the size of the handle table under Wine, not the handles open.)
bool ProcessListEntry(DWORD pid, ULONG *threads, SIZE_T *virtualBytes) {
    const std::vector<BYTE> buffer = QuerySystem(kSystemProcessInformation);
    for (size_t at = 0; !buffer.empty();) {
        const auto *p = reinterpret_cast<const SYSTEM_PROCESS_INFORMATION *>(&buffer[at]);
        if (static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(p->UniqueProcessId)) == pid) {
            *threads = p->NumberOfThreads;
            *virtualBytes = p->VirtualMemoryCounters.VirtualSize;
            return true;
        }
        if (p->NextEntryOffset == 0) break;
        at += p->NextEntryOffset;
    }
    return false;
}

// The handles the system's handle list gives the process (its entries carry 16-bit ids).
long CountListedHandles(DWORD pid) {
    struct Entry {
        USHORT pid, creatorBackTrace;
        UCHAR type, attributes;
        USHORT value;
        PVOID object;
        ULONG access;
    };
    const std::vector<BYTE> buffer = QuerySystem(kSystemHandleInformation);
    if (buffer.size() < sizeof(ULONG) || pid > 0xFFFF) return -1;
    const ULONG count = *reinterpret_cast<const ULONG *>(buffer.data());
    const Entry *entries = reinterpret_cast<const Entry *>(buffer.data() + sizeof(ULONG_PTR));
    long n = 0;
    for (ULONG i = 0; i < count && sizeof(ULONG_PTR) + (i + 1) * sizeof(Entry) <= buffer.size(); ++i)
        if (entries[i].pid == pid) ++n;
    return n;
}

}  // namespace

const char *FigureName(Figure f) {
    static const char *const kNames[kFigureCount] = {"private KB", "working set KB", "virtual KB",  "handles",
                                                     "threads",    "GDI objects",    "USER objects"};
    return kNames[f];
}

ProcessSampler::ProcessSampler(HANDLE process, DWORD pid) : m_process(process), m_pid(pid) {}

Sample ProcessSampler::Take() {
    Sample s;
    if (m_first) m_start = ::GetTickCount();
    s.seconds = (::GetTickCount() - m_start) / 1000.0;
    std::string source[kFigureCount];

    // Private bytes: under Wine the pagefile figure is the anonymous resident memory.
    PROCESS_MEMORY_COUNTERS_EX mem = {};
    mem.cb = sizeof mem;
    if (::GetProcessMemoryInfo(m_process, reinterpret_cast<PROCESS_MEMORY_COUNTERS *>(&mem), sizeof mem)) {
        const SIZE_T priv = mem.PrivateUsage != 0 ? mem.PrivateUsage : mem.PagefileUsage;
        if (priv != 0) {
            s.value[kPrivateKb] = priv / 1024;
            source[kPrivateKb] = mem.PrivateUsage != 0 ? "GetProcessMemoryInfo PrivateUsage"
                                                       : "GetProcessMemoryInfo PagefileUsage (PrivateUsage is 0)";
        }
        if (mem.WorkingSetSize != 0) {
            s.value[kWorkingSetKb] = mem.WorkingSetSize / 1024;
            source[kWorkingSetKb] = "GetProcessMemoryInfo WorkingSetSize";
        }
    }

    DWORD handles = 0;
    long listed;
    if (::GetProcessHandleCount(m_process, &handles) && handles != 0) {
        s.value[kHandles] = handles;
        source[kHandles] = "GetProcessHandleCount";
    } else if ((listed = CountListedHandles(m_pid)) > 0) {
        s.value[kHandles] = listed;
        source[kHandles] = "the system handle list (GetProcessHandleCount answers 0)";
    }
    ULONG threads = 0;
    SIZE_T virtualBytes = 0;
    if (ProcessListEntry(m_pid, &threads, &virtualBytes)) {
        if (threads != 0) {
            s.value[kThreads] = threads;
            source[kThreads] = "the system process list";
        }
        if (virtualBytes != 0) {
            s.value[kVirtualKb] = virtualBytes / 1024;
            source[kVirtualKb] = "the system process list";
        }
    }

    // A process with windows always has GDI and USER objects: 0 means no answer.
    const DWORD gdi = ::GetGuiResources(m_process, GR_GDIOBJECTS);
    const DWORD user = ::GetGuiResources(m_process, GR_USEROBJECTS);
    if (gdi != 0) s.value[kGdiObjects] = gdi, source[kGdiObjects] = "GetGuiResources";
    if (user != 0) s.value[kUserObjects] = user, source[kUserObjects] = "GetGuiResources";

    if (m_first) {
        m_first = false;
        for (int f = 0; f < kFigureCount; ++f) m_sources[f] = source[f].empty() ? "unavailable" : "from " + source[f];
        if (s.value[kGdiObjects] < 0) m_sources[kGdiObjects] = "unavailable (GetGuiResources answers 0)";
        if (s.value[kUserObjects] < 0) m_sources[kUserObjects] = "unavailable (GetGuiResources answers 0)";
    }
    return s;
}

std::string ProcessSampler::Sources() const {
    std::string text;
    for (int f = 0; f < kFigureCount; ++f)
        text += std::string("  ") + FigureName(static_cast<Figure>(f)) + ": " + m_sources[f] + "\n";
    return text;
}

}  // namespace soak
