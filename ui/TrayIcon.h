// The tray icon: one process-wide NOTIFYICONDATAW, filled once by the main window and
// used unchanged to add, re-add and delete the icon. UI thread only.
#pragma once

#include <windows.h>
#include <shellapi.h>

// The full 32-bit record: the service shell is told this size.
static_assert(sizeof(NOTIFYICONDATAW) == 956, "32-bit NOTIFYICONDATAW");

const UINT kTrayIconResource = 137;

extern NOTIFYICONDATAW g_trayIcon;

// Fills the record for hWnd (icon 137 of the UI library's instance, the console title as
// tip, WM_TRAY_NOTIFY as callback) and adds the icon.
void AddTrayIcon(HWND hWnd);
// Adds the icon again after the shell restarted ("TaskbarCreated"); only once it was added.
void ReaddTrayIcon();
// Removes the icon; harmless when it is not there.
void DeleteTrayIcon();
// True between AddTrayIcon and DeleteTrayIcon.
bool IsTrayIconAdded();
// The registered "TaskbarCreated" message.
UINT TaskbarCreatedMessage();
