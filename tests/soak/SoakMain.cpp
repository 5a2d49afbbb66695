// Soak.exe SECONDS [--stations N] [--seed N]: the real console with the stand-ins under a
// network of hundreds of stations that come and go, recording on, and an operator who
// never stops, for SECONDS. It fails when the console crashes, when its main window
// stops answering, when a sampled figure keeps growing (tests/soak/Growth.h), or when,
// once the network is frozen, the station list differs from the stations present.
// Prints the samples at the start, middle and end. Exit code 0 when it passed.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <set>
#include <string>
#include <vector>

#include "tests/soak/Growth.h"
#include "tests/soak/SoakNetwork.h"
#include "tests/soak/SoakOperator.h"
#include "tests/soak/SoakWatch.h"
#include "tests/support/ConsoleProcess.h"
#include "tests/support/UiDump.h"
#include "tests/support/WaitFor.h"

using namespace soak;

namespace {

const unsigned kAnswerMs = 15000;  // a main window silent this long has stopped answering
const unsigned kSettleMs = 30000;  // for the list to catch up with the frozen network
// Growth accepted in the last third whatever came before (see Growth.h); working set
// is only shown: file pages come and go with the rest of the machine.
const double kAllowance[kFigureCount] = {4096, -1, 32768, 32, 2, 64, 32};

struct Options {
    unsigned seconds = 0;
    int stations = 300;
    unsigned seed = 0;
};

bool ParseOptions(int argc, wchar_t **argv, Options *o) {
    o->seed = ::GetTickCount();
    if (argc < 2 || (o->seconds = wcstoul(argv[1], nullptr, 10)) == 0) return false;
    for (int i = 2; i + 1 < argc; i += 2) {
        const unsigned long v = wcstoul(argv[i + 1], nullptr, 10);
        if (wcscmp(argv[i], L"--stations") == 0 && v > 0 && v <= 9999)
            o->stations = static_cast<int>(v);
        else if (wcscmp(argv[i], L"--seed") == 0)
            o->seed = static_cast<unsigned>(v);
        else
            return false;
    }
    return (argc % 2) == 0;
}

// The serials in the station list, in list order (the station page must be shown).
std::vector<std::string> ListedSerials(HWND main) {
    std::vector<std::string> serials;
    const e2e::UiDump dump = e2e::UiDump::Of(main);
    for (const e2e::DumpedControl *row : dump.Visible("ListTextElement"))
        serials.push_back(e2e::SplitText(row->text, '\x1f')[0]);
    return serials;
}

// Empty when the list holds each present station once and nothing else.
std::string ListDifference(const std::vector<std::string> &listed, const std::set<std::string> &present) {
    std::string diff;
    std::set<std::string> seen;
    for (const std::string &s : listed) {
        if (!seen.insert(s).second)
            diff += " twice:" + s;
        else if (!present.count(s))
            diff += " not present:" + s;
    }
    for (const std::string &s : present)
        if (!seen.count(s)) diff += " missing:" + s;
    return diff;
}

void PrintSamples(const std::vector<Sample> &samples) {
    std::printf("soak: samples (- where the platform gives no figure)\n%-8s %7s", "", "time");
    for (int f = 0; f < kFigureCount; ++f) std::printf(" %14s", FigureName(static_cast<Figure>(f)));
    std::printf("\n");
    if (samples.empty()) return;
    const char *const kWhen[] = {"start", "middle", "end"};
    const size_t at[] = {0, samples.size() / 2, samples.size() - 1};
    for (int i = 0; i < 3; ++i) {
        const Sample &s = samples[at[i]];
        std::printf("%-8s %6.0fs", kWhen[i], s.seconds);
        for (int f = 0; f < kFigureCount; ++f) {
            if (s.value[f] < 0)
                std::printf(" %14s", "-");
            else
                std::printf(" %14lld", s.value[f]);
        }
        std::printf("\n");
    }
}

// Prints each figure's verdict; false when one does not level off.
bool JudgeFigures(const std::vector<Sample> &samples) {
    bool ok = true;
    std::printf("soak: growth by thirds of the run (median levels; early = middle - first, late = last - "
                "middle; levelled when late <= allowance or late <= early/2)\n");
    for (int f = 0; f < kFigureCount; ++f) {
        std::vector<double> series;
        for (const Sample &s : samples)
            if (s.value[f] >= 0) series.push_back(static_cast<double>(s.value[f]));
        const char *name = FigureName(static_cast<Figure>(f));
        if (series.size() != samples.size() || series.empty()) {
            std::printf("  %-14s not sampled\n", name);
            continue;
        }
        const GrowthVerdict v = JudgeGrowth(series, kAllowance[f] < 0 ? 1e18 : kAllowance[f]);
        if (!v.judged) {
            std::printf("  %-14s too few samples to judge\n", name);
        } else if (kAllowance[f] < 0) {
            std::printf("  %-14s early %+.0f, late %+.0f (shown only)\n", name, v.early, v.late);
        } else {
            std::printf("  %-14s early %+.0f, late %+.0f, allowance %.0f: %s\n", name, v.early, v.late, kAllowance[f],
                        v.levelled ? "levelled" : "STILL GROWING");
            ok = ok && v.levelled;
        }
    }
    return ok;
}

void RemoveFolder(const std::wstring &folder) {
    WIN32_FIND_DATAW fd;
    const HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &fd);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                ::DeleteFileW((folder + L"\\" + fd.cFileName).c_str());
        } while (::FindNextFileW(find, &fd));
        ::FindClose(find);
    }
    ::RemoveDirectoryW(folder.c_str());
}

int Fail(const std::string &why) {
    std::printf("soak: FAILED: %s\n", why.c_str());
    std::fflush(stdout);
    return 1;
}

}  // namespace

int wmain(int argc, wchar_t **argv) {
    Options options;
    if (!ParseOptions(argc, argv, &options)) {
        std::fprintf(stderr, "usage: Soak SECONDS [--stations N] [--seed N]\n");
        return 2;
    }
    std::setvbuf(stdout, nullptr, _IONBF, 0);  // nothing lost if the run is cut short
    // The console must not hold our output open: a pipe reader would wait for it.
    ::SetHandleInformation(::GetStdHandle(STD_OUTPUT_HANDLE), HANDLE_FLAG_INHERIT, 0);
    std::printf("soak: %u s, %d stations, seed %u\n", options.seconds, options.stations, options.seed);

    NetworkPlan plan;
    plan.stations = options.stations;
    plan.seed = options.seed;
    const e2e::StandinSetup standin = e2e::MakeStandinSetup(L"soak", NetworkScenario(plan));
    e2e::ConsoleProcess console(standin.Env());
    const HWND main = e2e::WaitMainWindow(console, 60000);
    if (main == nullptr) return Fail("the console did not open its main window");
    const HANDLE process =
        ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | SYNCHRONIZE, FALSE, console.Pid());
    if (process == nullptr) return Fail("cannot open the console process");

    // One sample every 2 s in short runs; about 300 samples in long ones.
    const unsigned intervalMs = std::max(2000u, options.seconds * 1000 / 300);
    Watch watch(process, console.Pid(), main, intervalMs, kAnswerMs);
    Operator person(console, main, standin.pipe, options.seed);
    const DWORD start = ::GetTickCount();
    const DWORD runMs = options.seconds * 1000;
    DWORD nextProgress = runMs / 10;
    while (!watch.Failed() && ::GetTickCount() - start < runMs) {
        person.Step();
        if (options.seconds >= 300 && ::GetTickCount() - start >= nextProgress) {
            const std::vector<Sample> s = watch.Samples();
            if (!s.empty())
                std::printf("soak: %4.0f s  private %lld KB  handles %lld  threads %lld\n", s.back().seconds,
                            s.back().value[kPrivateKb], s.back().value[kHandles], s.back().value[kThreads]);
            nextProgress += runMs / 10;
        }
    }
    std::string failure;
    if (!watch.Failed()) {
        person.Finish();
        const DWORD freezing = ::GetTickCount();
        std::set<std::string> present;
        std::string error;
        if (!FreezeNetwork(standin.pipe, &present, &error)) {
            failure = "could not freeze the network: " + error;
        } else {
            const DWORD frozen = ::GetTickCount();
            std::vector<std::string> listed;
            std::string diff;
            testsupport::WaitFor([&] { return (diff = ListDifference(listed = ListedSerials(main), present)).empty(); },
                                 kSettleMs);
            std::printf("soak: operator stopped at %.0f s; network frozen in %.1f s with %zu stations present; the "
                        "list %s after %.1f s\n",
                        (freezing - start) / 1000.0, (frozen - freezing) / 1000.0, present.size(),
                        diff.empty() ? "matched" : "still differed", (::GetTickCount() - frozen) / 1000.0);
            if (!diff.empty())
                failure = "the list (" + std::to_string(listed.size()) + " rows) differs from the " +
                          std::to_string(present.size()) + " stations present:" + diff.substr(0, 2000);
        }
    }
    watch.Stop();
    const std::vector<Sample> samples = watch.Samples();
    if (watch.Failed()) failure = watch.Failure();

    std::printf("soak: figures on this platform:\n%s", watch.Sources().c_str());
    PrintSamples(samples);
    std::printf("soak: slowest answer of the main window: %u ms (limit %u ms)\n", watch.SlowestAnswerMs(), kAnswerMs);
    const bool levelled = JudgeFigures(samples);
    std::printf("soak: operator: %s\n", person.Summary().c_str());
    if (failure.empty() && !levelled) failure = "a figure kept growing";
    std::string why;
    if (failure.empty() && !person.TookEffect(&why))
        failure = "the operator's actions did not reach the console: " + why;
    if (failure.empty() && !person.UnexpectedBoxes().empty())
        failure = "unexpected message box: " + person.UnexpectedBoxes().front();
    if (failure.empty() && !e2e::CloseConsole(console, main, 30000))
        failure = "the console did not end with exit code 0 when closed";
    ::CloseHandle(process);
    if (!failure.empty()) return Fail(failure);
    RemoveFolder(standin.data);
    std::printf("soak: passed\n");
    return 0;
}
