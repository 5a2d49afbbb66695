// Shows a voice file in the system's file browser, selected ("explorer /select,<path>").
#pragma once

#include <string>

namespace standin {

bool ShowInFileBrowser(const std::wstring &path);

}  // namespace standin
