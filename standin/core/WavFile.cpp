#include "standin/core/WavFile.h"

#include <cstring>

namespace standin {
namespace {

template <typename T>
T Get(const std::string &b, size_t pos) {
    T v;
    memcpy(&v, b.data() + pos, sizeof v);
    return v;
}

template <typename T>
void Put(std::string *s, T v) {
    s->append(reinterpret_cast<const char *>(&v), sizeof v);
}

}  // namespace

std::string EncodeWavHeader(uint32_t dataBytes) {
    std::string h;
    h += "RIFF";
    Put<uint32_t>(&h, dataBytes >= kWavOpenEnded ? kWavOpenEnded : 36 + dataBytes);
    h += "WAVEfmt ";
    Put<uint32_t>(&h, 16);
    Put<uint16_t>(&h, 1);  // PCM
    Put<uint16_t>(&h, 1);  // mono
    Put<uint32_t>(&h, kSampleRate);
    Put<uint32_t>(&h, kSampleRate * 2);
    Put<uint16_t>(&h, 2);
    Put<uint16_t>(&h, 16);
    h += "data";
    Put<uint32_t>(&h, dataBytes);
    return h;
}

int FramesOf(size_t samples) { return static_cast<int>((samples + kSamplesPerFrame - 1) / kSamplesPerFrame); }

bool ParseWav(const std::string &b, std::vector<int16_t> *samples, std::string *error, bool *truncated) {
    if (truncated) *truncated = false;
    if (b.size() < 12 || b.compare(0, 4, "RIFF") != 0 || b.compare(8, 4, "WAVE") != 0) {
        *error = "not a RIFF/WAVE file";
        return false;
    }
    bool haveFormat = false;
    size_t pos = 12;
    while (pos + 8 <= b.size()) {
        std::string id = b.substr(pos, 4);
        uint32_t size = Get<uint32_t>(b, pos + 4);
        size_t body = pos + 8;
        if (id == "fmt ") {
            if (size < 16 || body + 16 > b.size()) {
                *error = "format chunk cut short";
                return false;
            }
            if (Get<uint16_t>(b, body) != 1 || Get<uint16_t>(b, body + 2) != 1 ||
                Get<uint32_t>(b, body + 4) != static_cast<uint32_t>(kSampleRate) || Get<uint16_t>(b, body + 14) != 16) {
                *error = "not 8000 Hz 16-bit mono PCM";
                return false;
            }
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat) {
                *error = "data before format";
                return false;
            }
            size_t available = b.size() - body;
            size_t bytes = size;
            if (bytes > available) {
                if (truncated) *truncated = size != kWavOpenEnded;
                bytes = available;
            }
            samples->resize(bytes / 2);
            if (!samples->empty()) memcpy(samples->data(), b.data() + body, samples->size() * 2);
            return true;
        }
        if (size > b.size() - body) break;
        pos = body + size + (size & 1);
    }
    *error = haveFormat ? "no data chunk" : "no format chunk";
    return false;
}

std::string EncodeWav(const std::vector<int16_t> &samples) {
    std::string out = EncodeWavHeader(static_cast<uint32_t>(samples.size() * 2));
    out.append(reinterpret_cast<const char *>(samples.data()), samples.size() * 2);
    return out;
}

}  // namespace standin
