// Generated voice for simulated calls: a soft melody of plucked notes on a pentatonic
// scale, different for each seed. Sample n depends only on (seed, n), so a recording can
// be written in pieces.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace standin {

int16_t ToneSample(uint32_t seed, size_t n);
std::vector<int16_t> ToneSamples(uint32_t seed, size_t first, size_t count);

}  // namespace standin
