#include "tests/support/XdoTool.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "tests/support/WaitFor.h"

namespace testsupport {

bool XdoTool(const std::string &args, unsigned timeoutMs) {
    // Wine gives no handle for a Linux process: it writes its exit code into a file,
    // through a second name so that the file is never read half-written.
    static int runs = 0;
    char name[64];
    snprintf(name, sizeof(name), "/tmp/uilib-xdotool-%lu-%d", ::GetCurrentProcessId(), ++runs);
    const std::string done = std::string(name) + ".rc";
    std::string dosDone = "Z:" + done;
    std::replace(dosDone.begin(), dosDone.end(), '/', '\\');
    std::string cmd =
        "/bin/sh -c \"xdotool " + args + "; echo $? > " + name + ".tmp && mv " + name + ".tmp " + done + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessA("Z:\\bin\\sh", &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
    ::CloseHandle(pi.hProcess), ::CloseHandle(pi.hThread);
    if (!WaitFor([&] { return ::GetFileAttributesA(dosDone.c_str()) != INVALID_FILE_ATTRIBUTES; }, timeoutMs))
        return false;
    int rc = -1;
    std::ifstream(dosDone) >> rc;
    ::DeleteFileA(dosDone.c_str());
    return rc == 0;
}

}  // namespace testsupport
