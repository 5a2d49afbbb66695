#include "uilib/core/UIText.h"

#include <cwctype>

namespace uilib {

namespace {

const char32_t kReplacement = 0xFFFD;

void AppendCodePoint(std::wstring &out, char32_t cp) {
    if (sizeof(wchar_t) == 2 && cp >= 0x10000) {
        cp -= 0x10000;
        out += static_cast<wchar_t>(0xD800 + (cp >> 10));
        out += static_cast<wchar_t>(0xDC00 + (cp & 0x3FF));
    } else {
        out += static_cast<wchar_t>(cp);
    }
}

}  // namespace

size_t Utf8SequenceLength(const unsigned char *p, const unsigned char *end, char32_t &cp) {
    unsigned char c = p[0];
    size_t len;
    char32_t min;
    if (c < 0x80) {
        cp = c;
        return 1;
    } else if ((c & 0xE0) == 0xC0) {
        len = 2, min = 0x80, cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
        len = 3, min = 0x800, cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
        len = 4, min = 0x10000, cp = c & 0x07;
    } else {
        return 0;
    }
    if (static_cast<size_t>(end - p) < len) return 0;
    for (size_t i = 1; i < len; ++i) {
        if ((p[i] & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (p[i] & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;  // overlong, too big, surrogate
    return len;
}

void AppendUtf8(std::string &out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::wstring Utf8ToWide(const char *utf8, size_t size) {
    std::wstring out;
    out.reserve(size);
    const unsigned char *p = reinterpret_cast<const unsigned char *>(utf8);
    const unsigned char *end = p + size;
    while (p < end) {
        char32_t cp = 0;
        size_t len = Utf8SequenceLength(p, end, cp);
        if (len == 0) cp = kReplacement, len = 1;
        p += len;
        AppendCodePoint(out, cp);
    }
    return out;
}

std::string WideToUtf8(const std::wstring &wide) {
    std::string out;
    out.reserve(wide.size());
    for (size_t i = 0; i < wide.size(); ++i) {
        char32_t cp = static_cast<char32_t>(wide[i]);
        if (sizeof(wchar_t) == 2 && cp >= 0xD800 && cp <= 0xDBFF && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 &&
            wide[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (static_cast<char32_t>(wide[++i]) - 0xDC00);
        } else if ((cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) {
            cp = kReplacement;
        }
        AppendUtf8(out, cp);
    }
    return out;
}

std::wstring LowerCase(const std::wstring &text) {
    std::wstring out = text;
    for (wchar_t &c : out) c = static_cast<wchar_t>(towlower(static_cast<wint_t>(c)));
    return out;
}

bool SameName(const wchar_t *a, const wchar_t *b) {
    if (a == nullptr || b == nullptr) return a == b;
    for (; *a != L'\0' && *b != L'\0'; ++a, ++b) {
        if (towlower(static_cast<wint_t>(*a)) != towlower(static_cast<wint_t>(*b))) return false;
    }
    return *a == *b;
}

}  // namespace uilib
