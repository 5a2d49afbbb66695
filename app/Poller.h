// The presence poller thread: one PollBsPresence pass each time its 1000 ms wait on a
// never-signalled stop event times out. Runs until the process ends.
#pragma once

// Creates the stop event (auto-reset, non-signalled, unnamed) and starts the thread.
// False when either cannot be made: the console must not run without its poller.
bool StartPresencePoller();
