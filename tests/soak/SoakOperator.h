// The soak's operator: drives a running console from outside as a person would, with
// mouse and key messages aimed at controls found through the inspection hook. It goes
// round a fixed cycle (open the configuration dialog and refuse, apply or close it, page
// through calls, play, pause, seek and close, delete or locate a call, switch pages),
// with random choices inside, and answers message boxes.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace e2e {
class ConsoleProcess;
}

namespace soak {

// Operates while keepGoing() holds, then leaves the console at rest (boxes answered,
// dialog and playback closed, the station page shown) and prints what it did. Returns
// why the run found a fault or proves nothing (an unexpected message box, no dialog
// shown, no call played); empty when none.
std::string Operate(const e2e::ConsoleProcess &console, HWND main, unsigned seed,
                    const std::function<bool()> &keepGoing);

}  // namespace soak
