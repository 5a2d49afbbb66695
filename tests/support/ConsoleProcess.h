// The real RadioConsole.exe as a child process for end-to-end tests: started with the
// stand-in libraries, its standard output kept in a file, its windows found by class,
// its message boxes answered. A child still running at destruction is ended.
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

    // A top-level window of this process with the class (and title, unless null);
    // visibleOnly: a visible one. Null when none came in time.
    HWND FindWindowOf(const wchar_t *className, const wchar_t *title = nullptr, bool visibleOnly = false) const;
    HWND WaitWindowOf(const wchar_t *className, const wchar_t *title, unsigned timeoutMs,
                      bool visibleOnly = false) const;

    using Box = testsupport::SeenBox;
    // Waits for a message box of this process, reads it and presses OK.
    bool AnswerMessageBox(Box *box, unsigned timeoutMs) const;

private:
    HANDLE m_process = nullptr;
    DWORD m_pid = 0;
    std::wstring m_outputFile;
};

// The folder of the test exe (bin), with a trailing backslash.
std::wstring BinFolder();

// A private stand-in data folder and control pipe for one console run, and the scenario
// file when one is given (none: the stand-in's demo network).
struct StandinSetup {
    std::wstring data, scenario, pipe;
    std::map<std::wstring, std::wstring> Env() const;
};
StandinSetup MakeStandinSetup(const std::wstring &tag, const std::string &scenarioText = "");

// The console's main window once shown and its message loop running; null on time-out.
HWND WaitMainWindow(const ConsoleProcess &console, unsigned timeoutMs = 30000);
// Ends the console by SC_CLOSE on hWnd; true when it exited with code 0.
bool CloseConsole(ConsoleProcess &console, HWND hWnd, unsigned timeoutMs = 15000);

}  // namespace e2e
