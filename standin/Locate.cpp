#include "standin/Locate.h"

#include <windows.h>

#include <vector>

namespace standin {

bool ShowInFileBrowser(const std::wstring &path) {
    std::wstring command = L"explorer.exe /select,\"" + path + L"\"";
    std::vector<wchar_t> line(command.begin(), command.end());
    line.push_back(L'\0');
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
}

}  // namespace standin
