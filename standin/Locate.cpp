#include "standin/Locate.h"

#include <windows.h>

#include <vector>

namespace standin {

bool ShowInFileBrowser(const std::wstring &path) {
    // By its full path: a search would take an "explorer.exe" from the exe's folder or
    // the current folder first.
    wchar_t windows[MAX_PATH] = {};
    const UINT n = GetWindowsDirectoryW(windows, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return false;
    const std::wstring browser = std::wstring(windows) + L"\\explorer.exe";
    std::wstring command = L"\"" + browser + L"\" /select,\"" + path + L"\"";
    std::vector<wchar_t> line(command.begin(), command.end());
    line.push_back(L'\0');
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(browser.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
}

}  // namespace standin
