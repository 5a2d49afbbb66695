// Type-ahead over a list of entry texts: characters typed in quick succession make a
// prefix, and the first entry from the current one on (wrapping) whose text starts with it
// is the match, case-insensitively. A new first character, or the same one typed again,
// moves past the current entry, so repeating a letter steps through the entries that
// start with it. Times are message times in milliseconds.
#pragma once

#include <vector>

#include "uilib/core/UIDefine.h"

namespace uilib {

class TypeAhead {
public:
    static const DWORD kResetMs = 1000;  // a longer pause starts a new prefix

    // The entry to select after ch was typed at time (current: the selected entry, -1 for
    // none); -1 when nothing matches or ch is not text. An empty text never matches.
    int Type(wchar_t ch, DWORD time, int current, const std::vector<CDuiString> &texts);
    void Reset() { m_prefix.clear(); }

private:
    CDuiString m_prefix;
    DWORD m_last = 0;
};

}  // namespace uilib
