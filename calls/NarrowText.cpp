#include "calls/NarrowText.h"

#include <cstring>
#include <windows.h>

void NarrowToWide(const char *text, wchar_t (&out)[kNarrowTextBytes]) {
    out[0] = L'\0';
    if (text == nullptr) return;
    const int length = static_cast<int>(strnlen(text, kNarrowTextBytes));
    const int room = static_cast<int>(kNarrowTextBytes) - 1;
    const int written = MultiByteToWideChar(CP_ACP, 0, text, length, out, room);
    out[written > 0 ? written : 0] = L'\0';
}
