// Platform-free: a zlib stream (RFC 1950 around RFC 1951 deflate) inflated into memory,
// for the PNG reader. Strict: a stream that does not end exactly at the expected size, or
// whose Adler-32 does not match, is refused.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace uilib {

// Inflates the zlib stream data[0..size) into out (replaced), which must come to exactly
// expected bytes; false on any damage, a preset dictionary, or another size.
bool ZlibInflate(const uint8_t *data, size_t size, size_t expected, std::vector<uint8_t> &out);

}  // namespace uilib
