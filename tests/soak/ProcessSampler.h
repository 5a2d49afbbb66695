// Samples another process's memory, handle, thread, GDI and USER object counts, each
// from the first source that gives a number on this platform. Under Wine
// GetGuiResources is not implemented and GetProcessHandleCount answers 0; the handle
// count then comes from the system's handle list, and the GDI and USER counts are
// unavailable (-1).
#pragma once

#include <windows.h>

#include <string>

namespace soak {

// A figure: kilobytes for the memory ones, a count for the others; -1 when unavailable.
enum Figure { kPrivateKb, kWorkingSetKb, kVirtualKb, kHandles, kThreads, kGdiObjects, kUserObjects, kFigureCount };

struct Sample {
    double seconds = 0;  // since the first sample
    long long value[kFigureCount] = {-1, -1, -1, -1, -1, -1, -1};
};

const char *FigureName(Figure f);

class ProcessSampler {
public:
    ProcessSampler(HANDLE process, DWORD pid);
    Sample Take();
    // Which source each figure came from in the first sample, or why it is unavailable.
    std::string Sources() const;

private:
    HANDLE m_process;
    DWORD m_pid;
    DWORD m_start = 0;
    bool m_first = true;
    std::string m_sources[kFigureCount];
};

}  // namespace soak
