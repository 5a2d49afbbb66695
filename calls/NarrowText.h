// 8-bit text from the service library into control text: ANSI code page, at most 100
// bytes read (stopping at the NUL), into at most 100 wide characters, always terminated.
#pragma once

#include <cstddef>

const size_t kNarrowTextBytes = 100;

void NarrowToWide(const char *text, wchar_t (&out)[kNarrowTextBytes]);
