// Attribute value parsing shared by the controls: strict, so a bad value ("abc") is
// reported as unusable and the attribute is ignored instead of becoming 0.
#pragma once

#include <cwchar>
#include <cwctype>

#include "uilib/core/UIDefine.h"

namespace uilib {

// A whole decimal integer (surrounding blanks allowed); false otherwise.
inline bool ParseInt(LPCTSTR text, int &value) {
    if (text == nullptr) return false;
    const wchar_t *p = text;
    while (*p == L' ') ++p;
    const wchar_t *start = p;
    if (*p == L'-' || *p == L'+') ++p;
    if (!iswdigit(*p)) return false;
    wchar_t *end = nullptr;
    long v = wcstol(start, &end, 10);
    while (*end == L' ') ++end;
    if (*end != L'\0') return false;
    value = static_cast<int>(v);
    return true;
}

// "true"/"false" (also "1"/"0"); false when neither.
inline bool ParseBool(LPCTSTR text, bool &value) {
    if (text == nullptr) return false;
    if (_wcsicmp(text, L"true") == 0 || wcscmp(text, L"1") == 0) {
        value = true;
        return true;
    }
    if (_wcsicmp(text, L"false") == 0 || wcscmp(text, L"0") == 0) {
        value = false;
        return true;
    }
    return false;
}

}  // namespace uilib
