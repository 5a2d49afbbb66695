// Real keyboard and mouse input on the X display that Wine draws on: xdotool, a Linux
// program that Wine starts directly, run to completion. The input goes to the window that
// has the X focus, as the operator's would.
#pragma once

#include <string>

namespace testsupport {

// Runs "xdotool <args>" on $DISPLAY; false when it could not be started, failed, or did
// not finish within timeoutMs.
bool XdoTool(const std::string &args, unsigned timeoutMs = 15000);

}  // namespace testsupport
