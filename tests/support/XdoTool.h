#pragma once

#include <string>

namespace testsupport {

// Real input on the X display, to the window with the X focus; false on failure or time-out.

bool XdoTool(const std::string &args, unsigned timeoutMs = 15000);

}  // namespace testsupport
