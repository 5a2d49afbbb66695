// Voice files on disk: the Win32 half of WavFile.h.
#include <windows.h>

#include "standin/core/WavFile.h"

namespace standin {
namespace {

bool WriteBytes(HANDLE h, const void *data, size_t size) {
    DWORD written = 0;
    return WriteFile(h, data, static_cast<DWORD>(size), &written, nullptr) && written == size;
}

}  // namespace

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
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    m_file = file;
    m_dataBytes = 0;
    std::string h = EncodeWavHeader(kWavOpenEnded);
    if (!WriteBytes(m_file, h.data(), h.size())) {
        CloseHandle(m_file);
        m_file = nullptr;
        return false;
    }
    return true;
}

bool WavWriter::Append(const int16_t *samples, size_t count) {
    if (m_file == nullptr) return false;
    if (!WriteBytes(m_file, samples, count * 2)) return false;
    m_dataBytes += static_cast<uint32_t>(count * 2);
    return true;
}

bool WavWriter::Close() {
    if (m_file == nullptr) return true;
    std::string h = EncodeWavHeader(m_dataBytes);
    bool ok = SetFilePointer(m_file, 0, nullptr, FILE_BEGIN) == 0 && WriteBytes(m_file, h.data(), h.size()) &&
              FlushFileBuffers(m_file);
    CloseHandle(m_file);
    m_file = nullptr;
    return ok;
}

}  // namespace standin
