#pragma once

#include <windows.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "uilib/UIlib.h"

namespace shelltest {

// A private skin folder, the resource path while it lives.
class TempSkinFolder {
public:
    explicit TempSkinFolder(const std::map<std::wstring, std::string> &files);
    ~TempSkinFolder();

private:
    std::filesystem::path m_path;
    CDuiString m_previous;
};

// The {message, wParam} of each message in `watched` sent to `window` while it lives.
struct SentMessages {
    SentMessages(HWND window, std::set<UINT> watched);
    ~SentMessages();
    HWND window;
    std::set<UINT> watched;
    std::vector<std::pair<UINT, WPARAM>> seen;
    HHOOK hook;
};

// Removes a WM_QUIT waiting in this thread's queue; true when there was one, exit code 0.
bool TakeQuitMessage();

}  // namespace shelltest
