#include "app/ServiceLibraries.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

const wchar_t *const kServiceLibraries[] = {L"BmService.dll", L"BmHalApi.dll"};
const wchar_t kCaption[] = L"错误";
const wchar_t kMissingText[] = L"找不到服务库 %ls。\n\n请把 %ls 复制到管理软件所在的文件夹：\n%ls";
const wchar_t kUnloadableText[] =
    L"无法加载服务库 %ls（错误 %lu）。\n\n它应是 32 位的 %ls，位于管理软件所在的文件夹：\n%ls";

std::wstring ExeFolder() {
    wchar_t path[MAX_PATH] = {};
    const DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, n);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1);
}

void Report(const wchar_t *library, DWORD error) {
    const std::wstring folder = ExeFolder();
    const bool beside = ::GetFileAttributesW((folder + library).c_str()) != INVALID_FILE_ATTRIBUTES;
    wchar_t text[1024];
    if (beside) {
        _snwprintf(text, 1023, kUnloadableText, library, error, library, folder.c_str());
    } else {
        _snwprintf(text, 1023, kMissingText, library, library, folder.c_str());
    }
    text[1023] = L'\0';
    std::fprintf(stderr, "cannot load %ls (error %lu).\n", library, error);
    ::MessageBoxW(nullptr, text, kCaption, MB_OK | MB_ICONERROR);
}

}  // namespace

bool ServiceLibrariesPresent() {
    for (const wchar_t *library : kServiceLibraries) {
        // Found the way the delay-load helper will look (the exe's folder first); kept
        // loaded, so the helper's own load later only takes a reference.
        if (::LoadLibraryW(library) == nullptr) {
            Report(library, ::GetLastError());
            return false;
        }
    }
    return true;
}
