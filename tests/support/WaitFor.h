// Condition waits for tests: poll with a time limit, pumping this thread's messages,
// so that tests never sleep for a fixed time and never wait forever.
#pragma once

#include <functional>

namespace testsupport {

// Pumps messages and polls cond() until it holds or timeoutMs passes. True when it held.
bool WaitFor(const std::function<bool()> &cond, unsigned timeoutMs = 5000);

// Dispatches every message already queued for this thread, without waiting.
void PumpPending();

}  // namespace testsupport
