// Skin work done ahead of the windows that need it. At start-up the UI thread waits for
// the display (under Wine its driver takes tens of milliseconds to start); reading skins
// needs neither a window nor the display, so it is done in that wait: every skin file of
// the resource folder is parsed and kept until the dialog builder asks for it, and the
// images that the first window's skin names for its controls' resting state are decoded
// into the shared image cache. UI thread only.
#pragma once

#include <string>

#include "uilib/skin/XmlReader.h"

namespace uilib {

// firstSkin is a file name in the resource folder; dpi the scale its window will have.
void PrefetchSkins(const std::wstring &firstSkin, int dpi);

// The prefetched parse of the skin file at path (as resolved in the resource folder),
// handed over once; false when there is none.
bool TakePrefetchedSkin(const std::wstring &path, XmlParseResult &parsed);

}  // namespace uilib
