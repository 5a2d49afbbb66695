#include "tests/shell/ShellHarness.h"

#include <cstdio>

namespace shelltest {

TempSkinFolder::TempSkinFolder(const std::map<std::wstring, std::string> &files)
    : m_previous(CPaintManagerUI::GetResourcePath()) {
    wchar_t base[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, base);
    static int counter = 0;
    m_path = std::wstring(base) + L"shelltest-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
             std::to_wstring(++counter);
    ::CreateDirectoryW(m_path.c_str(), nullptr);
    for (const auto &file : files) {
        const std::wstring path = m_path + L"\\" + file.first;
        if (FILE *f = _wfopen(path.c_str(), L"wb")) {
            fwrite(file.second.data(), 1, file.second.size(), f);
            fclose(f);
        }
    }
    CPaintManagerUI::SetResourcePath(m_path.c_str());
}

TempSkinFolder::~TempSkinFolder() {
    CPaintManagerUI::SetResourcePath(m_previous.c_str());
    WIN32_FIND_DATAW data;
    HANDLE find = ::FindFirstFileW((m_path + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                ::DeleteFileW((m_path + L"\\" + data.cFileName).c_str());
            }
        } while (::FindNextFileW(find, &data));
        ::FindClose(find);
    }
    ::RemoveDirectoryW(m_path.c_str());
}

POINT ScreenPoint(HWND hWnd, POINT client) {
    ::ClientToScreen(hWnd, &client);
    return client;
}

bool TakeQuitMessage() {
    MSG msg;
    return ::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
}

}  // namespace shelltest
