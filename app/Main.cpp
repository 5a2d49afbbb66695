// The console's entry point: single instance, service start-up, the main window, the
// presence poller and the message loop. Every path ends with exit code 0.
#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <cstdio>
#include <new>

#include "app/DisplayWarmUp.h"
#include "app/Poller.h"
#include "app/ServiceLibraries.h"
#include "app/StartupProbe.h"
#include "service/BmService.h"
#include "ui/ConsoleTitle.h"
#include "ui/DemoFrameWnd.h"
#include "ui/OperatorWarning.h"
#include "ui/SkinFailure.h"
#include "ui/TrayIcon.h"
#include "uilib/UIlib.h"
#include "uilib/core/UIStats.h"
#include "uilib/skin/SkinPrefetch.h"

namespace {

const wchar_t kAlreadyRunningText[] = L"已经打开过一个管理软件了，切勿重复打开！";
const wchar_t kErrorCaption[] = L"错误";
const wchar_t kNoMainWindowText[] = L"无法创建主窗口，管理软件将退出。";
const wchar_t kNoPollerText[] = L"无法启动基站在线检测线程，管理软件将退出。";
const wchar_t kBadSkinText[] = L"界面文件无法加载，管理软件将退出。\n\n";

const wchar_t kSkinFolder[] = L"skin";
const wchar_t kMainSkin[] = L"skin.xml";
const DWORD kMainStyle = 0x10cf0000;  // WS_VISIBLE | WS_OVERLAPPEDWINDOW
const DWORD kMainExStyle = 0x60080;   // WS_EX_APPWINDOW | WS_EX_STATICEDGE | WS_EX_TOOLWINDOW
const int kMainWidth = 800;
const int kMainHeight = 572;

// A start-up step the console cannot run without: say so and end.
void ReportFatal(const char *line, const wchar_t *text) {
    std::fprintf(stderr, "%s\n", line);
    ::MessageBoxW(nullptr, text, kErrorCaption, MB_OK | MB_ICONERROR);
}

// A window whose skin was not built is blank: name the file (and the place in it) to
// the operator rather than show an empty console.
bool ReportSkinFailure(HWND mainWnd) {
    const std::wstring failure = SkinFailure();
    if (failure.empty()) return false;
    ::ShowWindow(mainWnd, SW_HIDE);
    ReportFatal("a skin file could not be loaded.", (kBadSkinText + failure).c_str());
    return true;
}

// Where the UI library's time went, for the start-up bench.
void PrintUiStats() {
    const uilib::StatsTotals &stats = uilib::GetStats();
    for (int step = 0; step < uilib::kStatsStepCount; ++step) {
        std::printf("uilib-ms: %.3f %d %s\n", stats.ms[step], stats.count[step],
                    uilib::StatsStepName(static_cast<uilib::StatsStep>(step)));
    }
}

void ShutDown() {
    DeleteTrayIcon();
    CPaintManagerUI::Term();
    ::CoUninitialize();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, LPWSTR, int) {
    startupprobe::Mark("process start to wWinMain (loader, DLLs, C runtime)");
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    WarmUpDisplayInBackground();

    if (::FindWindowW(nullptr, kConsoleTitle) != nullptr) {
        ShowOperatorWarning(kAlreadyRunningText);
        return 0;
    }
    startupprobe::Mark("single-instance test");

    if (!ServiceLibrariesPresent()) return 0;

    if (BmSrvInitialize() < 0) std::printf("error.");
    startupprobe::Mark("service start");

    CPaintManagerUI::SetInstance(hInstance);
    const CDuiString skinPath = CPaintManagerUI::GetInstancePath() + kSkinFolder;
    CPaintManagerUI::SetResourcePath(skinPath.c_str());

    // Needs no display: done while the display starts on its own thread.
    const int dpi = CPaintManagerUI::WindowDPI(nullptr);
    uilib::PrefetchSkins(kMainSkin, dpi);
    startupprobe::Mark("skin files read ahead");

    if (FAILED(::CoInitialize(nullptr))) return 0;
    startupprobe::Mark("COM (with the wait for the display)");
    // 800 x 572 at 100 %, scaled like the skin inside it; its client area is all of it.
    const SIZE mainSize = {uilib::ScaleValue(kMainWidth, dpi), uilib::ScaleValue(kMainHeight, dpi)};
    // Creation caps a window at the largest a user could drag it to (a small screen).
    const SIZE mainClient = {std::min<LONG>(mainSize.cx, ::GetSystemMetrics(SM_CXMAXTRACK)),
                             std::min<LONG>(mainSize.cy, ::GetSystemMetrics(SM_CYMAXTRACK))};
    WarmUpFirstPaintInBackground(uilib::TakeSkinGlyphs(), dpi, mainClient);

    CDemoFrameWnd *frame = new (std::nothrow) CDemoFrameWnd();
    if (frame == nullptr) return 0;
    const HWND hWnd = frame->Create(nullptr, kConsoleTitle, kMainStyle, kMainExStyle, 0, 0, mainSize.cx, mainSize.cy);
    if (hWnd == nullptr) {
        ReportFatal("cannot create the main window.", kNoMainWindowText);
        ShutDown();
        return 0;
    }
    startupprobe::Mark("main window created (rest of creation)");
    if (ReportSkinFailure(hWnd)) {
        ShutDown();
        return 0;
    }
    frame->CenterWindow();
    ::ShowWindow(hWnd, SW_SHOW);
    startupprobe::Mark("centre and show");

    if (startupprobe::Requested()) {
        startupprobe::RunUntilFirstPaint(hWnd);
        PrintUiStats();
        ::PostQuitMessage(0);
    }

    if (!StartPresencePoller()) {
        ReportFatal("cannot start the presence poller.", kNoPollerText);
        ShutDown();
        return 0;
    }

    CPaintManagerUI::MessageLoop();
    ShutDown();
    return 0;
}
