#include "tests/support/ConsoleProcess.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "tests/support/WaitFor.h"
#include "ui/ConsoleTitle.h"

namespace e2e {

std::wstring BinFolder() {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

StandinSetup MakeStandinSetup(const std::wstring &tag, const std::string &scenarioText) {
    static int counter = 0;
    const std::wstring id = tag + L"-" + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(++counter);
    StandinSetup s;
    s.data = (std::filesystem::temp_directory_path() / id).wstring();
    s.pipe = L"\\\\.\\pipe\\" + id;
    ::CreateDirectoryW(s.data.c_str(), nullptr);
    if (!scenarioText.empty())
        std::ofstream(std::filesystem::path(s.scenario = s.data + L"\\scenario.txt"), std::ios::binary) << scenarioText;
    return s;
}

std::map<std::wstring, std::wstring> StandinSetup::Env() const {
    std::map<std::wstring, std::wstring> env = {
        {L"BM_STANDIN_DATA", data}, {L"BM_STANDIN_PIPE", pipe}, {L"BM_STANDIN_SOUND", L"0"}};
    if (!scenario.empty()) env[L"BM_STANDIN_SCENARIO"] = scenario;
    return env;
}

HWND WaitMainWindow(const ConsoleProcess &console, unsigned timeoutMs) {
    // Created visible at (0, 0), then centred: settled once its message loop answers.
    const HWND main = console.WaitWindowOf(L"UIMainFrame", kConsoleTitle, timeoutMs, true);
    DWORD_PTR result = 0;
    return main != nullptr && ::SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &result) ? main
                                                                                                          : nullptr;
}

bool CloseConsole(ConsoleProcess &console, HWND hWnd, unsigned timeoutMs) {
    ::PostMessageW(hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    return console.WaitExit(timeoutMs) && console.ExitCode() == 0;
}

ConsoleProcess::ConsoleProcess(const std::map<std::wstring, std::wstring> &env, const std::wstring &folder) {
    wchar_t temp[MAX_PATH] = {}, name[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    ::GetTempFileNameW(temp, L"out", 0, name);
    m_outputFile = name;
    SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, TRUE};
    const HANDLE out =
        ::CreateFileW(name, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa, CREATE_ALWAYS, 0, nullptr);
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    si.hStdOutput = out;
    si.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    const std::wstring from = folder.empty() ? BinFolder() : folder;
    const std::wstring exe = from + L"RadioConsole.exe";
    std::wstring commandLine = L"\"" + exe + L"\"";
    std::vector<std::pair<std::wstring, std::wstring>> saved;
    for (const auto &var : env) {
        wchar_t old[1024] = {};
        const DWORD n = ::GetEnvironmentVariableW(var.first.c_str(), old, 1024);
        saved.push_back({var.first, n > 0 && n < 1024 ? L"=" + std::wstring(old) : L""});
        ::SetEnvironmentVariableW(var.first.c_str(), var.second.empty() ? nullptr : var.second.c_str());
    }
    PROCESS_INFORMATION pi = {};
    const BOOL created =
        ::CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, from.c_str(), &si, &pi);
    for (const auto &var : saved)
        ::SetEnvironmentVariableW(var.first.c_str(), var.second.empty() ? nullptr : var.second.c_str() + 1);
    ::CloseHandle(out);
    if (!created) return;
    ::CloseHandle(pi.hThread);
    m_process = pi.hProcess;
    m_pid = pi.dwProcessId;
}

ConsoleProcess::~ConsoleProcess() {
    if (Running()) {
        ::TerminateProcess(m_process, 1);
        ::WaitForSingleObject(m_process, 5000);
    }
    if (m_process != nullptr) ::CloseHandle(m_process);
    ::DeleteFileW(m_outputFile.c_str());
}

bool ConsoleProcess::Running() const {
    return m_process != nullptr && ::WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT;
}

bool ConsoleProcess::WaitExit(unsigned timeoutMs) {
    return Started() && testsupport::WaitFor([&] { return !Running(); }, timeoutMs);
}

DWORD ConsoleProcess::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (m_process != nullptr) ::GetExitCodeProcess(m_process, &code);
    return code;
}

std::string ConsoleProcess::Output() const {
    std::ifstream in(std::filesystem::path(m_outputFile), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

HWND ConsoleProcess::FindWindowOf(const wchar_t *className, const wchar_t *title, bool visibleOnly) const {
    return Started() ? testsupport::FindWindowOf(m_pid, className, title, visibleOnly) : nullptr;
}

HWND ConsoleProcess::WaitWindowOf(const wchar_t *className, const wchar_t *title, unsigned timeoutMs,
                                  bool visibleOnly) const {
    HWND found = nullptr;
    testsupport::WaitFor([&] { return (found = FindWindowOf(className, title, visibleOnly)) != nullptr; }, timeoutMs);
    return found;
}

bool ConsoleProcess::AnswerMessageBox(Box *box, unsigned timeoutMs) const {
    const HWND dialog = WaitWindowOf(L"#32770", nullptr, timeoutMs, true);
    if (dialog == nullptr) return false;
    *box = testsupport::ReadBox(dialog);
    testsupport::PressOk(dialog);
    return true;
}

}  // namespace e2e
