// The stand-ins' environment variables and the folder of the running exe.
#pragma once

#include <string>

namespace standin {

// Value of an environment variable, empty when unset.
std::wstring EnvText(const wchar_t *name);
// Folder of the process's exe, without a trailing backslash.
std::wstring ExeFolder();
// Whole file as bytes; false when it cannot be read.
bool ReadWholeFile(const std::wstring &path, std::string *bytes);

}  // namespace standin
