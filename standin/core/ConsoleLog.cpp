#include "standin/core/ConsoleLog.h"

namespace standin {

namespace {
const size_t kMaxLines = 10000;
}

void ConsoleLog::Add(const std::string &line) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_lines.push_back(line);
    if (m_lines.size() > kMaxLines) m_lines.pop_front();
}

std::vector<std::string> ConsoleLog::Lines() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return std::vector<std::string>(m_lines.begin(), m_lines.end());
}

void ConsoleLog::Clear() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_lines.clear();
}

}  // namespace standin
