// Start-up: the first use of the display (under Wine, loading its X11 driver and
// connecting to the X server) costs tens of milliseconds, paid by whichever call needs
// the display first (CoInitialize's apartment window). Begun on a thread of its own, it
// overlaps the service start-up instead of following it.
#pragma once

// Starts a short-lived thread that touches the display and ends; nothing waits for it.
void WarmUpDisplayInBackground();
