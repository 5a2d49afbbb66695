// Attribute value parsing shared by the controls and the skin builder: strict, so a bad
// value ("abc") is reported as unusable and the attribute is ignored instead of becoming 0.
// Free of the platform; the RECT/SIZE/colour forms in UIRender.h are built on these.
#pragma once

#include <cstdint>

#include "uilib/core/UIText.h"

namespace uilib {

// Numbers are kept within this range: a hostile "2147483647" would overflow the layout's
// sums of sizes and positions.
const long kMaxSkinNumber = 100000;

// While one lives on this thread, every value that does not parse is noted in it, so that
// the skin builder can report the attribute's place in the file; otherwise a bad value is
// only refused. Watches nest: the innermost one takes the notes.
class BadValueWatch {
public:
    BadValueWatch();
    ~BadValueWatch();
    BadValueWatch(const BadValueWatch &) = delete;
    BadValueWatch &operator=(const BadValueWatch &) = delete;
    bool Seen() const { return m_seen; }
    void Reset() { m_seen = false; }
    static void Note();  // called by the parsers on a value they refuse

private:
    BadValueWatch *m_outer;
    bool m_seen = false;
};

// A whole decimal integer (surrounding blanks allowed), clamped to +-kMaxSkinNumber;
// false otherwise (also for one too long for any integer type).
bool ParseInt(const wchar_t *text, int &value);
// "true"/"false" (any case, also "1"/"0"); false when neither.
bool ParseBool(const wchar_t *text, bool &value);
// Exactly count comma-separated integers (blanks allowed around them), each clamped as
// ParseInt's; false otherwise.
bool ParseInts(const wchar_t *text, long *values, int count);
// "#AARRGGBB", "#RRGGBB" (opaque) or "0xAARRGGBB"; 0 when malformed.
uint32_t ParseColorValue(const wchar_t *text);

}  // namespace uilib
