#include "tests/e2e_shell/StandinPipe.h"

#include <windows.h>

namespace e2eshell {

std::string StandinRequest(const std::wstring &pipeName, const std::string &request,
                           unsigned timeoutMs) {
    HANDLE pipe = INVALID_HANDLE_VALUE;
    const DWORD start = ::GetTickCount();
    while (pipe == INVALID_HANDLE_VALUE && ::GetTickCount() - start < timeoutMs) {
        pipe = ::CreateFileW(pipeName.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                             OPEN_EXISTING, 0, nullptr);
        if (pipe == INVALID_HANDLE_VALUE) ::WaitNamedPipeW(pipeName.c_str(), 100);
    }
    if (pipe == INVALID_HANDLE_VALUE) return "";
    const std::string line = request + "\n";
    DWORD done = 0;
    ::WriteFile(pipe, line.data(), static_cast<DWORD>(line.size()), &done, nullptr);
    std::string answer;
    char buffer[256];
    for (;;) {
        const size_t lastLine = answer.rfind('\n', answer.empty() ? 0 : answer.size() - 2);
        const std::string tail = answer.substr(lastLine == std::string::npos ? 0 : lastLine + 1);
        if (!answer.empty() && answer.back() == '\n' &&
            (tail.compare(0, 2, "ok") == 0 || tail.compare(0, 5, "error") == 0)) {
            break;
        }
        if (!::ReadFile(pipe, buffer, sizeof buffer, &done, nullptr) || done == 0) break;
        answer.append(buffer, done);
    }
    ::CloseHandle(pipe);
    return answer;
}

}  // namespace e2eshell
