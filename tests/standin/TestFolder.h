// A fresh, empty folder under %TEMP% for one test, removed (with its files) afterwards;
// whole-file helpers for damaging files on purpose.
#pragma once

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

class TestFolder {
public:
    TestFolder() : m_path((std::filesystem::temp_directory_path() / Unique()).wstring()) {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
        std::filesystem::create_directory(m_path, ignored);
    }
    // Files still open (a library's index) stay; a later run of the same name removes them.
    ~TestFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    const std::wstring &Path() const { return m_path; }
    std::wstring File(const std::wstring &name) const { return m_path + L"\\" + name; }

private:
    static std::wstring Unique() {
        static int s_counter = 0;
        return L"standin-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++s_counter);
    }
    std::wstring m_path;
};

inline std::string ReadBytes(const std::wstring &path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline bool WriteBytes(const std::wstring &path, const std::string &bytes) {
    std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    return static_cast<bool>(out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())));
}
