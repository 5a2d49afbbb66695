#include "basestation/BsText.h"

#include <cstdio>
#include <cstring>

namespace bs {

std::string FormatDecimal(int32_t value) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%ld", static_cast<long>(value));
    return buf;
}

std::string FormatDottedQuad(uint32_t networkOrder) {
    unsigned char b[4];
    std::memcpy(b, &networkOrder, sizeof b);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%u.%u.%u.%u", b[0], b[1], b[2], b[3]);
    return buf;
}

int32_t ParseDecimal(const char *text) {
    if (!text) return 0;
    const char *p = text;
    while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = (*p++ == '-');
    int64_t value = 0;
    const int64_t limit = negative ? -static_cast<int64_t>(INT32_MIN) : INT32_MAX;
    for (; *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + (*p - '0');
        if (value > limit) value = limit;  // keep scanning, saturated
    }
    return static_cast<int32_t>(negative ? -value : value);
}

int CheckIpv4Text(const char *text, uint32_t *networkOrder) {
    if (!text) return -1;
    unsigned char groups[4] = {0, 0, 0, 0};
    int value = 0;
    int digits = 0;
    int dots = 0;
    for (const char *p = text; *p; ++p) {
        const char c = *p;
        if (c == '.') {
            if (++dots > 3 || value > 255 || digits == 0) return -1;
            groups[dots - 1] = static_cast<unsigned char>(value);
            value = 0;
            digits = 0;
        } else if (c >= '0' && c <= '9') {
            if (++digits > 3) return -1;
            value = value * 10 + (c - '0');
        } else {
            return -1;
        }
    }
    if (dots != 3 || digits == 0 || value > 255) return -1;
    groups[3] = static_cast<unsigned char>(value);
    if (networkOrder) std::memcpy(networkOrder, groups, sizeof groups);
    return 0;
}

uint32_t ParseAddress(const char *text) {
    uint32_t value = 0;
    return CheckIpv4Text(text, &value) == 0 ? value : 0xFFFFFFFFu;
}

std::string SerialKey(const char *serial) {
    if (!serial) return std::string();
    size_t n = 0;
    while (n < kSerialKeyBytes && serial[n]) ++n;
    return std::string(serial, n);
}

bool CopyBounded(char *dst, size_t size, const char *src) {
    if (!dst || size == 0) return false;
    size_t n = 0;
    if (src) {
        while (n + 1 < size && src[n]) ++n;
        std::memcpy(dst, src, n);
    }
    dst[n] = '\0';
    return !src || src[n] == '\0';
}

}  // namespace bs
