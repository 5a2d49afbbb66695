// Platform-free: the PNG files skins are drawn with (8-bit RGB or RGBA, not interlaced)
// decoded without the system's image codecs, whose first use costs more than decoding
// every image of a window. Anything else is left to those codecs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace uilib {

enum class PngRead {
    kDecoded,
    kNotHandled,  // no PNG, or a kind of PNG this reader leaves to the system
    kDamaged,
};

struct PngPixels {
    int width = 0, height = 0;
    std::vector<uint8_t> bgra;  // top-down rows of width * 4 bytes, alpha not premultiplied
};

PngRead DecodePng(const uint8_t *data, size_t size, PngPixels &out);

}  // namespace uilib
