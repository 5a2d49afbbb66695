// The console's window title: the main window's title, the single-instance key and the
// tray icon's tip.
#pragma once

constexpr wchar_t kConsoleTitle[] = L"KELM专网管理软件";
