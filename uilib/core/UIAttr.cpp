#include "uilib/core/UIAttr.h"

#include <cwchar>
#include <cwctype>

#include "uilib/core/UIText.h"

namespace uilib {

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

// Reads one signed decimal integer, skipping blanks around it; false when none.
bool ReadInt(const wchar_t *&p, long &value) {
    while (IsBlank(*p)) ++p;
    const wchar_t *start = p;
    if (*p == L'-' || *p == L'+') ++p;
    if (!iswdigit(static_cast<wint_t>(*p))) return false;
    wchar_t *end = nullptr;
    value = wcstol(start, &end, 10);
    p = end;
    while (IsBlank(*p)) ++p;
    return true;
}

}  // namespace

bool ParseInt(const wchar_t *text, int &value) {
    long v = 0;
    if (!ParseInts(text, &v, 1)) return false;
    value = static_cast<int>(v);
    return true;
}

bool ParseBool(const wchar_t *text, bool &value) {
    if (text == nullptr) return false;
    if (SameName(text, L"true") || SameName(text, L"1")) {
        value = true;
        return true;
    }
    if (SameName(text, L"false") || SameName(text, L"0")) {
        value = false;
        return true;
    }
    return false;
}

bool ParseInts(const wchar_t *text, long *values, int count) {
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

uint32_t ParseColorValue(const wchar_t *text) {
    if (text == nullptr) return 0;
    const wchar_t *p = text;
    while (*p == L' ') ++p;
    if (*p == L'#') {
        ++p;
    } else if (p[0] == L'0' && (p[1] == L'x' || p[1] == L'X')) {
        p += 2;
    } else {
        return 0;
    }
    size_t digits = 0;
    uint32_t value = 0;
    for (; iswxdigit(static_cast<wint_t>(p[digits])); ++digits) {
        wchar_t c = p[digits];
        uint32_t v = (c <= L'9') ? static_cast<uint32_t>(c - L'0') : static_cast<uint32_t>(towlower(c) - L'a' + 10);
        value = (value << 4) | v;
    }
    const wchar_t *rest = p + digits;
    while (*rest == L' ') ++rest;
    if (*rest != L'\0') return 0;
    if (digits == 6) return 0xFF000000 | value;
    if (digits == 8) return value;
    return 0;
}

}  // namespace uilib
