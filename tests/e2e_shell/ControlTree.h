// Reads the control tree of a skinned window of another process through the UI
// library's inspection hook ("UILibInspect" answered with WM_COPYDATA).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2eshell {

// The UTF-8 dump, one control a line (tab-separated: depth, class, name, visible,
// enabled, selected, value, left, top, right, bottom, text); empty when no answer came.
std::string InspectWindow(HWND target, unsigned timeoutMs = 5000);

// The inspection texts of the visible controls of one class, in tree order (for list
// rows: the column texts joined by U+001F).
std::vector<std::string> ControlTexts(HWND target, const std::string &className);

// Client rectangle of the first visible control named `name`; false when none.
bool FindControlRect(HWND target, const std::string &name, RECT *rect);

}  // namespace e2eshell
