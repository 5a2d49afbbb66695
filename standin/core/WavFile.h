// Voice files: RIFF/WAVE, PCM, 8000 Hz, 16-bit, mono. A frame is 20 ms = 160 samples.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace standin {

const int kSampleRate = 8000;
const int kSamplesPerFrame = 160;
// The data size a header carries while its file is still being recorded.
const uint32_t kWavOpenEnded = 0x7FFFFFF0u;

// Frames needed for this many samples (a partial last frame counts).
int FramesOf(size_t samples);

// Parses a whole file image. Refuses other formats and a header cut short; a data chunk
// cut short (a crash while recording) yields the samples that are there, and sets
// *truncated when given.
bool ParseWav(const std::string &bytes, std::vector<int16_t> *samples, std::string *error, bool *truncated = nullptr);
std::string EncodeWav(const std::vector<int16_t> &samples);
// The 44-byte header of a file with this many data bytes (open-ended from kWavOpenEnded).
std::string EncodeWavHeader(uint32_t dataBytes);

bool ReadWavFile(const std::wstring &path, std::vector<int16_t> *samples, std::string *error,
                 bool *truncated = nullptr);
// Writes to "<path>.part", then renames: a reader never sees half a file.
bool WriteWavFile(const std::wstring &path, const std::vector<int16_t> &samples);

// Writes a file as it is recorded: the header first with an open-ended size, samples as
// they come, the real sizes when closed. Readers of a file cut short by a crash get the
// samples written so far.
class WavWriter {
public:
    ~WavWriter();
    bool Open(const std::wstring &path);
    bool Append(const int16_t *samples, size_t count);
    bool Close();
    bool IsOpen() const { return m_file != nullptr; }

private:
    void *m_file = nullptr;  // a Win32 file handle
    uint32_t m_dataBytes = 0;
};

}  // namespace standin
