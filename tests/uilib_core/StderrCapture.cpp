#include "tests/uilib_core/StderrCapture.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace uitest {

StderrCapture::StderrCapture() {
    wchar_t dir[MAX_PATH], file[MAX_PATH];
    ::GetTempPathW(MAX_PATH, dir);
    ::GetTempFileNameW(dir, L"err", 0, file);
    char narrow[MAX_PATH * 3];
    ::WideCharToMultiByte(CP_ACP, 0, file, -1, narrow, sizeof(narrow), nullptr, nullptr);
    m_path = narrow;
    fflush(stderr);
    m_savedFd = _dup(2);
    int fd = _open(m_path.c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY, 0600);
    _dup2(fd, 2);
    _close(fd);
}

StderrCapture::~StderrCapture() {
    fflush(stderr);
    _dup2(m_savedFd, 2);
    _close(m_savedFd);
    remove(m_path.c_str());
}

std::string StderrCapture::Text() {
    fflush(stderr);
    std::ifstream in(m_path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

}  // namespace uitest
