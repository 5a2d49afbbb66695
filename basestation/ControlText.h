// Reading a control's text as 8-bit text (OEM code page) and as a decimal integer.
// Shared by the base-station and call pages. Buffers are always NUL-terminated and
// never written past their size.
#pragma once

#include <cstddef>

class CControlUI;

const size_t kControlTextSize = 100;

// Writes the control's text, converted to the OEM code page, into out (outSize bytes,
// kControlTextSize by default); text that does not fit is cut at a character boundary.
void ReadControlText(CControlUI *control, char *out, size_t outSize = kControlTextSize);

// Reads the control's text as ReadControlText does and stores its decimal value by atoi
// rules (leading white space, optional sign, digits up to the first other character;
// 0 when there are no digits).
void ReadControlInt(CControlUI *control, int &dest);
