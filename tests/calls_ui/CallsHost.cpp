#include "tests/calls_ui/CallsHost.h"

#include "tests/support/WaitFor.h"
#include "ui/SkinnedWindow.h"

namespace callstest {

CallsHost::CallsHost(bool recordingPage) : m_recording(recordingPage) {
    testsupport::UseInstalledSkins();
    Create(nullptr, L"calls test host", WS_POPUP, 0, 0, 0, 0, 0);
    // Never activated: under Wine without a window manager, hiding or destroying the
    // active window waits two seconds for the focus to move.
    ::ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
    ::UpdateWindow(m_hWnd);
}

CallsHost::~CallsHost() { ::DestroyWindow(m_hWnd); }

LRESULT CallsHost::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (uMsg == WM_CREATE) {
        // The page on the main window's fonts; tall enough for 16 rows without scrolling.
        CDuiString skin = L"<Window size=\"900,720\"><Font id=\"0\" name=\"Microsoft YaHei\" size=\"12\" "
                          L"default=\"true\" /><Font id=\"1\" name=\"Microsoft YaHei\" size=\"14\" bold=\"true\" />"
                          L"<Font id=\"2\" name=\"Microsoft YaHei\" size=\"12\" bold=\"true\" />"
                          L"<Font id=\"3\" name=\"Microsoft YaHei\" size=\"18\" bold=\"true\" /><VerticalLayout>";
        skin += m_recording ? L"<menu1_0 />" : L"<menu1_1 />";
        SkinnedWindow::Create(m_hWnd, pm, (skin + L"</VerticalLayout></Window>").c_str(), this);
        if (m_recording) {
            recordingPage.SetPaintManager(&pm);
            recordingPage.SetControls(pm.FindControl(L"RecordCtrlBtn"), pm.FindControl(L"RecordNote"));
            AddVirtualWnd(L"V_Menu1_0", &recordingPage);
        } else {
            callPage.SetPaintManager(&pm);
            callPage.InitControls();
            AddVirtualWnd(L"V_Menu1_1", &callPage);
        }
        return 0;
    }
    BOOL handled = FALSE;
    LRESULT lRes = 0;
    if (uMsg == WM_NCCALCSIZE) return SkinnedWindow::NcCalcSize(handled);
    if (pm.MessageHandler(uMsg, wParam, lParam, lRes)) return lRes;
    return CWindowWnd::HandleMessage(uMsg, wParam, lParam);
}

}  // namespace callstest
