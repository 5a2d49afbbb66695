// A fresh, empty folder under %TEMP% for one test, removed (with its files) afterwards.
#pragma once

#include <windows.h>

#include <string>

class TestFolder {
public:
    TestFolder() {
        static int s_counter = 0;
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        m_path = std::wstring(temp) + L"standin-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                 std::to_wstring(++s_counter);
        Remove();
        CreateDirectoryW(m_path.c_str(), nullptr);
    }
    ~TestFolder() { Remove(); }
    const std::wstring &Path() const { return m_path; }
    std::wstring File(const std::wstring &name) const { return m_path + L"\\" + name; }

private:
    void Remove() { RemoveTree(m_path); }
    // Files still open (a library's index) stay; a later run of the same name removes them.
    static void RemoveTree(const std::wstring &path) {
        WIN32_FIND_DATAW fd;
        HANDLE h = FindFirstFileW((path + L"\\*").c_str(), &fd);
        if (h != INVALID_HANDLE_VALUE) {
            do {
                std::wstring name = fd.cFileName;
                if (name == L"." || name == L"..") continue;
                if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    RemoveTree(path + L"\\" + name);
                else
                    DeleteFileW((path + L"\\" + name).c_str());
            } while (FindNextFileW(h, &fd));
            FindClose(h);
        }
        RemoveDirectoryW(path.c_str());
    }
    std::wstring m_path;
};

// Whole-file helpers for damaging files on purpose.
inline std::string ReadBytes(const std::wstring &path) {
    std::string out;
    HANDLE h =
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return out;
    char buf[65536];
    DWORD got = 0;
    while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got > 0) out.append(buf, got);
    CloseHandle(h);
    return out;
}

inline bool WriteBytes(const std::wstring &path, const std::string &bytes) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok =
        WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size();
    CloseHandle(h);
    return ok;
}
