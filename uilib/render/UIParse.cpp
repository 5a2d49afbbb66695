#include "uilib/render/UIRender.h"

#include <cwchar>
#include <cwctype>

namespace {

// Reads one signed decimal integer, skipping leading blanks; false when none.
bool ReadInt(const wchar_t *&p, long &value) {
    while (*p == L' ' || *p == L'\t') ++p;
    const wchar_t *start = p;
    if (*p == L'-' || *p == L'+') ++p;
    if (!iswdigit(*p)) return false;
    wchar_t *end = nullptr;
    value = wcstol(start, &end, 10);
    p = end;
    while (*p == L' ' || *p == L'\t') ++p;
    return true;
}

bool ReadInts(LPCTSTR text, long *values, int count) {
    if (text == nullptr) return false;
    const wchar_t *p = text;
    for (int i = 0; i < count; ++i) {
        if (!ReadInt(p, values[i])) return false;
        if (i + 1 < count) {
            if (*p != L',') return false;
            ++p;
        }
    }
    return *p == L'\0';
}

}  // namespace

DWORD ParseColor(LPCTSTR pstrValue) {
    if (pstrValue == nullptr) return 0;
    const wchar_t *p = pstrValue;
    while (*p == L' ') ++p;
    if (*p == L'#') {
        ++p;
    } else if (p[0] == L'0' && (p[1] == L'x' || p[1] == L'X')) {
        p += 2;
    } else {
        return 0;
    }
    size_t digits = 0;
    DWORD value = 0;
    for (; iswxdigit(p[digits]); ++digits) {
        wchar_t c = p[digits];
        int v = (c <= L'9') ? c - L'0' : (towlower(c) - L'a' + 10);
        value = (value << 4) | static_cast<DWORD>(v);
    }
    const wchar_t *rest = p + digits;
    while (*rest == L' ') ++rest;
    if (*rest != L'\0') return 0;
    if (digits == 6) return 0xFF000000 | value;
    if (digits == 8) return value;
    return 0;
}

bool ParseRect(LPCTSTR pstrValue, RECT &rc) {
    long v[4];
    if (!ReadInts(pstrValue, v, 4)) return false;
    rc = {v[0], v[1], v[2], v[3]};
    return true;
}

bool ParseSize(LPCTSTR pstrValue, SIZE &sz) {
    long v[2];
    if (!ReadInts(pstrValue, v, 2)) return false;
    sz = {v[0], v[1]};
    return true;
}
