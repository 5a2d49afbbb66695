// In-process helpers for tests of skinned windows: the installed skins, mouse input at a
// control, and waiting for a control to be laid out.
#pragma once

#include <windows.h>

#include <string>

#include "uilib/UIlib.h"

namespace testsupport {

// Points the UI library at bin/skin beside the test exe.
void UseInstalledSkins();

// Waits until the control is visible and laid out; false on time-out or null.
bool WaitLaidOut(CControlUI *control, unsigned timeoutMs = 3000);

// A left click (twice: a double click) at a client point as mouse messages to hWnd, sent
// (or posted, when the click may open a modal box).
void SendClick(HWND hWnd, POINT pt, bool twice, bool post);
// The same, sent, at a point or a control's centre; then the queue is pumped.
void ClickAt(HWND hWnd, POINT pt, bool twice = false);
void ClickControl(HWND hWnd, CControlUI *control, bool twice = false);

// Sends the window WM_DPICHANGED for dpi with the rectangle Windows would suggest for a
// window of size96 at 100 %, then pumps the queue.
void ChangeScale(HWND hWnd, SIZE size96, int dpi);

// ASCII text as is, anything else as '?': for messages and comparisons.
std::string Narrow(const std::wstring &text);

}  // namespace testsupport
