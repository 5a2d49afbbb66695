// Reading a skin file from disk: the Win32 half of the XML reader.
#include <windows.h>

#include "uilib/skin/XmlReader.h"

XmlParseResult ParseXmlFile(const std::wstring &path) {
    XmlParseResult result;
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        result.error = ::GetLastError() == ERROR_FILE_NOT_FOUND || ::GetLastError() == ERROR_PATH_NOT_FOUND
                           ? "file not found"
                           : "cannot open the file";
        return result;
    }
    LARGE_INTEGER size = {};
    if (!::GetFileSizeEx(file, &size) || size.QuadPart > 256LL * 1024 * 1024) {
        ::CloseHandle(file);
        result.error = "cannot read the file (too large?)";
        return result;
    }
    std::string data(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    BOOL ok = data.empty() || ::ReadFile(file, &data[0], static_cast<DWORD>(data.size()), &read, nullptr);
    ::CloseHandle(file);
    if (!ok || read != data.size()) {
        result.error = "cannot read the file";
        return result;
    }
    return ParseXml(data.data(), data.size());
}
