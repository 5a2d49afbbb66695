#include "uilib/core/UIAttr.h"

#include <cerrno>
#include <cwchar>
#include <cwctype>

#include "uilib/core/UIText.h"

namespace uilib {

namespace {

thread_local BadValueWatch *gWatch = nullptr;

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

bool Refuse() {
    BadValueWatch::Note();
    return false;
}

// Reads one signed decimal integer, skipping blanks around it; false when none.
bool ReadInt(const wchar_t *&p, long &value) {
    while (IsBlank(*p)) ++p;
    const wchar_t *start = p;
    if (*p == L'-' || *p == L'+') ++p;
    if (!iswdigit(static_cast<wint_t>(*p))) return false;
    wchar_t *end = nullptr;
    errno = 0;
    value = wcstol(start, &end, 10);
    if (errno == ERANGE) return false;
    value = value < -kMaxSkinNumber ? -kMaxSkinNumber : value > kMaxSkinNumber ? kMaxSkinNumber : value;
    p = end;
    while (IsBlank(*p)) ++p;
    return true;
}

}  // namespace

BadValueWatch::BadValueWatch() : m_outer(gWatch) { gWatch = this; }
BadValueWatch::~BadValueWatch() { gWatch = m_outer; }

void BadValueWatch::Note() {
    if (gWatch != nullptr) gWatch->m_seen = true;
}

bool ParseInt(const wchar_t *text, int &value) {
    long v = 0;
    if (!ParseInts(text, &v, 1)) return false;
    value = static_cast<int>(v);
    return true;
}

bool ParseBool(const wchar_t *text, bool &value) {
    if (text == nullptr) return Refuse();
    if (SameName(text, L"true") || SameName(text, L"1")) {
        value = true;
        return true;
    }
    if (SameName(text, L"false") || SameName(text, L"0")) {
        value = false;
        return true;
    }
    return Refuse();
}

bool ParseInts(const wchar_t *text, long *values, int count) {
    if (text == nullptr) return Refuse();
    const wchar_t *p = text;
    for (int i = 0; i < count; ++i) {
        if (!ReadInt(p, values[i])) return Refuse();
        if (i + 1 < count) {
            if (*p != L',') return Refuse();
            ++p;
        }
    }
    return *p == L'\0' || Refuse();
}

uint32_t ParseColorValue(const wchar_t *text) {
    if (text == nullptr) return Refuse();
    const wchar_t *p = text;
    while (*p == L' ') ++p;
    if (*p == L'#') {
        ++p;
    } else if (p[0] == L'0' && (p[1] == L'x' || p[1] == L'X')) {
        p += 2;
    } else {
        return Refuse();
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
    if (*rest != L'\0') return Refuse();
    if (digits == 6) return 0xFF000000 | value;
    if (digits == 8) return value;
    return Refuse();
}

}  // namespace uilib
