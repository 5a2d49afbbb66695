#include "tests/support/SkinInput.h"

#include "tests/support/WaitFor.h"
#include "uilib/core/UIScale.h"

namespace testsupport {

void UseInstalledSkins() {
    CPaintManagerUI::SetInstance(::GetModuleHandleW(nullptr));
    CPaintManagerUI::SetResourcePath((CPaintManagerUI::GetInstancePath() + L"skin").c_str());
}

bool WaitLaidOut(CControlUI *control, unsigned timeoutMs) {
    if (control == nullptr) return false;
    return WaitFor(
        [&] {
            const RECT &rc = control->GetPos();
            return control->IsVisible() && rc.right > rc.left && rc.bottom > rc.top;
        },
        timeoutMs);
}

void SendClick(HWND hWnd, POINT pt, bool twice, bool post) {
    const LPARAM at = MAKELPARAM(pt.x, pt.y);
    auto deliver = [&](UINT message, WPARAM keys) {
        if (post)
            ::PostMessageW(hWnd, message, keys, at);
        else
            ::SendMessageW(hWnd, message, keys, at);
    };
    deliver(WM_MOUSEMOVE, 0);
    for (UINT down : {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}) {
        deliver(down, MK_LBUTTON);
        deliver(WM_LBUTTONUP, 0);
        if (!twice) break;
    }
}

void ClickAt(HWND hWnd, POINT pt, bool twice) {
    SendClick(hWnd, pt, twice, false);
    PumpPending();
}

void ClickControl(HWND hWnd, CControlUI *control, bool twice) {
    ::UpdateWindow(hWnd);  // lays the controls out if a paint is due
    const RECT &rc = control->GetPos();
    ClickAt(hWnd, POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2}, twice);
}

std::string Narrow(const std::wstring &text) {
    std::string out;
    for (wchar_t c : text) out += static_cast<char>(c < 0x80 ? c : '?');
    return out;
}

void ChangeScale(HWND hWnd, SIZE size96, int dpi) {
    RECT rc = {};
    ::GetWindowRect(hWnd, &rc);
    RECT suggested = {rc.left, rc.top, rc.left + uilib::ScaleValue(size96.cx, dpi),
                      rc.top + uilib::ScaleValue(size96.cy, dpi)};
    ::SendMessageW(hWnd, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    PumpPending();
}

}  // namespace testsupport
