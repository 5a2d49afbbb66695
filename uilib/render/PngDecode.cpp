#include "uilib/render/PngDecode.h"

#include <cstdlib>
#include <cstring>

#include "uilib/render/Inflate.h"

namespace uilib {

namespace {

const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
const uint32_t kMaxSide = 100000;
const uint64_t kMaxFilteredBytes = 1u << 28;  // larger images are left to the system

uint32_t BigEndian(const uint8_t *p) {
    return (static_cast<uint32_t>(p[0]) << 24) | (static_cast<uint32_t>(p[1]) << 16) |
           (static_cast<uint32_t>(p[2]) << 8) | p[3];
}

bool IsType(const uint8_t *type, const char *name) { return std::memcmp(type, name, 4) == 0; }

// Ancillary chunks that do not change a pixel. Any other (gamma, colour profile,
// transparency key) makes the file the system's to decode.
bool IsHarmless(const uint8_t *type) {
    static const char *const kHarmless[] = {"tEXt", "zTXt", "iTXt", "tIME", "pHYs", "bKGD"};
    for (const char *name : kHarmless)
        if (IsType(type, name)) return true;
    return false;
}

uint8_t Paeth(int left, int up, int upLeft) {
    const int p = left + up - upLeft;
    const int pa = std::abs(p - left), pb = std::abs(p - up), pc = std::abs(p - upLeft);
    if (pa <= pb && pa <= pc) return static_cast<uint8_t>(left);
    return static_cast<uint8_t>(pb <= pc ? up : upLeft);
}

// Undoes row's filter in place; prior is the row above, already unfiltered (null for the
// first row). False for an unknown filter.
bool Unfilter(uint8_t filter, uint8_t *row, const uint8_t *prior, size_t length, size_t pixelBytes) {
    for (size_t i = 0; i < length; ++i) {
        const int left = i >= pixelBytes ? row[i - pixelBytes] : 0;
        const int up = prior != nullptr ? prior[i] : 0;
        const int upLeft = prior != nullptr && i >= pixelBytes ? prior[i - pixelBytes] : 0;
        switch (filter) {
        case 0: break;
        case 1: row[i] = static_cast<uint8_t>(row[i] + left); break;
        case 2: row[i] = static_cast<uint8_t>(row[i] + up); break;
        case 3: row[i] = static_cast<uint8_t>(row[i] + ((left + up) >> 1)); break;
        case 4: row[i] = static_cast<uint8_t>(row[i] + Paeth(left, up, upLeft)); break;
        default: return false;
        }
    }
    return true;
}

}  // namespace

PngRead DecodePng(const uint8_t *data, size_t size, PngPixels &out) {
    if (size < 8 || std::memcmp(data, kSignature, 8) != 0) return PngRead::kNotHandled;
    uint32_t width = 0, height = 0;
    bool alpha = false;
    std::vector<uint8_t> compressed;
    size_t at = 8;
    for (bool ended = false; !ended;) {
        if (size - at < 12) return PngRead::kDamaged;
        const uint32_t length = BigEndian(data + at);
        const uint8_t *type = data + at + 4;
        const uint8_t *body = data + at + 8;
        if (length > size - at - 12) return PngRead::kDamaged;
        const bool first = at == 8;
        at += 12 + static_cast<size_t>(length);
        if (first != IsType(type, "IHDR")) return PngRead::kDamaged;
        if (first) {
            if (length != 13) return PngRead::kDamaged;
            width = BigEndian(body);
            height = BigEndian(body + 4);
            if (width == 0 || height == 0 || body[10] != 0 || body[11] != 0) return PngRead::kDamaged;
            if (width > kMaxSide || height > kMaxSide || body[8] != 8 || (body[9] != 2 && body[9] != 6) ||
                body[12] != 0)
                return PngRead::kNotHandled;
            alpha = body[9] == 6;
        } else if (IsType(type, "IDAT")) {
            compressed.insert(compressed.end(), body, body + length);
        } else if (IsType(type, "IEND")) {
            ended = true;
        } else if (!IsType(type, "PLTE") && !IsHarmless(type)) {
            return PngRead::kNotHandled;  // a suggested palette changes nothing for RGB(A)
        }
    }
    const size_t pixelBytes = alpha ? 4 : 3;
    const uint64_t rowBytes = static_cast<uint64_t>(width) * pixelBytes;
    if ((rowBytes + 1) * height > kMaxFilteredBytes) return PngRead::kNotHandled;
    std::vector<uint8_t> rows;
    const size_t stride = static_cast<size_t>(rowBytes) + 1;  // the filter byte, then the row
    if (compressed.empty() || !ZlibInflate(compressed.data(), compressed.size(), stride * height, rows))
        return PngRead::kDamaged;

    out.width = static_cast<int>(width);
    out.height = static_cast<int>(height);
    out.bgra.resize(static_cast<size_t>(width) * height * 4);
    uint8_t *to = out.bgra.data();
    for (size_t y = 0; y < height; ++y) {
        uint8_t *row = rows.data() + y * stride;
        if (!Unfilter(row[0], row + 1, y > 0 ? row + 1 - stride : nullptr, stride - 1, pixelBytes))
            return PngRead::kDamaged;
        for (const uint8_t *p = row + 1; p < row + stride; p += pixelBytes, to += 4) {
            to[0] = p[2];
            to[1] = p[1];
            to[2] = p[0];
            to[3] = alpha ? p[3] : 0xFF;
        }
    }
    return PngRead::kDecoded;
}

}  // namespace uilib
