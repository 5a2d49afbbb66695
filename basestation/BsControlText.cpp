#include "basestation/BsControlText.h"

#include <cstring>
#include <vector>

#include <windows.h>

#include "basestation/BsText.h"

namespace bs {

std::wstring AnsiToWide(const char *text) {
    if (!text) return std::wstring();
    size_t n = 0;
    while (n < kTextBufferBytes - 1 && text[n]) ++n;
    wchar_t wide[kTextBufferBytes];
    const int len =
        ::MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(n), wide, static_cast<int>(kTextBufferBytes - 1));
    return std::wstring(wide, len > 0 ? static_cast<size_t>(len) : 0);
}

bool WideToOem(const wchar_t *text, char *out, size_t size) {
    if (!out || size == 0) return false;
    out[0] = '\0';
    if (!text || !*text) return true;
    const int textLen = static_cast<int>(std::wcslen(text));
    const int needed = ::WideCharToMultiByte(CP_OEMCP, 0, text, textLen, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) return false;
    if (static_cast<size_t>(needed) < size) {
        ::WideCharToMultiByte(CP_OEMCP, 0, text, textLen, out, needed, nullptr, nullptr);
        out[needed] = '\0';
        return true;
    }
    // Too long: convert character by character while the next one still fits, so that
    // a double-byte character is never cut in half.
    size_t used = 0;
    for (int i = 0; i < textLen;) {
        const int units = (IS_HIGH_SURROGATE(text[i]) && i + 1 < textLen) ? 2 : 1;
        char piece[8];
        const int bytes = ::WideCharToMultiByte(CP_OEMCP, 0, text + i, units, piece, sizeof piece, nullptr, nullptr);
        if (bytes <= 0 || used + bytes >= size) break;
        std::memcpy(out + used, piece, bytes);
        used += bytes;
        i += units;
    }
    out[used] = '\0';
    return false;
}

}  // namespace bs
