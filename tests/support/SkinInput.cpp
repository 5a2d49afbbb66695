#include "tests/support/SkinInput.h"

#include "tests/support/WaitFor.h"

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

void ClickAt(HWND hWnd, POINT pt, bool twice) {
    const LPARAM pos = MAKELPARAM(pt.x, pt.y);
    ::SendMessageW(hWnd, WM_MOUSEMOVE, 0, pos);
    ::SendMessageW(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, pos);
    ::SendMessageW(hWnd, WM_LBUTTONUP, 0, pos);
    if (twice) {
        ::SendMessageW(hWnd, WM_LBUTTONDBLCLK, MK_LBUTTON, pos);
        ::SendMessageW(hWnd, WM_LBUTTONUP, 0, pos);
    }
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

}  // namespace testsupport
