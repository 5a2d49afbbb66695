// Start-up measurement for bench/startup: when the environment variable
// RADIO_CONSOLE_STARTUP_PROBE is set, the program reports the time from its process's
// creation to the end of its main window's first WM_PAINT on standard output
// ("first-paint-ms: <ms>") and quits. Shared with the bare-window reference program.
#pragma once

#include <windows.h>

namespace startupprobe {

bool Requested();
// Pumps this thread's messages until hWnd has handled its first WM_PAINT, prints the
// time and returns it in milliseconds.
double RunUntilFirstPaint(HWND hWnd);

}  // namespace startupprobe
