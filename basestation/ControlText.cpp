#include "basestation/ControlText.h"

#include <cstdlib>
#include <windows.h>

#include "uilib/UIlib.h"

void ReadControlText(CControlUI *control, char *out, size_t outSize) {
    if (out == nullptr || outSize == 0) return;
    out[0] = '\0';
    if (control == nullptr) return;
    const CDuiString text = control->GetText();
    // Convert whole characters only: shrink the source until its conversion fits.
    int length = static_cast<int>(text.size());
    const int room = static_cast<int>(outSize) - 1;
    for (;;) {
        const int needed = WideCharToMultiByte(CP_OEMCP, 0, text.c_str(), length,
                                               nullptr, 0, nullptr, nullptr);
        if (needed <= room) {
            const int written = WideCharToMultiByte(CP_OEMCP, 0, text.c_str(), length,
                                                    out, room, nullptr, nullptr);
            out[written > 0 ? written : 0] = '\0';
            return;
        }
        length -= (needed - room + 1) / 2 > 0 ? (needed - room + 1) / 2 : 1;
        if (length <= 0) return;
    }
}

void ReadControlInt(CControlUI *control, int &dest) {
    char buffer[kControlTextSize];
    ReadControlText(control, buffer, sizeof buffer);
    dest = std::atoi(buffer);
}
