// Reads the names in a 32-bit PE file's export table (and the number of exported
// functions, so that exports by ordinal only are seen too).
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

struct PeExports {
    bool ok = false;
    uint32_t functions = 0;
    std::vector<std::string> names;
};

inline PeExports ReadPeExports(const std::string &f) {
    PeExports out;
    auto u16 = [&](size_t p) {
        uint16_t v = 0;
        if (p + 2 <= f.size()) memcpy(&v, &f[p], 2);
        return v;
    };
    auto u32 = [&](size_t p) {
        uint32_t v = 0;
        if (p + 4 <= f.size()) memcpy(&v, &f[p], 4);
        return v;
    };
    if (f.size() < 0x40 || f.compare(0, 2, "MZ") != 0) return out;
    size_t pe = u32(0x3C);
    if (f.compare(pe, 4, std::string("PE\0\0", 4)) != 0) return out;
    size_t sections = u16(pe + 6), optSize = u16(pe + 20), opt = pe + 24;
    if (u16(opt) != 0x10b) return out;  // PE32
    uint32_t exportRva = u32(opt + 96);
    size_t table = opt + optSize;
    auto offsetOf = [&](uint32_t rva) -> size_t {
        for (size_t i = 0; i < sections; ++i) {
            size_t s = table + 40 * i;
            uint32_t va = u32(s + 12), size = std::max(u32(s + 8), u32(s + 16));
            if (rva >= va && rva < va + size) return u32(s + 20) + (rva - va);
        }
        return f.size();
    };
    if (exportRva == 0) {
        out.ok = true;
        return out;
    }
    size_t dir = offsetOf(exportRva);
    if (dir + 40 > f.size()) return out;
    out.functions = u32(dir + 20);
    uint32_t count = u32(dir + 24);
    size_t names = offsetOf(u32(dir + 32));
    for (uint32_t i = 0; i < count; ++i) {
        size_t at = offsetOf(u32(names + 4 * i));
        if (at >= f.size()) return out;
        out.names.push_back(std::string(f.c_str() + at));
    }
    out.ok = true;
    return out;
}
