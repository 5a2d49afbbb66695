// Helpers for the shell's window tests: skin folders, input at a control, quit messages.
#pragma once

#include <windows.h>

#include <map>
#include <string>

#include "uilib/UIlib.h"

namespace shelltest {

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

// A client point on the screen.
POINT ScreenPoint(HWND hWnd, POINT client);

// Removes a WM_QUIT waiting in this thread's queue; true when there was one.
bool TakeQuitMessage();

}  // namespace shelltest
