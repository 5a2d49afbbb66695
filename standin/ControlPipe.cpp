#include "standin/ControlPipe.h"

#include "standin/core/Diag.h"

namespace standin {

void ControlPipe::Start() {
    HANDLE thread = CreateThread(nullptr, 0, &ControlPipe::Thread, this, 0, nullptr);
    if (thread) CloseHandle(thread);
}

DWORD WINAPI ControlPipe::Thread(void *self) {
    static_cast<ControlPipe *>(self)->Serve();
    return 0;
}

void ControlPipe::Serve() {
    for (int failures = 0; failures < 10;) {
        HANDLE pipe = CreateNamedPipeW(m_name.c_str(), PIPE_ACCESS_DUPLEX,
                                       PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT, 1, 65536, 65536, 0, nullptr);
        if (pipe == INVALID_HANDLE_VALUE) {
            Warn("control pipe %ls cannot be created (error %lu)", m_name.c_str(), GetLastError());
            ++failures;
            Sleep(1000);
            continue;
        }
        if (ConnectNamedPipe(pipe, nullptr) || GetLastError() == ERROR_PIPE_CONNECTED) {
            std::string pending;
            char buf[4096];
            DWORD got = 0;
            bool open = true;
            while (open && ReadFile(pipe, buf, sizeof buf, &got, nullptr) && got > 0) {
                pending.append(buf, got);
                if (pending.size() > (1u << 20)) break;  // no line is that long
                size_t eol;
                while (open && (eol = pending.find('\n')) != std::string::npos) {
                    std::string line = pending.substr(0, eol);
                    pending.erase(0, eol + 1);
                    if (!line.empty() && line.back() == '\r') line.pop_back();
                    std::string answer = ExecuteControlCommand(line, m_service);
                    DWORD written = 0;
                    open = WriteFile(pipe, answer.data(), static_cast<DWORD>(answer.size()), &written, nullptr) != 0;
                }
            }
            FlushFileBuffers(pipe);
            DisconnectNamedPipe(pipe);
        }
        CloseHandle(pipe);
    }
}

}  // namespace standin
