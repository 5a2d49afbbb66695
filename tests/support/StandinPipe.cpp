#include "tests/support/StandinPipe.h"

#include <windows.h>

namespace e2e {

PipeAnswer AskStandin(const std::wstring &pipe, const std::string &request, unsigned timeoutMs) {
    PipeAnswer answer;
    HANDLE h = INVALID_HANDLE_VALUE;
    for (const DWORD start = ::GetTickCount(); h == INVALID_HANDLE_VALUE && ::GetTickCount() - start < timeoutMs;) {
        h = ::CreateFileW(pipe.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE) ::WaitNamedPipeW(pipe.c_str(), 100);
    }
    if (h == INVALID_HANDLE_VALUE) return answer;
    const std::string line = request + "\n";
    DWORD done = 0;
    ::WriteFile(h, line.data(), static_cast<DWORD>(line.size()), &done, nullptr);
    std::string text;
    char buffer[4096];
    while (answer.status.empty() && ::ReadFile(h, buffer, sizeof buffer, &done, nullptr) && done > 0) {
        text.append(buffer, done);
        for (size_t eol; answer.status.empty() && (eol = text.find('\n')) != std::string::npos;
             text.erase(0, eol + 1)) {
            const std::string l = text.substr(0, eol > 0 && text[eol - 1] == '\r' ? eol - 1 : eol);
            if (l.rfind("= ", 0) == 0)
                answer.lines.push_back(l.substr(2));
            else
                answer.status = l;
        }
    }
    answer.ok = answer.status.rfind("ok", 0) == 0;
    ::CloseHandle(h);
    return answer;
}

}  // namespace e2e
