#include "tests/support/StandinPipe.h"

#include <windows.h>

namespace e2e {

PipeAnswer AskStandin(const std::wstring &pipe, const std::string &request, unsigned timeoutMs) {
    PipeAnswer answer;
    HANDLE h = INVALID_HANDLE_VALUE;
    const DWORD start = ::GetTickCount();
    while (h == INVALID_HANDLE_VALUE && ::GetTickCount() - start < timeoutMs) {
        h = ::CreateFileW(pipe.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE) ::WaitNamedPipeW(pipe.c_str(), 100);
    }
    if (h == INVALID_HANDLE_VALUE) return answer;
    const std::string line = request + "\n";
    DWORD written = 0;
    ::WriteFile(h, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    std::string pending;
    char buffer[4096];
    DWORD got = 0;
    bool done = false;
    while (!done && ::ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        pending.append(buffer, got);
        size_t eol;
        while ((eol = pending.find('\n')) != std::string::npos) {
            std::string l = pending.substr(0, eol);
            pending.erase(0, eol + 1);
            if (!l.empty() && l.back() == '\r') l.pop_back();
            if (l.rfind("= ", 0) == 0) {
                answer.lines.push_back(l.substr(2));
            } else {
                answer.status = l;
                answer.ok = l.rfind("ok", 0) == 0;
                done = true;
                break;
            }
        }
    }
    ::CloseHandle(h);
    return answer;
}

}  // namespace e2e
