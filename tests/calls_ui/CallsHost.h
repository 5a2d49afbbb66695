// A host window for the call pages in tests: a frameless skinned window whose skin holds
// the real page sub-skin ("menu1_1.xml" or "menu1_0.xml" from bin/skin, expanded by the
// console's control factory), with the page handler registered under its virtual-window
// name as the main window does.
#pragma once

#include <windows.h>

#include <string>

#include "calls/CallRecordPage.h"
#include "calls/RecordingPage.h"
#include "tests/support/SkinInput.h"
#include "uilib/UIlib.h"

namespace callstest {

class CallsHost : public WindowImplBase {
public:
    explicit CallsHost(bool recordingPage);
    ~CallsHost() override;

    LPCTSTR GetWindowClassName() const override { return L"CallsTestHost"; }
    CDuiString GetSkinFolder() override { return L""; }
    CDuiString GetSkinFile() override { return L""; }
    LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
    void OnFinalMessage(HWND) override {}
    void OnClick(TNotifyUI &) override { ++unroutedClicks; }

    CPaintManagerUI pm;
    CMenu1_1 callPage;
    CMenu1_0 recordingPage;
    int unroutedClicks = 0;  // clicks that reached the host's own map instead of a page

private:
    bool m_recording;
};

}  // namespace callstest
