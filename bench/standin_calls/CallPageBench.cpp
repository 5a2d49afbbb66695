// Prints how long the stand-in call store takes over 1,000,000 indexed calls: generating
// the index, opening it (directly and through BmSrvInitialize), and reading a page as the
// console does (DbGetCallFirst + 16 DbGetCallNext, count 17) at pages 0, 100 and 1000.
// Targets: a page read <= 5 ms, the open <= 1 s. Index entries only; no voice files.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "service/BmService.h"
#include "standin/core/CallIndex.h"
#include "standin/core/CallStore.h"
#include "bench/support/SyntheticCalls.h"
#include "standin/core/DateText.h"

namespace {

const int kCalls = 1000000;
const int kRepeats = 25;

double Ms(LARGE_INTEGER a, LARGE_INTEGER b) {
    static LARGE_INTEGER freq = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    return 1000.0 * (b.QuadPart - a.QuadPart) / freq.QuadPart;
}

LARGE_INTEGER Now() {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t;
}

void RemoveFolder(const std::wstring &folder) {
    for (const wchar_t *f : {L"calls.idx", L"calls.idx.bad", L"calls.idx.tmp", L"scenario.txt"})
        DeleteFileW((folder + L"\\" + f).c_str());
    RemoveDirectoryW(folder.c_str());
}

}  // namespace

int main() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring folder = std::wstring(temp) + L"standin-bench";
    RemoveFolder(folder);
    CreateDirectoryW(folder.c_str(), nullptr);

    auto calls = MakeSyntheticCalls(kCalls);
    LARGE_INTEGER t0 = Now();
    {
        standin::CallIndex index;
        if (!index.Open(folder + L"\\calls.idx") || !index.AddMany(calls)) {
            fprintf(stderr, "cannot write the index\n");
            return 1;
        }
    }
    LARGE_INTEGER t1 = Now();
    printf("generate index of %d calls: %.1f ms\n", kCalls, Ms(t0, t1));
    calls.clear();
    calls.shrink_to_fit();

    {
        standin::CallStore store;
        LARGE_INTEGER a = Now();
        bool ok = store.Open(folder);
        LARGE_INTEGER b = Now();
        printf("open index directly: %.1f ms (%s, %u calls)\n", Ms(a, b), ok ? "ok" : "FAILED",
               static_cast<unsigned>(store.Count()));
    }

    std::wstring scenario = folder + L"\\scenario.txt";
    HANDLE h = CreateFileW(scenario.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(h);  // an empty world: no stations, no seeded calls
    SetEnvironmentVariableW(L"BM_STANDIN_SCENARIO", scenario.c_str());
    SetEnvironmentVariableW(L"BM_STANDIN_DATA", folder.c_str());
    SetEnvironmentVariableW(L"BM_STANDIN_SOUND", L"0");
    SetEnvironmentVariableW(L"BM_STANDIN_PIPE",
                            (L"\\\\.\\pipe\\standin-bench-" + std::to_wstring(GetCurrentProcessId())).c_str());
    LARGE_INTEGER a = Now();
    int init = BmSrvInitialize();
    LARGE_INTEGER b = Now();
    printf("BmSrvInitialize (opens the index): %.1f ms, result %d (target <= 1000 ms)\n", Ms(a, b), init);

    const char *from = "2023-01-01 00:00:00", *to = "2023-12-31 23:59:59";
    for (int page : {0, 100, 1000, 10000, 62499}) {
        std::vector<double> times;
        int rows = 0;
        for (int r = 0; r < kRepeats; ++r) {
            char one = '1', buf[100];
            int id = 0;
            rows = 0;
            LARGE_INTEGER s = Now();
            if (DbGetCallFirst(0, &one, &id, buf, from, to, page * 16, 17) == 0) {
                ++rows;
                for (int k = 0; k < 16; ++k)
                    if (DbGetCallNext(buf, &id) == 0) ++rows;
            }
            times.push_back(Ms(s, Now()));
        }
        std::sort(times.begin(), times.end());
        printf("page %5d read (First + 16 Next, %2d records): median %.3f ms, max %.3f ms "
               "(target <= 5 ms)\n",
               page, rows, times[times.size() / 2], times.back());
    }
    // The index stays open in the library; the folder is emptied at the next run's start.
    return 0;
}
