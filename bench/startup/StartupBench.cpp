// Start-up bench: time from process creation to the end of the main window's first
// paint, for RadioConsole.exe (with the stand-in libraries) and for BareWindow.exe, run
// alternately in one go; prints each run, the medians and their ratio.
// Usage: StartupBench.exe [runs]   (from bin/, under Wine or Windows)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::wstring BinFolder() {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

// Runs exe with the probe on; the figure it prints, or a negative value on failure.
double RunOnce(const std::wstring &exe) {
    SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!::CreatePipe(&readEnd, &writeEnd, &sa, 0)) return -1;
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
        return -1;
    }
    std::string output;
    char buffer[256];
    DWORD got = 0;
    while (::ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0) output.append(buffer, got);
    ::CloseHandle(readEnd);
    if (::WaitForSingleObject(pi.hProcess, 30000) != WAIT_OBJECT_0) ::TerminateProcess(pi.hProcess, 1);
    ::CloseHandle(pi.hProcess);
    ::CloseHandle(pi.hThread);
    const size_t at = output.find("first-paint-ms: ");
    if (at == std::string::npos) return -1;
    return std::atof(output.c_str() + at + 16);
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

}  // namespace

int main(int argc, char **argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    ::SetEnvironmentVariableW(L"RADIO_CONSOLE_STARTUP_PROBE", L"1");
    ::SetEnvironmentVariableW(L"BM_STANDIN_SOUND", L"0");
    const std::wstring console = BinFolder() + L"RadioConsole.exe";
    const std::wstring bare = BinFolder() + L"BareWindow.exe";

    RunOnce(bare);  // warm-up: the first process start pays for loading the system
    RunOnce(console);
    std::vector<double> consoleMs, bareMs;
    for (int i = 0; i < runs; ++i) {
        const double b = RunOnce(bare);
        const double c = RunOnce(console);
        std::printf("run %d: console %.1f ms, bare window %.1f ms\n", i + 1, c, b);
        if (b > 0) bareMs.push_back(b);
        if (c > 0) consoleMs.push_back(c);
    }
    if (consoleMs.empty() || bareMs.empty()) {
        std::printf("no figures: a program did not report its first paint\n");
        return 1;
    }
    const double c = Median(consoleMs), b = Median(bareMs);
    std::printf("median to first paint: console %.1f ms, bare window %.1f ms\n", c, b);
    std::printf("ratio console / bare: %.2f (target <= 1.5)\n", c / b);
    return 0;
}
