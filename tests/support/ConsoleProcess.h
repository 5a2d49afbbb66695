// The real RadioConsole.exe as a child process, its standard output kept in a file; ended
// if still running at destruction.
#pragma once

#include <windows.h>

#include <map>
#include <string>

#include "tests/support/MessageBoxWatcher.h"

namespace e2e {

class ConsoleProcess {
public:
    // env: variables set for the child only (an empty value removes one). folder: where
    // RadioConsole.exe is started from, with a trailing backslash (default: bin).
    explicit ConsoleProcess(const std::map<std::wstring, std::wstring> &env = {}, const std::wstring &folder = L"");
    ~ConsoleProcess();
    ConsoleProcess(const ConsoleProcess &) = delete;
    ConsoleProcess &operator=(const ConsoleProcess &) = delete;

    bool Started() const { return m_process != nullptr; }
    DWORD Pid() const { return m_pid; }
    bool Running() const;
    bool WaitExit(unsigned timeoutMs);  // false on time-out
    DWORD ExitCode() const;
    std::string Output() const;  // standard output so far

    HWND FindWindowOf(const wchar_t *className, const wchar_t *title = nullptr, bool visibleOnly = false) const;
    HWND WaitWindowOf(const wchar_t *className, const wchar_t *title, unsigned timeoutMs,
                      bool visibleOnly = false) const;

    using Box = testsupport::SeenBox;
    bool AnswerMessageBox(Box *box, unsigned timeoutMs) const;

private:
    HANDLE m_process = nullptr;
    DWORD m_pid = 0;
    std::wstring m_outputFile;
};

std::wstring BinFolder();

// A private data folder and control pipe; no scenario: the stand-in's demo network.
struct StandinSetup {
    std::wstring data, scenario, pipe;
    std::map<std::wstring, std::wstring> Env() const;
};
StandinSetup MakeStandinSetup(const std::wstring &tag, const std::string &scenarioText = "");

HWND WaitMainWindow(const ConsoleProcess &console, unsigned timeoutMs = 30000);

bool CloseConsole(ConsoleProcess &console, HWND hWnd, unsigned timeoutMs = 15000);

}  // namespace e2e
