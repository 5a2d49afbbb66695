// Start-up: the first use of the display (under Wine, loading its X11 driver and
// connecting to the X server) costs tens of milliseconds, paid by whichever call needs
// the display first (CoInitialize's apartment window). Begun on a thread of its own, it
// overlaps the service start-up instead of following it. Once the display is up, a second
// thread prepares the first paint while the UI thread builds the windows: it loads the
// libraries that the tray icon and the first rounded shape need (each costs milliseconds
// under Wine), renders the skins' glyphs and makes the main window's back buffer.
#pragma once

#include <windows.h>

#include <vector>

#include "uilib/skin/SkinPrefetch.h"

// Starts a short-lived thread that touches the display and ends; nothing waits for it.
void WarmUpDisplayInBackground();

// Starts a short-lived thread for the first paint (above) of a window whose client area is
// window (device pixels); nothing waits for it.
void WarmUpFirstPaintInBackground(std::vector<uilib::SkinGlyphs> glyphs, int dpi, SIZE window);
