// Prints the time of a full repaint (layout is done once, then every pixel is painted
// again through the back buffer) of each of the console's four windows at 100 % and at
// 200 %, the latter brought by WM_DPICHANGED as on a scaled monitor. The windows are the
// real ones built from bin/skin, over the service test double.
#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "basestation/BsConfigDialog.h"
#include "calls/PlayWindow.h"
#include "tests/support/SkinInput.h"
#include "tests/support/WaitFor.h"
#include "ui/ConsoleTitle.h"
#include "ui/DemoFrameWnd.h"
#include "ui/TaskIconMenuWnd.h"
#include "ui/TrayIcon.h"

namespace {

using Clock = std::chrono::steady_clock;

// Median milliseconds of one full repaint of hWnd.
double RepaintMs(HWND hWnd, int runs) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        const auto t0 = Clock::now();
        ::RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

}  // namespace

int main(int argc, char **argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
    ::CoInitialize(nullptr);
    testsupport::UseInstalledSkins();
    CDemoFrameWnd *frame = new CDemoFrameWnd();
    const HWND main = frame->Create(nullptr, kConsoleTitle, 0x10cf0000, 0x60080, 0, 0, 800, 572);
    ::ShowWindow(main, SW_SHOW);
    testsupport::PumpPending();
    const struct {
        const char *name;
        HWND hWnd;
    } windows[] = {{"main window", main},
                   {"configuration dialog", g_pBsCfgFrameWnd->GetHWND()},
                   {"playback window", g_pPlayWnd->GetHWND()},
                   {"tray menu", frame->TrayMenu()->GetHWND()}};
    std::printf("full repaint, median of %d (ms): window, 100 %%, 200 %%\n", runs);
    for (const auto &w : windows) {
        ::ShowWindow(w.hWnd, SW_SHOWNA);
        testsupport::PumpPending();
        RECT rc = {};
        ::GetWindowRect(w.hWnd, &rc);
        const SIZE size96 = {rc.right - rc.left, rc.bottom - rc.top};
        RepaintMs(w.hWnd, 2);  // images and fonts loaded, layout done
        const double at100 = RepaintMs(w.hWnd, runs);
        testsupport::ChangeScale(w.hWnd, size96, 192);
        RepaintMs(w.hWnd, 2);
        const double at200 = RepaintMs(w.hWnd, runs);
        testsupport::ChangeScale(w.hWnd, size96, 96);
        if (w.hWnd != main) ::ShowWindow(w.hWnd, SW_HIDE);
        std::printf("%-22s %7.2f %7.2f  (%ldx%ld at 100 %%)\n", w.name, at100, at200, size96.cx, size96.cy);
    }
    DeleteTrayIcon();
    ::DestroyWindow(main);
    return 0;
}
