#include "tests/calls_ui/CallsHost.h"

#include <fcntl.h>
#include <io.h>
#include <cstdio>

#include "tests/support/WaitFor.h"
#include "ui/SkinnedWindow.h"

namespace callstest {

namespace {

// The page on the main window's fonts; tall enough for 16 rows without scrolling.
CDuiString HostSkin(HostedPage page) {
    CDuiString skin = page == HostedPage::CallRecords ? L"<Window size=\"900,720\">" : L"<Window size=\"632,487\">";
    skin += L"<Font id=\"0\" name=\"Microsoft YaHei\" size=\"12\" default=\"true\" />"
            L"<Font id=\"1\" name=\"Microsoft YaHei\" size=\"14\" bold=\"true\" />"
            L"<Font id=\"2\" name=\"Microsoft YaHei\" size=\"12\" bold=\"true\" />"
            L"<Font id=\"3\" name=\"Microsoft YaHei\" size=\"18\" bold=\"true\" />"
            L"<VerticalLayout bkcolor=\"#FFF3F5FA\">";
    skin += page == HostedPage::CallRecords ? L"<menu1_1 />" : L"<menu1_0 />";
    return skin + L"</VerticalLayout></Window>";
}

}  // namespace

void CallsHost::OnClick(TNotifyUI &) { ++m_unroutedClicks; }

CallsHost::CallsHost(HostedPage page) : m_page(page) {}

CallsHost::~CallsHost() {
    if (m_hWnd && ::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
}

bool CallsHost::Open() {
    testsupport::UseInstalledSkins();
    if (!Create(nullptr, L"calls test host", WS_POPUP, 0, 0, 0, 0, 0)) return false;
    // Never activated: under Wine without a window manager, hiding or destroying the
    // active window waits two seconds for the focus to move.
    ::ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
    ::UpdateWindow(m_hWnd);
    return m_pm.GetRoot() != nullptr;
}

LRESULT CallsHost::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (uMsg == WM_CREATE) {
        SkinnedWindow::Create(m_hWnd, m_pm, HostSkin(m_page).c_str(), this);
        if (m_page == HostedPage::CallRecords) {
            m_callPage.SetPaintManager(&m_pm);
            m_callPage.InitControls();
            AddVirtualWnd(L"V_Menu1_1", &m_callPage);
        } else {
            m_recordingPage.SetPaintManager(&m_pm);
            m_recordingPage.SetControls(m_pm.FindControl(L"RecordCtrlBtn"), m_pm.FindControl(L"RecordNote"));
            AddVirtualWnd(L"V_Menu1_0", &m_recordingPage);
        }
        return 0;
    }
    BOOL handled = FALSE;
    LRESULT lRes = 0;
    if (uMsg == WM_NCCALCSIZE) return SkinnedWindow::NcCalcSize(handled);
    if (m_pm.MessageHandler(uMsg, wParam, lParam, lRes)) return lRes;
    return CWindowWnd::HandleMessage(uMsg, wParam, lParam);
}

StdoutCapture::StdoutCapture() {
    fflush(stdout);
    wchar_t dir[MAX_PATH] = {};
    wchar_t file[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, dir);
    ::GetTempFileNameW(dir, L"out", 0, file);
    m_path = file;
    const int fd = _wopen(file, _O_WRONLY | _O_TRUNC | _O_BINARY);
    m_saved = _dup(_fileno(stdout));
    _dup2(fd, _fileno(stdout));
    _close(fd);
}

StdoutCapture::~StdoutCapture() { Text(); }

std::string StdoutCapture::Text() {
    if (m_done) return m_text;
    m_done = true;
    fflush(stdout);
    _dup2(m_saved, _fileno(stdout));
    _close(m_saved);
    if (FILE *f = _wfopen(m_path.c_str(), L"rb")) {
        char buffer[4096];
        size_t n;
        while ((n = fread(buffer, 1, sizeof buffer, f)) > 0) m_text.append(buffer, n);
        fclose(f);
    }
    ::DeleteFileW(m_path.c_str());
    return m_text;
}

}  // namespace callstest
