#include "tests/shell/ShellHarness.h"

#include <cstdio>

namespace shelltest {

TempSkinFolder::TempSkinFolder(const std::map<std::wstring, std::string> &files)
    : m_files(files), m_previous(CPaintManagerUI::GetResourcePath()) {
    wchar_t base[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, base);
    static int counter = 0;
    m_path = base + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(++counter);
    ::CreateDirectoryW(m_path.c_str(), nullptr);
    for (const auto &file : files) {
        FILE *f = _wfopen((m_path + L"\\" + file.first).c_str(), L"wb");
        fwrite(file.second.data(), 1, file.second.size(), f);
        fclose(f);
    }
    CPaintManagerUI::SetResourcePath(m_path.c_str());
}

TempSkinFolder::~TempSkinFolder() {
    CPaintManagerUI::SetResourcePath(m_previous.c_str());
    for (const auto &file : m_files) ::DeleteFileW((m_path + L"\\" + file.first).c_str());
    ::RemoveDirectoryW(m_path.c_str());
}

namespace {
SentMessages *g_active = nullptr;

LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT *cwp = reinterpret_cast<const CWPSTRUCT *>(lParam);
    if (code == HC_ACTION && cwp->hwnd == g_active->window && g_active->watched.count(cwp->message))
        g_active->seen.push_back({cwp->message, cwp->wParam});
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}
}  // namespace

SentMessages::SentMessages(HWND window, std::set<UINT> watched)
    : window(window), watched(std::move(watched)),
      hook(::SetWindowsHookExW(WH_CALLWNDPROC, Hook, nullptr, ::GetCurrentThreadId())) {
    g_active = this;
}

SentMessages::~SentMessages() { ::UnhookWindowsHookEx(hook); }

bool TakeQuitMessage() {
    MSG msg;
    return ::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) && msg.wParam == 0;
}

}  // namespace shelltest
