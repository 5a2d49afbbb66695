// Start-up bench: time from process creation to the end of the main window's first
// paint, for RadioConsole.exe (with the stand-in libraries) and for BareWindow.exe, run
// alternately in one go, at 100 % and then at 200 % (the prefix's LogPixels set for the
// runs and put back); prints each run, the medians and their ratio, and where the
// time goes: the median of each set-up step (from the programs' start-up marks) and of
// the UI library's own totals (skin build, image decode, layout, paint); last the scaled
// start against the unscaled one.
// Usage: StartupBench.exe [runs]   (from bin/, under Wine or Windows)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "bench/support/Median.h"

namespace {

std::wstring BinFolder() {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

// One run's report: time to first paint (negative on failure), each step's duration in
// the order the program marked them, the UI library's totals.
struct RunReport {
    double firstPaintMs = -1;
    std::vector<std::pair<std::string, double>> steps;
    std::vector<std::pair<std::string, double>> uilib;
};

RunReport Parse(const std::string &output) {
    RunReport report;
    std::istringstream lines(output);
    std::string line;
    double previous = 0;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const char *text = line.c_str();
        char *rest = nullptr;
        if (line.compare(0, 9, "mark-ms: ") == 0) {
            const double at = std::strtod(text + 9, &rest);
            report.steps.emplace_back(std::string(rest + 1), at - previous);
            previous = at;
        } else if (line.compare(0, 10, "uilib-ms: ") == 0) {
            const double ms = std::strtod(text + 10, &rest);
            const long count = std::strtol(rest, &rest, 10);
            report.uilib.emplace_back(std::string(rest + 1) + " (" + std::to_string(count) + "x)", ms);
        } else if (line.compare(0, 16, "first-paint-ms: ") == 0) {
            report.firstPaintMs = std::atof(text + 16);
        }
    }
    return report;
}

// A program's exit goes on costing the machine for a while after its process has ended
// (here, over 100 ms after the console's): each run waits this long first, so that no run
// pays for the one before it.
const DWORD kQuietBeforeRunMs = 500;

// Runs exe with the probe on and reads its report.
RunReport RunOnce(const std::wstring &exe) {
    ::Sleep(kQuietBeforeRunMs);
    SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!::CreatePipe(&readEnd, &writeEnd, &sa, 0)) return RunReport();
    ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = writeEnd;
    si.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    si.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION pi = {};
    std::wstring commandLine = L"\"" + exe + L"\"";
    const BOOL created = ::CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr,
                                          BinFolder().c_str(), &si, &pi);
    ::CloseHandle(writeEnd);
    if (!created) {
        ::CloseHandle(readEnd);
        return RunReport();
    }
    std::string output;
    char buffer[256];
    DWORD got = 0;
    while (::ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0) output.append(buffer, got);
    ::CloseHandle(readEnd);
    if (::WaitForSingleObject(pi.hProcess, 30000) != WAIT_OBJECT_0) ::TerminateProcess(pi.hProcess, 1);
    ::CloseHandle(pi.hProcess);
    ::CloseHandle(pi.hThread);
    return Parse(output);
}

// Per name, the median over the runs, in the order of the first run that has the name.
std::vector<std::pair<std::string, double>> Medians(const std::vector<RunReport> &runs,
                                                    std::vector<std::pair<std::string, double>> RunReport::*field) {
    std::vector<std::string> order;
    std::map<std::string, std::vector<double>> values;
    for (const RunReport &run : runs) {
        for (const auto &entry : run.*field) {
            if (values.find(entry.first) == values.end()) order.push_back(entry.first);
            values[entry.first].push_back(entry.second);
        }
    }
    std::vector<std::pair<std::string, double>> out;
    for (const std::string &name : order) out.emplace_back(name, Median(values[name]));
    return out;
}

void PrintBreakdown(const char *program, const std::vector<RunReport> &runs) {
    std::printf("%s, median of each step (ms):\n", program);
    for (const auto &step : Medians(runs, &RunReport::steps))
        std::printf("  %8.1f  %s\n", step.second, step.first.c_str());
    const auto uilib = Medians(runs, &RunReport::uilib);
    if (uilib.empty()) return;
    std::printf("  of which in the UI library, median total until first paint (ms):\n");
    for (const auto &step : uilib) std::printf("  %8.1f  %s\n", step.second, step.first.c_str());
}

// Sets the scale new processes start with (Wine reads LogPixels at each process's start)
// for its lifetime, then puts the previous value back.
class ScopedLogPixels {
public:
    explicit ScopedLogPixels(DWORD dpi) {
        if (::RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_READ | KEY_WRITE,
                              nullptr, &m_key, nullptr) != ERROR_SUCCESS)
            return;
        DWORD size = sizeof(m_old);
        m_hadOld = ::RegQueryValueExW(m_key, L"LogPixels", nullptr, nullptr, reinterpret_cast<BYTE *>(&m_old), &size) ==
                   ERROR_SUCCESS;
        ::RegSetValueExW(m_key, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE *>(&dpi), sizeof(dpi));
    }
    ~ScopedLogPixels() {
        if (m_key == nullptr) return;
        if (m_hadOld)
            ::RegSetValueExW(m_key, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE *>(&m_old), sizeof(m_old));
        else
            ::RegDeleteValueW(m_key, L"LogPixels");
        ::RegCloseKey(m_key);
    }

private:
    HKEY m_key = nullptr;
    DWORD m_old = 0;
    bool m_hadOld = false;
};

struct FirstPaint {
    double console = 0, bare = 0;
};

// Alternate runs of the bare window and the console at one scale; false when a program
// never painted.
bool MeasureAt(const char *scale, int runs, FirstPaint &out) {
    const std::wstring console = BinFolder() + L"RadioConsole.exe";
    const std::wstring bare = BinFolder() + L"BareWindow.exe";
    RunOnce(bare);  // warm-up: the first process start pays for loading the system
    RunOnce(console);
    std::vector<RunReport> consoleRuns, bareRuns;
    std::vector<double> pairRatios;  // each console run against the bare run just before it
    for (int i = 0; i < runs; ++i) {
        const RunReport b = RunOnce(bare);
        const RunReport c = RunOnce(console);
        std::printf("%s run %d: console %.1f ms, bare window %.1f ms\n", scale, i + 1, c.firstPaintMs, b.firstPaintMs);
        if (b.firstPaintMs > 0) bareRuns.push_back(b);
        if (c.firstPaintMs > 0) consoleRuns.push_back(c);
        if (b.firstPaintMs > 0 && c.firstPaintMs > 0) pairRatios.push_back(c.firstPaintMs / b.firstPaintMs);
    }
    if (consoleRuns.empty() || bareRuns.empty()) return false;
    std::vector<double> consoleMs, bareMs;
    for (const RunReport &r : consoleRuns) consoleMs.push_back(r.firstPaintMs);
    for (const RunReport &r : bareRuns) bareMs.push_back(r.firstPaintMs);
    out = {Median(consoleMs), Median(bareMs)};
    PrintBreakdown("console", consoleRuns);
    PrintBreakdown("bare window", bareRuns);
    std::printf("%s median to first paint: console %.1f ms, bare window %.1f ms\n", scale, out.console, out.bare);
    std::printf("%s ratio console / bare: %.2f (target <= 1.25); median of the runs' own ratios: %.2f\n", scale,
                out.console / out.bare, Median(pairRatios));
    return true;
}

}  // namespace

int main(int argc, char **argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
    ::SetEnvironmentVariableW(L"RADIO_CONSOLE_STARTUP_PROBE", L"1");
    ::SetEnvironmentVariableW(L"BM_STANDIN_SOUND", L"0");
    FirstPaint at100, at200;
    bool ok;
    {
        ScopedLogPixels scale(96);
        ok = MeasureAt("100 %", runs, at100);
    }
    if (ok) {
        ScopedLogPixels scale(192);
        ok = MeasureAt("200 %", runs, at200);
    }
    if (!ok) {
        std::printf("no figures: a program did not report its first paint\n");
        return 1;
    }
    std::printf("console at 200 %% / at 100 %%: %.2f (target <= 1.1); bare window: %.2f\n",
                at200.console / at100.console, at200.bare / at100.bare);
    return 0;
}
