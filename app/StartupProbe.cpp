#include "app/StartupProbe.h"

#include <cstdio>

namespace startupprobe {

double RunUntilFirstPaint(HWND hWnd) {
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
        if (msg.message == WM_PAINT && msg.hwnd == hWnd) break;
    }
    const double ms = MsSinceProcessStart();
    Mark("first layout and paint");
    PrintMarks();
    std::printf("first-paint-ms: %.3f\n", ms);
    return ms;
}

}  // namespace startupprobe
