// The stand-in service's control pipe, as a test drives it: one request line, the answer
// up to its "ok" or "error" line.
#pragma once

#include <string>

namespace e2eshell {

// The whole answer, or "" when the pipe could not be reached within timeoutMs.
std::string StandinRequest(const std::wstring &pipeName, const std::string &request,
                           unsigned timeoutMs = 5000);

}  // namespace e2eshell
