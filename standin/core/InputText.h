// Checks on 8-bit text that arrives from the console: every text argument is read up to
// its NUL within 100 bytes, and voice file names are plain names inside the data folder.
#pragma once

#include <string>

namespace standin {

const size_t kTextLimit = 100;    // bytes of an argument read before giving up on the NUL
const size_t kMaxNameBytes = 99;  // a voice file name, without its NUL

// False when p is null or holds no NUL within kTextLimit bytes.
bool ReadText(const char *p, std::string *out);

// A name that can only denote a file directly inside the data folder: 1..99 bytes, no path
// separators, drive or stream colons, wildcards, control characters, not "." or "..".
bool IsPlainFileName(const std::string &name);

// ReadText + IsPlainFileName, with a diagnostic naming `what` on failure.
bool ReadFileName(const char *p, const char *what, std::string *out);

}  // namespace standin
