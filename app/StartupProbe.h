// Start-up measurement for bench/startup: when the environment variable
// RADIO_CONSOLE_STARTUP_PROBE is set, the program reports the time from its process's
// creation to the end of its main window's first WM_PAINT on standard output
// ("first-paint-ms: <ms>"), after the marks of its set-up steps (ui/StartupMarks.h), and
// quits. Shared with the bare-window reference program.
#pragma once

#include <windows.h>

#include "ui/StartupMarks.h"

namespace startupprobe {

// Pumps this thread's messages until hWnd has handled its first WM_PAINT, prints the
// marks and the time and returns the time in milliseconds.
double RunUntilFirstPaint(HWND hWnd);

}  // namespace startupprobe
