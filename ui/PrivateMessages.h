// Private messages of the main window (the first values after WM_USER).
#pragma once

#include <windows.h>

const UINT WM_BS_REPORT = WM_USER + 1;           // 1025: wParam/lParam: the report block
const UINT WM_BS_REMOVE_SELECTED = WM_USER + 2;  // 1026: after a configuration was pushed
const UINT WM_TRAY_NOTIFY = WM_USER + 3;         // 1027: tray icon callback
const UINT WM_HIDE_MAIN = WM_USER + 4;           // 1028: hide the main window
const UINT WM_SHOW_TRAY_MENU = WM_USER + 5;      // 1029: show the tray menu at the cursor
const UINT WM_BS_GONE = WM_USER + 6;             // 1030: the poller found stations gone
