// Conversions between control text (UTF-16) and 8-bit text: ANSI code page into
// controls, OEM code page out of them, always into bounded, NUL-terminated buffers.
// ReadControlText/ReadControlInt (ControlText.h) read controls through these.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace bs {

// 8-bit text (at most 99 bytes of it, up to its NUL) from the ANSI code page to UTF-16.
std::wstring AnsiToWide(const char *text);
// UTF-16 text to the OEM code page into out[size], NUL-terminated, cut on a character
// boundary when it does not fit. Returns false when cut.
bool WideToOem(const wchar_t *text, char *out, size_t size);

}  // namespace bs
