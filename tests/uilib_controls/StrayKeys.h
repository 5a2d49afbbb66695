// Key messages that no open drop-down acts on (letters without their character, Shift,
// Delete, F1, ...), for checking that each is dropped there.
#pragma once

#include <windows.h>

#include <vector>

namespace uitest {

struct StrayKey {
    UINT msg;
    WPARAM key;
    const char *name;
};

inline const std::vector<StrayKey> kStrayKeys = {
    {WM_KEYDOWN, 'A', "A down"},       {WM_KEYUP, 'A', "A up"},           {WM_KEYDOWN, VK_SHIFT, "Shift"},
    {WM_KEYDOWN, VK_CONTROL, "Ctrl"},  {WM_KEYDOWN, VK_DELETE, "Delete"}, {WM_KEYDOWN, VK_INSERT, "Insert"},
    {WM_KEYDOWN, VK_BACK, "Back"},     {WM_CHAR, L'\b', "Back char"},     {WM_KEYDOWN, VK_F1, "F1"},
    {WM_KEYDOWN, VK_APPS, "Menu key"}, {WM_CHAR, L'z', "z (no entry)"},   {WM_SYSKEYDOWN, VK_SHIFT, "Alt+Shift"},
};

}  // namespace uitest
