// The reference for the start-up bench: a bare Win32 window of the console's size (800 x 572
// at 100 %, scaled with the screen as the console scales its window), built with the same
// toolchain, which reports its first paint like the console does.
#include <windows.h>

#include "app/StartupProbe.h"

namespace {

LRESULT CALLBACK BareProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(hWnd, &ps);
        ::FillRect(dc, &ps.rcPaint, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        ::EndPaint(hWnd, &ps);
        return 0;
    }
    case WM_DESTROY: ::PostQuitMessage(0); return 0;
    default: return ::DefWindowProcW(hWnd, msg, wParam, lParam);
    }
}

// The screen's scale (96 = 100 %), read as the console reads it.
int SystemDpi() {
    typedef UINT(WINAPI * DpiForSystemProc)();
    const auto forSystem = reinterpret_cast<DpiForSystemProc>(
        reinterpret_cast<void *>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetDpiForSystem")));
    const UINT dpi = forSystem != nullptr ? forSystem() : 0;
    return dpi != 0 ? static_cast<int>(dpi) : 96;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, LPWSTR, int) {
    startupprobe::Mark("process start to wWinMain (loader, DLLs, C runtime)");
    ::SetProcessDPIAware();  // as the console's manifest declares it
    WNDCLASSW wc = {};
    wc.lpfnWndProc = BareProc;
    wc.hInstance = hInstance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = L"BareWindow";
    ::RegisterClassW(&wc);
    const int dpi = SystemDpi();
    const HWND hWnd =
        ::CreateWindowExW(0, wc.lpszClassName, L"Bare window", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                          ::MulDiv(800, dpi, 96), ::MulDiv(572, dpi, 96), nullptr, nullptr, hInstance, nullptr);
    if (hWnd == nullptr) return 1;
    startupprobe::Mark("main window created (rest of creation)");
    ::ShowWindow(hWnd, SW_SHOW);
    startupprobe::Mark("centre and show");
    if (startupprobe::Requested()) {
        startupprobe::RunUntilFirstPaint(hWnd);
        return 0;
    }
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}
