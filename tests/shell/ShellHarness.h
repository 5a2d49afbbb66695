// Helpers for the shell's window tests: skin folders, input at a control, quit messages.
#pragma once

#include <windows.h>

#include <map>
#include <string>

#include "uilib/UIlib.h"

namespace shelltest {

// The installed skins beside the test exe (bin/skin).
CDuiString InstalledSkinPath();

// A private skin folder with the given files (name -> UTF-8 text), made the resource
// path while it lives; the previous resource path comes back afterwards.
class TempSkinFolder {
public:
    explicit TempSkinFolder(const std::map<std::wstring, std::string> &files);
    ~TempSkinFolder();
    const std::wstring &Path() const { return m_path; }

private:
    std::wstring m_path;
    CDuiString m_previous;
};

// Client centre of a control, and the same point on the screen.
POINT ControlCentre(CControlUI *control);
POINT ScreenPoint(HWND hWnd, POINT client);

// A left click at the control's centre, as mouse messages sent to hWnd; then pumps.
void Click(HWND hWnd, CControlUI *control);

// Removes a WM_QUIT waiting in this thread's queue; true when there was one.
bool TakeQuitMessage();

}  // namespace shelltest
