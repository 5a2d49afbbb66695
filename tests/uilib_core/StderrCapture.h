// Captures what the code under test writes to standard error (file descriptor 2) for the
// lifetime of the object; Text() returns it so far.
#pragma once

#include <string>

namespace uitest {

class StderrCapture {
public:
    StderrCapture();
    ~StderrCapture();
    std::string Text();

private:
    int m_savedFd = -1;
    std::string m_path;
};

}  // namespace uitest
