// Start-up marks for the start-up probe (app/StartupProbe.h): while the probe is on, each
// Mark records how long after its process's creation a set-up step ended; the probe
// prints them in order ("mark-ms: <ms> <step>") once the first paint is done.
#pragma once

namespace startupprobe {

bool Requested();  // RADIO_CONSOLE_STARTUP_PROBE is set
// Milliseconds since this process was created.
double MsSinceProcessStart();
// Records that step has just ended; does nothing unless the probe is on. step: a literal.
void Mark(const char *step);
void PrintMarks();

}  // namespace startupprobe
