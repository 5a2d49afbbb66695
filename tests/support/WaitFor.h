#pragma once

#include <functional>

namespace testsupport {

// Pumps this thread's messages while polling cond(); true when it held in time.
bool WaitFor(const std::function<bool()> &cond, unsigned timeoutMs = 5000);

void PumpPending();

}  // namespace testsupport
