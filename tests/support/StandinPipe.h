// A client of the stand-in's control pipe: one request line, the answer's lines.
#pragma once

#include <string>
#include <vector>

namespace e2e {

struct PipeAnswer {
    bool ok = false;
    std::string status;              // the final "ok ..." or "error ..." line
    std::vector<std::string> lines;  // the "= " lines, without the prefix
};

// An empty status when the pipe cannot be reached in time.

PipeAnswer AskStandin(const std::wstring &pipe, const std::string &request, unsigned timeoutMs = 5000);

}  // namespace e2e
