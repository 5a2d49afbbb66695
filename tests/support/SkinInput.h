#pragma once

#include <windows.h>

#include <string>

#include "uilib/UIlib.h"

namespace testsupport {

void UseInstalledSkins();  // bin/skin
bool WaitLaidOut(CControlUI *control, unsigned timeoutMs = 3000);

// Posted when the click may open a modal box.
void SendClick(HWND hWnd, POINT pt, bool twice, bool post);
// Sent, then the queue is pumped.
void ClickAt(HWND hWnd, POINT pt, bool twice = false);
void ClickControl(HWND hWnd, CControlUI *control, bool twice = false);

// WM_DPICHANGED with the rectangle Windows would suggest for a window of size96 at 100 %.
void ChangeScale(HWND hWnd, SIZE size96, int dpi);

// ASCII text as is, anything else as '?': for messages and comparisons.
std::string Narrow(const std::wstring &text);

}  // namespace testsupport
