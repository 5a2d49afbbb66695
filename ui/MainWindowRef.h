// The process-wide reference to the one main window: written once, on the UI thread, at
// the end of the main window's creation (before the report callback is registered and
// before the poller starts); only read afterwards, from any thread.
#pragma once

#include <windows.h>

class CDemoFrameWnd;

extern CDemoFrameWnd *g_pMainWnd;

// The main window's handle, or null before it exists.
HWND GetMainWindowHandle();
