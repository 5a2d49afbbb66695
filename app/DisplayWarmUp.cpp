#include "app/DisplayWarmUp.h"

#include <windows.h>
#include <process.h>

namespace {

unsigned __stdcall TouchDisplay(void *) {
    ::ReleaseDC(nullptr, ::GetDC(nullptr));
    return 0;
}

}  // namespace

void WarmUpDisplayInBackground() {
    const uintptr_t thread = _beginthreadex(nullptr, 0, TouchDisplay, nullptr, 0, nullptr);
    if (thread != 0) ::CloseHandle(reinterpret_cast<HANDLE>(thread));
}
