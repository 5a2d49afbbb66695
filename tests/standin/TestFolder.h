// A fresh, empty folder under %TEMP% for one test, removed with its files afterwards (files
// still open stay; a later run of the same name removes them); whole-file helpers.
#pragma once

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

class TestFolder {
public:
    TestFolder() {
        static int s_counter = 0;
        m_path = (std::filesystem::temp_directory_path() /
                  ("standin-test-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++s_counter)))
                     .wstring();
        std::filesystem::remove_all(m_path, m_ignored);
        std::filesystem::create_directory(m_path, m_ignored);
    }
    ~TestFolder() { std::filesystem::remove_all(m_path, m_ignored); }
    const std::wstring &Path() const { return m_path; }
    std::wstring File(const std::wstring &name) const { return m_path + L"\\" + name; }

private:
    std::wstring m_path;
    std::error_code m_ignored;
};

inline std::string ReadBytes(const std::wstring &path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline bool WriteBytes(const std::wstring &path, const std::string &bytes) {
    return static_cast<bool>(std::ofstream(std::filesystem::path(path), std::ios::binary) << bytes);
}
