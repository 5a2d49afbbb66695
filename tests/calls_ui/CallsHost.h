// A host window for the call pages in tests: a frameless skinned window whose skin holds
// the real page sub-skin ("menu1_1.xml" or "menu1_0.xml" from bin/skin, expanded by the
// console's control factory), with the page handler registered under its virtual-window
// name as the main window does. Plus input and output helpers.
#pragma once

#include <windows.h>

#include <string>

#include "calls/CallRecordPage.h"
#include "calls/RecordingPage.h"
#include "tests/support/SkinInput.h"
#include "uilib/UIlib.h"

namespace callstest {

enum class HostedPage { CallRecords, Recording };

class CallsHost : public WindowImplBase {
public:
    explicit CallsHost(HostedPage page);
    ~CallsHost() override;

    // Creates, shows and lays out the window; false when the skin did not load.
    bool Open();

    LPCTSTR GetWindowClassName() const override { return L"CallsTestHost"; }
    CDuiString GetSkinFolder() override { return L""; }
    CDuiString GetSkinFile() override { return L""; }
    LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
    void OnFinalMessage(HWND) override {}

    CPaintManagerUI &PaintManager() { return m_pm; }
    CControlUI *Find(const wchar_t *name) { return m_pm.FindControl(name); }
    CMenu1_1 &CallPage() { return m_callPage; }
    CMenu1_0 &RecordingPage() { return m_recordingPage; }
    // Notifications that reached the host's own map instead of a page.
    int UnroutedClicks() const { return m_unroutedClicks; }
    void OnClick(TNotifyUI &msg) override;

private:
    HostedPage m_page;
    CPaintManagerUI m_pm;
    CMenu1_1 m_callPage;
    CMenu1_0 m_recordingPage;
    int m_unroutedClicks = 0;
};

using testsupport::ClickAt;
using testsupport::Narrow;
using testsupport::WaitLaidOut;

// Captures what the process writes to standard output while it lives.
class StdoutCapture {
public:
    StdoutCapture();
    ~StdoutCapture();
    std::string Text();  // what was written so far (stops the capture)

private:
    int m_saved = -1;
    std::wstring m_path;
    bool m_done = false;
    std::string m_text;
};

}  // namespace callstest
