#include "ui/MainWindowRef.h"

#include "ui/DemoFrameWnd.h"

CDemoFrameWnd *g_pMainWnd = nullptr;

HWND GetMainWindowHandle() { return g_pMainWnd != nullptr ? g_pMainWnd->GetHWND() : nullptr; }
