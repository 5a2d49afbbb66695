#include "uilib/controls/UITypeAhead.h"

#include <cwchar>

namespace uilib {

namespace {

bool StartsWith(const CDuiString &text, const CDuiString &prefix) {
    return text.size() >= prefix.size() && _wcsnicmp(text.c_str(), prefix.c_str(), prefix.size()) == 0;
}

// The first entry at or after from (wrapping) that starts with prefix; -1 when none.
int FindFrom(const std::vector<CDuiString> &texts, int from, const CDuiString &prefix) {
    const int count = static_cast<int>(texts.size());
    for (int i = 0; i < count; ++i) {
        const int at = ((from % count) + count + i) % count;
        if (StartsWith(texts[at], prefix)) return at;
    }
    return -1;
}

}  // namespace

int TypeAhead::Type(wchar_t ch, DWORD time, int current, const std::vector<CDuiString> &texts) {
    if (ch < L' ' || ch == 0x7F) return -1;
    if (time - m_last > kResetMs) m_prefix.clear();
    m_last = time;
    if (m_prefix.empty() && ch == L' ') return -1;
    m_prefix += ch;
    if (texts.empty()) return -1;
    if (m_prefix.size() > 1) {
        const int match = FindFrom(texts, current < 0 ? 0 : current, m_prefix);
        if (match >= 0) return match;
        // "bbb": the same letter again steps on among the entries starting with it.
        if (m_prefix.find_first_not_of(m_prefix[0]) != CDuiString::npos) return -1;
    }
    return FindFrom(texts, current + 1, m_prefix.substr(0, 1));
}

}  // namespace uilib
