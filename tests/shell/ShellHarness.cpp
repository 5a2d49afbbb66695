#include "tests/shell/ShellHarness.h"

#include <fstream>

namespace shelltest {

TempSkinFolder::TempSkinFolder(const std::map<std::wstring, std::string> &files)
    : m_previous(CPaintManagerUI::GetResourcePath()) {
    static int counter = 0;
    m_path = std::filesystem::temp_directory_path() /
             (std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(++counter));
    std::filesystem::create_directory(m_path);
    for (const auto &file : files) std::ofstream(m_path / file.first, std::ios::binary) << file.second;
    CPaintManagerUI::SetResourcePath(m_path.c_str());
}

TempSkinFolder::~TempSkinFolder() {
    CPaintManagerUI::SetResourcePath(m_previous.c_str());
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
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
