#include "ui/TrayIcon.h"

#include <cwchar>

#include "ui/ConsoleTitle.h"
#include "ui/PrivateMessages.h"
#include "uilib/UIlib.h"

NOTIFYICONDATAW g_trayIcon = {};

namespace {
bool g_trayIconAdded = false;
}

void AddTrayIcon(HWND hWnd) {
    g_trayIcon.cbSize = sizeof(NOTIFYICONDATAW);
    g_trayIcon.hWnd = hWnd;
    g_trayIcon.uID = 0;
    g_trayIcon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    g_trayIcon.uCallbackMessage = WM_TRAY_NOTIFY;
    // The picture drawn for the notification area's size (LoadIcon would give the large one
    // shrunk by the shell).
    g_trayIcon.hIcon =
        static_cast<HICON>(::LoadImageW(CPaintManagerUI::GetInstance(), MAKEINTRESOURCEW(kTrayIconResource), IMAGE_ICON,
                                        ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), 0));
    if (g_trayIcon.hIcon == nullptr)
        g_trayIcon.hIcon = ::LoadIconW(CPaintManagerUI::GetInstance(), MAKEINTRESOURCEW(kTrayIconResource));
    wcsncpy(g_trayIcon.szTip, kConsoleTitle, ARRAYSIZE(g_trayIcon.szTip) - 1);
    g_trayIcon.szTip[ARRAYSIZE(g_trayIcon.szTip) - 1] = L'\0';
    ::Shell_NotifyIconW(NIM_ADD, &g_trayIcon);
    g_trayIconAdded = true;
}

void ReaddTrayIcon() {
    if (g_trayIconAdded) ::Shell_NotifyIconW(NIM_ADD, &g_trayIcon);
}

void DeleteTrayIcon() {
    if (!g_trayIconAdded) return;
    ::Shell_NotifyIconW(NIM_DELETE, &g_trayIcon);
    g_trayIconAdded = false;
}

bool IsTrayIconAdded() { return g_trayIconAdded; }

UINT TaskbarCreatedMessage() {
    static const UINT message = ::RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}
