// Prints two figures of the call pages, measured with the stand-in BmService.dll:
//  - a page fill (rows removed, date texts built, DbGetCallFirst + DbGetCallNext, 16 rows
//    built in the list) at pages 0 and 1000 of an index of 1,000,000 calls, with and
//    without the repaint that follows; target <= 20 ms each;
//  - the playback window's tick: the period between 61 consecutive WM_TIMER ticks of a
//    started playback (60 s); target: mean within 1000 +- 20 ms.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "calls/CallPaging.h"
#include "calls/PlayWindow.h"
#include "service/BmService.h"
#include "standin/core/CallIndex.h"
#include "bench/support/SyntheticCalls.h"
#include "standin/core/DateText.h"
#include "tests/support/SkinInput.h"
#include "ui/ConsoleTitle.h"
#include "ui/DemoFrameWnd.h"

namespace {

const int kCalls = 1000000;
const int kRepeats = 25;
const int kTicks = 61;
const char kTickCallStart[] = "2024-06-01 12:00:00";
const char kTickCallName[] = "tick.wav";

double Ms(LARGE_INTEGER a, LARGE_INTEGER b) {
    static const LARGE_INTEGER freq = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    return 1000.0 * static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(freq.QuadPart);
}

LARGE_INTEGER Now() {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t;
}

void RemoveFolder(const std::wstring &folder) {
    for (const wchar_t *f : {L"calls.idx", L"calls.idx.bad", L"calls.idx.tmp", L"scenario.txt", L"tick.wav"})
        DeleteFileW((folder + L"\\" + f).c_str());
    RemoveDirectoryW(folder.c_str());
}

// An index of kCalls calls, one every 30 s from 2023-01-01; the stand-in opens it.
bool MakeStore(const std::wstring &folder) {
    RemoveFolder(folder);
    CreateDirectoryW(folder.c_str(), nullptr);
    const auto calls = MakeSyntheticCalls(kCalls);
    standin::CallIndex index;
    if (!index.Open(folder + L"\\calls.idx") || !index.AddMany(calls)) return false;

    const std::wstring scenario = folder + L"\\scenario.txt";
    // No stations; one 90 s voice file outside the benchmarked year, for the tick.
    FILE *out = _wfopen(scenario.c_str(), L"wb");
    if (out == nullptr) return false;
    fprintf(out, "call %s seconds=90 name=%s\n", kTickCallStart, kTickCallName);
    fclose(out);
    SetEnvironmentVariableW(L"BM_STANDIN_SCENARIO", scenario.c_str());
    SetEnvironmentVariableW(L"BM_STANDIN_DATA", folder.c_str());
    SetEnvironmentVariableW(L"BM_STANDIN_SOUND", L"0");
    SetEnvironmentVariableW(L"BM_STANDIN_PIPE",
                            (L"\\\\.\\pipe\\calls-bench-" + std::to_wstring(GetCurrentProcessId())).c_str());
    return true;
}

void SetDate(CControlUI *picker, int y, int m, int d) {
    SYSTEMTIME st = {};
    st.wYear = static_cast<WORD>(y);
    st.wMonth = static_cast<WORD>(m);
    st.wDay = static_cast<WORD>(d);
    static_cast<CDateTimeUI *>(picker)->SetTime(&st);
}

void BenchPageFill(CPaintManagerUI &pm) {
    SetDate(pm.FindControl(L"StartDate"), 2023, 1, 1);
    SetDate(pm.FindControl(L"EndDate"), 2023, 12, 31);
    for (int page : {0, 1000}) {
        std::vector<double> fill, withPaint;
        int rows = 0;
        for (int r = 0; r < kRepeats; ++r) {
            // Page 0 through Find; page 1000 through Next from page 999.
            if (page > 0) g_callPageIndex = page - 1;
            CControlUI *button = pm.FindControl(page == 0 ? L"FindVoiceFileBtn" : L"NextCallListBtn");
            const LARGE_INTEGER a = Now();
            pm.SendNotify(button, DUI_MSGTYPE_CLICK);
            const LARGE_INTEGER b = Now();
            ::RedrawWindow(pm.GetPaintWindow(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            const LARGE_INTEGER c = Now();
            fill.push_back(Ms(a, b));
            withPaint.push_back(Ms(a, c));
            rows = static_cast<CListUI *>(pm.FindControl(L"CallList"))->GetCount();
        }
        std::sort(fill.begin(), fill.end());
        std::sort(withPaint.begin(), withPaint.end());
        printf("page %4d fill (query + %d rows built): median %.3f ms, max %.3f ms; "
               "with repaint: median %.3f ms, max %.3f ms (target <= 20 ms)\n",
               page, rows, fill[fill.size() / 2], fill.back(), withPaint[withPaint.size() / 2], withPaint.back());
    }
}

void BenchTick() {
    char one = '1', name[100] = {};
    int id = 0;
    if (DbGetCallFirst(0, &one, &id, name, "2024-06-01 00:00:00", "2024-06-01 23:59:59", 0, 1) != 0) {
        printf("playback tick: the voice file was not seeded\n");
        return;
    }
    StartPlayback(name, id);
    ::ShowWindow(g_pPlayWnd->GetHWND(), SW_SHOWNOACTIVATE);
    const HWND play = g_pPlayWnd->GetHWND();
    std::vector<LARGE_INTEGER> ticks;
    MSG msg;
    while (static_cast<int>(ticks.size()) < kTicks && GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER && msg.hwnd == play) ticks.push_back(Now());
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    std::vector<double> periods;
    for (size_t i = 1; i < ticks.size(); ++i) periods.push_back(Ms(ticks[i - 1], ticks[i]));
    if (periods.empty()) {
        printf("playback tick: no ticks seen\n");
        return;
    }
    double sum = 0;
    for (double p : periods) sum += p;
    const double mean = sum / static_cast<double>(periods.size());
    const auto mm = std::minmax_element(periods.begin(), periods.end());
    printf("playback tick (file playing: %s) over %u periods: mean %.1f ms, min %.1f ms, max %.1f ms, "
           "drift over the run %+.1f ms (target: mean 1000 +- 20 ms)\n",
           VoicePlayFileTotalFrameNum() > 0 ? "yes" : "no", static_cast<unsigned>(periods.size()), mean, *mm.first,
           *mm.second, sum - 1000.0 * static_cast<double>(periods.size()));
}

}  // namespace

int main() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"calls-bench";
    if (!MakeStore(folder)) {
        fprintf(stderr, "cannot write the index\n");
        return 1;
    }
    printf("BmSrvInitialize: %d\n", BmSrvInitialize());

    // The call page in front on the main window.
    testsupport::UseInstalledSkins();
    CDemoFrameWnd *frame = new CDemoFrameWnd();
    frame->Create(nullptr, kConsoleTitle, 0x10cf0000, 0x60080, 0, 0, 800, 572);
    ::ShowWindow(frame->GetHWND(), SW_SHOW);
    CPaintManagerUI &pm = frame->PaintManager();
    for (const wchar_t *option : {L"menu1", L"menu1_1"}) pm.FindControl(option)->Activate();
    BenchPageFill(pm);
    fflush(stdout);
    BenchTick();
    return 0;
}
