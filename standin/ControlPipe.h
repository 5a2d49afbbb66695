// ControlPipe: the named pipe through which a running test drives the simulated network
// and reads back what the console asked for. One client at a time; a request is one line,
// the answer is zero or more "= ..." lines then one line starting "ok" or "error".
// Commands: standin/README.md (ControlCommands.cpp carries them out).
#pragma once

#include <windows.h>

#include <string>

namespace standin {

class Service;

// Carries out one request line; returns the whole answer, newline-terminated lines.
std::string ExecuteControlCommand(const std::string &line, Service &service);

class ControlPipe {
public:
    ControlPipe(std::wstring name, Service &service) : m_name(std::move(name)), m_service(service) {}
    void Start();  // serves on a thread of its own until the process ends

private:
    static DWORD WINAPI Thread(void *self);
    void Serve();

    std::wstring m_name;
    Service &m_service;
};

}  // namespace standin
