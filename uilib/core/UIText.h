// Text helpers of the UI library, free of the platform: UTF-8 to and from the library's
// wide strings (UTF-16 where wchar_t has 16 bits, code points where it has 32), and the
// one way attribute names are matched (ignoring case).
#pragma once

#include <string>

namespace uilib {

// Length (1..4) of the valid, shortest-form UTF-8 sequence at p, its code point in cp;
// 0 when the bytes there are not one.
size_t Utf8SequenceLength(const unsigned char *p, const unsigned char *end, char32_t &cp);
void AppendUtf8(std::string &out, char32_t cp);

// Invalid or truncated sequences become U+FFFD.
std::wstring Utf8ToWide(const char *utf8, size_t size);
inline std::wstring Utf8ToWide(const std::string &utf8) { return Utf8ToWide(utf8.data(), utf8.size()); }
// Unpaired surrogates become U+FFFD.
std::string WideToUtf8(const std::wstring &wide);

std::wstring LowerCase(const std::wstring &text);
bool SameName(const wchar_t *a, const wchar_t *b);

// An attribute name as the controls compare it: `name == L"width"` ignores case.
struct AttrName {
    const wchar_t *text;
    bool operator==(const wchar_t *other) const { return SameName(text, other); }
};

}  // namespace uilib
