// Prints: intake of 10,000 distinct reports (total; the last reports against the first),
// a duplicate report at 10 rows against 10,000, one presence pass over 10,000 rows with
// an instant status answer, painting the list page at 10,000 rows against 10, and a
// screen reader's walk of the whole main window (WM_GETOBJECT, then every object).
#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "basestation/BsListRows.h"
#include "tests/support/AccWalk.h"
#include "basestation/BsReportBlock.h"
#include "tests/basestation_ui/BsUiHarness.h"
#include "tests/double/ServiceDouble.h"
#include "tests/support/WaitFor.h"

using namespace bstest;
namespace sd = servicedouble;

namespace {

const int kRows = 10000;

double Now() {
    static LARGE_INTEGER freq = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    ::QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(freq.QuadPart);
}

double Percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[static_cast<size_t>(p * (v.size() - 1))];
}

double Median(const std::vector<double> &v) { return Percentile(v, 0.5); }

std::string Serial(int i) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "BENCH-%05d", i);
    return buf;
}

// One report handled as the main window handles WM_BS_REPORT; milliseconds.
double HandleReport(int i) {
    BsConfig r = SampleRecord(i);
    BsReportBlock *block = bs::NewReportBlock(Serial(i).c_str(), &r);
    const double t0 = Now();
    MainFrame().Rows().OnBsReport(reinterpret_cast<WPARAM>(block->serial), reinterpret_cast<LPARAM>(&block->record));
    return Now() - t0;
}

double DuplicateReport(int rows) {
    std::vector<double> times;
    for (int k = 0; k < 2000; ++k) times.push_back(HandleReport(k % rows));
    return Median(times);
}

// The diagnostic line every report writes, alone.
double DiagnosticLine() {
    std::vector<double> times;
    for (int k = 0; k < 2000; ++k) {
        const double t0 = Now();
        WriteReportLine(Serial(k).c_str());
        times.push_back(Now() - t0);
    }
    return Median(times);
}

double Paint() {
    std::vector<double> times;
    const HWND hwnd = MainFrame().GetHWND();
    for (int k = 0; k < 30; ++k) {
        ::InvalidateRect(hwnd, nullptr, FALSE);
        const double t0 = Now();
        ::UpdateWindow(hwnd);
        times.push_back(Now() - t0);
    }
    return Median(times);
}

double Pass() {
    std::vector<double> times;
    for (int k = 0; k < 20; ++k) {
        sd::Double()->calls.clear();
        const double t0 = Now();
        PollBsPresence();
        times.push_back(Now() - t0);
    }
    return Median(times);
}

// WM_GETOBJECT answered and the objects of the main window visited (name, role, state,
// value, place, default action), a list's rows all or those in view; milliseconds, and
// the objects seen.
double AccessWalk(bool allRows, size_t *objects) {
    std::vector<double> times;
    for (int k = 0; k < 5; ++k) {
        std::vector<acc::Node> nodes;
        const double t0 = Now();
        acc::Walk(MainFrame().GetHWND(), &nodes, allRows);
        times.push_back(Now() - t0);
        *objects = nodes.size();
    }
    return Median(times);
}

void Fill(int from, int to, std::vector<double> *times) {
    for (int i = from; i < to; ++i) {
        const double t = HandleReport(i);
        if (times) times->push_back(t);
    }
}

}  // namespace

int main() {
    // Each report writes its serial to standard output: keep the figures readable.
    std::fflush(stdout);
    const int savedOut = _dup(1);
    const int nul = _open("NUL", _O_WRONLY);
    _dup2(nul, 1);

    MainFrame();
    ResetStations();
    testsupport::PumpPending();

    std::vector<double> intake;
    const double t0 = Now();
    Fill(0, kRows, &intake);
    const double intakeTotal = Now() - t0;
    testsupport::PumpPending();
    const double firstReports = Median(std::vector<double>(intake.begin(), intake.begin() + 100));
    const double lastReports = Median(std::vector<double>(intake.end() - 100, intake.end()));

    const double dup10000 = DuplicateReport(kRows);
    const double pass10000 = Pass();
    List().SelectItem(0);
    const double paint10000 = Paint();
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    size_t objects10000 = 0, objects10 = 0, objectsAll = 0;
    const double walk10000 = AccessWalk(false, &objects10000);
    const double walkAll = AccessWalk(true, &objectsAll);

    ResetStations();
    Fill(0, 10, nullptr);
    const double dup10 = DuplicateReport(10);
    const double pass10 = Pass();
    List().SelectItem(0);
    const double paint10 = Paint();
    const double walk10 = AccessWalk(false, &objects10);
    const double diagnostic = DiagnosticLine();

    std::fflush(stdout);
    _dup2(savedOut, 1);
    std::printf("base-station figures (%d rows)\n", kRows);
    std::printf("  intake of %d distinct reports: %.1f ms total, %.1f us per report\n", kRows, intakeTotal,
                intakeTotal * 1000.0 / kRows);
    std::printf("  per report: median %.1f us, 99th percentile %.1f us, slowest %.1f us\n", Median(intake) * 1000,
                Percentile(intake, 0.99) * 1000, Percentile(intake, 1.0) * 1000);
    std::printf("  report %d against report 1 (median of 100 each): %.1f us / %.1f us = %.2f "
                "(target <= 1.5)\n",
                kRows, lastReports * 1000, firstReports * 1000, lastReports / firstReports);
    std::printf("  duplicate report: %.1f us at %d rows, %.1f us at 10 rows, ratio %.2f "
                "(target <= 1.5)\n",
                dup10000 * 1000, kRows, dup10 * 1000, dup10000 / dup10);
    std::printf("  of which the \"%%s.\\n\" line on standard output: %.1f us\n", diagnostic * 1000);
    std::printf("  presence pass, instant status: %.2f ms over %d rows (target <= 20 ms), "
                "%.3f ms over 10 rows\n",
                pass10000, kRows, pass10);
    std::printf("  list page paint: %.2f ms at %d rows, %.2f ms at 10 rows, ratio %.2f "
                "(target <= 1.5)\n",
                paint10000, kRows, paint10, paint10000 / paint10);
    std::printf("  screen reader's walk of the main window (WM_GETOBJECT, every object, rows in view): %.2f ms at "
                "%d rows (%zu objects; target < 50 ms), %.2f ms at 10 rows (%zu objects)\n",
                walk10000, kRows, objects10000, walk10, objects10);
    std::printf("  the same visiting every one of the %d rows: %.1f ms (%zu objects)\n", kRows, walkAll, objectsAll);
    return 0;
}
