// Attribute value parsing shared by the controls and the skin builder: strict, so a bad
// value ("abc") is reported as unusable and the attribute is ignored instead of becoming 0.
// Free of the platform; the RECT/SIZE/colour forms in UIRender.h are built on these.
#pragma once

#include <cstdint>

#include "uilib/core/UIText.h"

namespace uilib {

// A whole decimal integer (surrounding blanks allowed); false otherwise.
bool ParseInt(const wchar_t *text, int &value);
// "true"/"false" (any case, also "1"/"0"); false when neither.
bool ParseBool(const wchar_t *text, bool &value);
// Exactly count comma-separated integers (blanks allowed around them); false otherwise.
bool ParseInts(const wchar_t *text, long *values, int count);
// "#AARRGGBB", "#RRGGBB" (opaque) or "0xAARRGGBB"; 0 when malformed.
uint32_t ParseColorValue(const wchar_t *text);

}  // namespace uilib
