#include "standin/core/ToneGen.h"

#include <algorithm>
#include <cmath>

#include "standin/core/WavFile.h"

namespace standin {
namespace {

const double kPi = 3.14159265358979323846;
const size_t kNoteSamples = kSampleRate * 3 / 10;  // 300 ms a note
// A major pentatonic over two octaves (Hz).
const double kScale[] = {220.0, 246.94, 277.18, 329.63, 369.99, 440.0, 493.88, 554.37, 659.25, 739.99};

uint32_t Mix(uint32_t x) {
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

}  // namespace

int16_t ToneSample(uint32_t seed, size_t n) {
    size_t note = n / kNoteSamples;
    uint32_t h = Mix(seed * 2654435761U + static_cast<uint32_t>(note));
    if (h % 7 == 0) return 0;  // a rest now and then
    // Stepwise walk on the scale keeps the tune smooth.
    size_t step = Mix(seed + static_cast<uint32_t>(note / 4)) % 6;
    size_t index = (step + h % 5) % (sizeof kScale / sizeof kScale[0]);
    double f = kScale[index];
    double t = static_cast<double>(n % kNoteSamples) / kSampleRate;
    double envelope = std::min(1.0, t / 0.01) * std::exp(-t * 6.0);
    double v = 0.6 * std::sin(2 * kPi * f * t) + 0.25 * std::sin(4 * kPi * f * t) + 0.1 * std::sin(6 * kPi * f * t);
    return static_cast<int16_t>(v * envelope * 9000.0);
}

std::vector<int16_t> ToneSamples(uint32_t seed, size_t first, size_t count) {
    std::vector<int16_t> out(count);
    for (size_t i = 0; i < count; ++i) out[i] = ToneSample(seed, first + i);
    return out;
}

}  // namespace standin
