// The first skin file that could not be built during this run (missing, malformed, or
// without a known control), with the builder's message: the file, and line and column
// where it names them. Start-up reads it after the main window's creation: a window
// built without its skin is blank, and the operator must be told which file to mend.
#pragma once

#include <string>

// Keeps message unless a failure was noted before (the first one explains the rest).
void NoteSkinFailure(const std::wstring &message);
// The first message noted; empty when every skin was built.
std::wstring SkinFailure();
