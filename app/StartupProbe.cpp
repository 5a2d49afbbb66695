#include "app/StartupProbe.h"

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

}  // namespace

bool Requested() { return ::GetEnvironmentVariableW(L"RADIO_CONSOLE_STARTUP_PROBE", nullptr, 0) > 0; }

double RunUntilFirstPaint(HWND hWnd) {
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
        if (msg.message == WM_PAINT && msg.hwnd == hWnd) break;
    }
    FILETIME created, exited, kernel, user;
    ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
    const double ms = static_cast<double>(Now() - FileTimeValue(created)) / 10000.0;
    std::printf("first-paint-ms: %.3f\n", ms);
    return ms;
}

}  // namespace startupprobe
