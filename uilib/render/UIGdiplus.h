// Private to the library: GDI+ is started on first use (once per process) and shut down
// by CPaintManagerUI::Term.
#pragma once

#include <windows.h>
#include <gdiplus.h>

namespace uilib {
void EnsureGdiplus();
void ShutdownGdiplus();
}  // namespace uilib
