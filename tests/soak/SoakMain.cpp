// Soak.exe SECONDS [SEED]: the real console with the stand-ins under 300 stations that come
// and go, recording on, and an operator who never stops. It fails on a crash, a hang, a
// figure that keeps growing, an unprovoked message box, a station list that differs from
// the frozen network, or an exit code other than 0.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <filesystem>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "tests/soak/Growth.h"
#include "tests/soak/SoakOperator.h"
#include "tests/soak/SoakWatch.h"
#include "tests/support/ConsoleProcess.h"
#include "tests/support/StandinPipe.h"
#include "tests/support/UiDump.h"
#include "tests/support/WaitFor.h"

using namespace soak;

namespace {

const unsigned kAnswerMs = 15000;  // a main window silent this long has stopped answering
const unsigned kSettleMs = 30000;  // for the list to catch up with the frozen network

// Stations mostly come and go within 6 to 25 s; a few stay, a few rarely show.
std::string NetworkScenario(unsigned seed) {
    std::mt19937 rng(seed);
    auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    std::string text = "report-interval 3000\nrejoin-delay 2000\nrecord-first 1000\nrecord-interval 6000\n"
                       "record-length 3000\nrecording on\nclear\n";
    char line[320];
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    for (int i = 0; i < 40; ++i) {
        snprintf(line, sizeof line, "call %04d-%02d-%02d 00:%02d:00 seconds=%d name=soak%02d.wav\n", now.wYear,
                 now.wMonth, now.wDay, i, pick(2, 20), i);
        text += line;
    }
    for (int i = 0; i < 300; ++i) {
        const int kind = pick(0, 19), period = pick(6, 25), leave = pick(1, period - 3);
        const std::string presence = kind == 0   ? ""
                                     : kind == 1 ? " present=0-2 period=" + std::to_string(pick(15, 40))
                                                 : " present=0-" + std::to_string(leave) + "," +
                                                       std::to_string(pick(leave + 2, period - 1)) +
                                                       "- period=" + std::to_string(period);
        snprintf(line, sizeof line,
                 "station SOAK-%04d version=%d channel=%d callmagic=%d zonemagic=%d repeater=%d ip=10.%d.%d.%d "
                 "mask=255.255.0.0 gateway=10.%d.0.1 manager=10.0.0.2 proxy0=1.2.3.4%s\n",
                 i, pick(1, 9), pick(1, 200), pick(1, 999999), pick(1, 10), pick(0, 3), i / 250, i % 250, pick(1, 254),
                 i / 250, presence.c_str());
        text += line;
    }
    return text;
}

// Keeps every station as it is now; the request that failed, or "".
std::string FreezeNetwork(const std::wstring &pipe, std::set<std::string> *present) {
    for (int pass = 0; pass < 2; ++pass) {
        const e2e::PipeAnswer list = e2e::AskStandin(pipe, "station list", 15000);
        if (!list.ok) return "station list: " + list.status;
        present->clear();
        for (const std::string &line : list.lines) {
            const std::string serial = line.substr(0, line.find(' '));
            const bool here = line.compare(serial.size(), 9, " present ") == 0;
            if (here) present->insert(serial);
            const std::string request = (here ? "station restore " : "station drop ") + serial;
            if (pass == 0 && !e2e::AskStandin(pipe, request, 15000).ok) return request + ": no answer";
        }
    }
    return "";
}

std::string ListDifference(HWND main, const std::set<std::string> &present) {
    std::string diff;
    std::set<std::string> seen;
    const e2e::UiDump dump = e2e::UiDump::Of(main);
    for (const e2e::DumpedControl *row : dump.Visible("ListTextElement")) {
        const std::string s = e2e::SplitText(row->text, '\x1f')[0];
        if (!seen.insert(s).second || !present.count(s)) diff += (present.count(s) ? " twice:" : " not present:") + s;
    }
    for (const std::string &s : present)
        if (!seen.count(s)) diff += " missing:" + s;
    return diff;
}

// A run shorter than a minute is all warm-up: its figures are only shown.

bool JudgeFigures(const std::vector<Sample> &samples, bool judge) {
    bool ok = true;
    std::printf("soak: figures; growth by thirds of the run: early = middle - first, late = last - middle\n");
    for (double Sample::*figure : {&Sample::privateKb, &Sample::handles}) {
        const bool handles = figure == &Sample::handles;
        std::vector<double> series;
        for (const Sample &s : samples) series.push_back(s.*figure);
        const GrowthVerdict v = JudgeGrowth(series, handles ? 32 : 4096);
        std::printf("  %-10s", handles ? "handles" : "private KB");
        for (size_t at : {size_t(0), series.size() / 2, series.size() - 1})
            if (at < series.size()) std::printf(" %10.0f", series[at]);
        std::printf("  early %+.0f, late %+.0f: %s\n", v.early, v.late,
                    !judge       ? "shown only"
                    : v.levelled ? "levelled"
                                 : "STILL GROWING");
        ok = ok && (v.levelled || !judge);
    }
    return ok;
}

}  // namespace

int wmain(int argc, wchar_t **argv) {
    const unsigned seconds = argc > 1 ? wcstoul(argv[1], nullptr, 10) : 0;
    const unsigned seed = argc > 2 ? wcstoul(argv[2], nullptr, 10) : ::GetTickCount();
    if (seconds == 0 || argc > 3) {
        std::fprintf(stderr, "usage: Soak SECONDS [SEED]\n");
        return 2;
    }
    std::setvbuf(stdout, nullptr, _IONBF, 0);  // nothing lost if the run is cut short
    // The console must not hold our output open: a pipe reader would wait for it.
    ::SetHandleInformation(::GetStdHandle(STD_OUTPUT_HANDLE), HANDLE_FLAG_INHERIT, 0);
    std::printf("soak: %u s, seed %u\n", seconds, seed);

    const e2e::StandinSetup standin = e2e::MakeStandinSetup(L"soak", NetworkScenario(seed));
    e2e::ConsoleProcess console(standin.Env());
    const HWND main = e2e::WaitMainWindow(console, 60000);
    const HANDLE process =
        ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | SYNCHRONIZE, FALSE, console.Pid());
    std::string failure = main && process ? "" : "the console did not open its main window";
    // One sample a second in short runs; about 300 samples in long ones.
    Watch watch(process, console.Pid(), main, std::max(1000u, seconds * 1000 / 300), kAnswerMs);
    const DWORD start = ::GetTickCount();
    if (failure.empty()) {
        const std::string fault = Operate(
            console, main, seed, [&] { return watch.Failure().empty() && ::GetTickCount() - start < seconds * 1000; });
        failure = watch.Failure();
        std::set<std::string> present;
        if (failure.empty()) failure = FreezeNetwork(standin.pipe, &present);
        std::string diff;
        if (failure.empty() &&
            !testsupport::WaitFor([&] { return (diff = ListDifference(main, present)).empty(); }, kSettleMs))
            failure = "the list differs from the " + std::to_string(present.size()) +
                      " stations present:" + diff.substr(0, 2000);
        if (failure.empty()) failure = fault;
    }
    const std::vector<Sample> samples = watch.Stop();
    if (failure.empty()) failure = watch.Failure();
    if (!JudgeFigures(samples, seconds >= 60) && failure.empty()) failure = "a figure kept growing";
    if (failure.empty() && !e2e::CloseConsole(console, main, 30000))
        failure = "the console did not end with exit code 0 when closed";
    if (process) ::CloseHandle(process);
    std::error_code ignored;
    if (failure.empty()) std::filesystem::remove_all(standin.data, ignored);  // kept to look at when it failed
    std::printf("soak: %s%s\n", failure.empty() ? "passed" : "FAILED: ", failure.c_str());
    return failure.empty() ? 0 : 1;
}
