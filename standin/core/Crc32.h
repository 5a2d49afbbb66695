// CRC-32 (IEEE 802.3 polynomial, as zip uses) for the call index's records.
#pragma once

#include <cstddef>
#include <cstdint>

namespace standin {

uint32_t Crc32(const void *data, size_t size);

}  // namespace standin
