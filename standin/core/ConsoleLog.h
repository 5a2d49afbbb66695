// ConsoleLog: what the console asked of the libraries, one text line per call that
// changes something (pushes, deletes, play, seek, pause, locate, record), for tests to
// read back through the control pipe. Keeps the latest 10000 lines. Thread-safe.
#pragma once

#include <deque>
#include <mutex>
#include <string>
#include <vector>

namespace standin {

class ConsoleLog {
public:
    void Add(const std::string &line);
    std::vector<std::string> Lines() const;
    void Clear();

private:
    mutable std::mutex m_mutex;
    std::deque<std::string> m_lines;
};

}  // namespace standin
