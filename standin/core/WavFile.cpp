#include "standin/core/WavFile.h"

#include <cstring>

namespace standin {
namespace {

const size_t kHeaderBytes = 44;
const uint32_t kOpenEnded = 0x7FFFFFF0u;  // data size written while recording

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

std::string Header(uint32_t dataBytes) {
    std::string h;
    h += "RIFF";
    Put<uint32_t>(&h, dataBytes >= kOpenEnded ? kOpenEnded : 36 + dataBytes);
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

bool WriteBytes(HANDLE h, const void *data, size_t size) {
    DWORD written = 0;
    return WriteFile(h, data, static_cast<DWORD>(size), &written, nullptr) && written == size;
}

}  // namespace

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
                if (truncated) *truncated = size != kOpenEnded;
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
    std::string out = Header(static_cast<uint32_t>(samples.size() * 2));
    out.append(reinterpret_cast<const char *>(samples.data()), samples.size() * 2);
    return out;
}

bool ReadWavFile(const std::wstring &path, std::vector<int16_t> *samples, std::string *error, bool *truncated) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        *error = "cannot open the file";
        return false;
    }
    LARGE_INTEGER size;
    std::string bytes;
    bool ok = GetFileSizeEx(h, &size) && size.QuadPart < (256 << 20);
    if (ok) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD got = 0;
        ok = bytes.empty() ||
             (ReadFile(h, &bytes[0], static_cast<DWORD>(bytes.size()), &got, nullptr) && got == bytes.size());
    }
    CloseHandle(h);
    if (!ok) {
        *error = "cannot read the file";
        return false;
    }
    return ParseWav(bytes, samples, error, truncated);
}

bool WriteWavFile(const std::wstring &path, const std::vector<int16_t> &samples) {
    std::wstring part = path + L".part";
    HANDLE h = CreateFileW(part.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    std::string bytes = EncodeWav(samples);
    bool ok = WriteBytes(h, bytes.data(), bytes.size());
    CloseHandle(h);
    ok = ok && MoveFileExW(part.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
    if (!ok) DeleteFileW(part.c_str());
    return ok;
}

WavWriter::~WavWriter() { Close(); }

bool WavWriter::Open(const std::wstring &path) {
    Close();
    m_file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                         nullptr);
    if (m_file == INVALID_HANDLE_VALUE) return false;
    m_dataBytes = 0;
    std::string h = Header(kOpenEnded);
    if (!WriteBytes(m_file, h.data(), h.size())) {
        CloseHandle(m_file);
        m_file = INVALID_HANDLE_VALUE;
        return false;
    }
    return true;
}

bool WavWriter::Append(const int16_t *samples, size_t count) {
    if (m_file == INVALID_HANDLE_VALUE) return false;
    if (!WriteBytes(m_file, samples, count * 2)) return false;
    m_dataBytes += static_cast<uint32_t>(count * 2);
    return true;
}

bool WavWriter::Close() {
    if (m_file == INVALID_HANDLE_VALUE) return true;
    std::string h = Header(m_dataBytes);
    bool ok = SetFilePointer(m_file, 0, nullptr, FILE_BEGIN) == 0 && WriteBytes(m_file, h.data(), h.size()) &&
              FlushFileBuffers(m_file);
    CloseHandle(m_file);
    m_file = INVALID_HANDLE_VALUE;
    return ok;
}

}  // namespace standin
