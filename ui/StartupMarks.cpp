#include "ui/StartupMarks.h"

#include <windows.h>

#include <cstdio>

namespace startupprobe {

namespace {

typedef VOID(WINAPI *PreciseTimeProc)(LPFILETIME);

ULONGLONG FileTimeValue(const FILETIME &ft) {
    return (static_cast<ULONGLONG>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

// The wall clock in 100 ns units, precise where the system offers it.
ULONGLONG Now() {
    static const PreciseTimeProc precise = reinterpret_cast<PreciseTimeProc>(reinterpret_cast<void *>(
        ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "GetSystemTimePreciseAsFileTime")));
    FILETIME ft = {};
    if (precise != nullptr) {
        precise(&ft);
    } else {
        ::GetSystemTimeAsFileTime(&ft);
    }
    return FileTimeValue(ft);
}

struct MarkRecord {
    const char *step;
    double ms;
};

const int kMaxMarks = 32;
MarkRecord gMarks[kMaxMarks];
int gMarkCount = 0;

}  // namespace

bool Requested() {
    static const bool requested = ::GetEnvironmentVariableW(L"RADIO_CONSOLE_STARTUP_PROBE", nullptr, 0) > 0;
    return requested;
}

double MsSinceProcessStart() {
    FILETIME created, exited, kernel, user;
    ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
    return static_cast<double>(Now() - FileTimeValue(created)) / 10000.0;
}

void Mark(const char *step) {
    if (!Requested() || gMarkCount == kMaxMarks) return;
    gMarks[gMarkCount++] = {step, MsSinceProcessStart()};
}

void PrintMarks() {
    for (int i = 0; i < gMarkCount; ++i) std::printf("mark-ms: %.3f %s\n", gMarks[i].ms, gMarks[i].step);
}

}  // namespace startupprobe
