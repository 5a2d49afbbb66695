// The soak's operator: drives a running console from outside with mouse and key messages
// round a fixed cycle with random choices inside, and answers message boxes.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace e2e {
class ConsoleProcess;
}

namespace soak {

// Operates while keepGoing() holds, then leaves the console at rest. Returns why the run
// found a fault or proves nothing; empty when none.

std::string Operate(const e2e::ConsoleProcess &console, HWND main, unsigned seed,
                    const std::function<bool()> &keepGoing);

}  // namespace soak
