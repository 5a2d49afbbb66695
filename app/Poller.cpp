#include "app/Poller.h"

#include <windows.h>
#include <process.h>

#include "basestation/BsListRows.h"

namespace {

const DWORD kPollPeriodMs = 1000;

unsigned __stdcall PollerThread(void *stopEvent) {
    const HANDLE stop = static_cast<HANDLE>(stopEvent);
    for (;;) {
        const DWORD wait = ::WaitForSingleObject(stop, kPollPeriodMs);
        if (wait == WAIT_OBJECT_0) return 0;
        if (wait == WAIT_TIMEOUT) {
            PollBsPresence();
        } else {
            // A failed wait returns at once: wait out the period rather than spin.
            ::Sleep(kPollPeriodMs);
        }
    }
}

}  // namespace

bool StartPresencePoller() {
    // Made here, not on the thread, so that a failure is known before the console runs.
    const HANDLE stop = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
    if (stop == nullptr) return false;
    const uintptr_t thread = _beginthreadex(nullptr, 0, PollerThread, stop, 0, nullptr);
    if (thread == 0) {
        ::CloseHandle(stop);
        return false;
    }
    return true;  // the thread handle is never waited on
}
