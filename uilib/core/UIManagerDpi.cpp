// CPaintManagerUI scale: the window's DPI, the skin-pixel helpers, and WM_DPICHANGED.
#include "uilib/core/UIManagerImpl.h"
#include "uilib/core/UIScale.h"

namespace {

// GetDpiForWindow and GetDpiForSystem exist from Windows 10 1607: looked up, not linked.
using DpiForWindowProc = UINT(WINAPI *)(HWND);
using DpiForSystemProc = UINT(WINAPI *)();

int ScreenDpi() {
    HDC screen = ::GetDC(nullptr);
    const int dpi = screen != nullptr ? ::GetDeviceCaps(screen, LOGPIXELSY) : uilib::kSkinDpi;
    if (screen != nullptr) ::ReleaseDC(nullptr, screen);
    return dpi;
}

}  // namespace

int CPaintManagerUI::WindowDPI(HWND hWnd) {
    const HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    UINT dpi = 0;
    if (hWnd != nullptr) {
        if (auto forWindow = reinterpret_cast<DpiForWindowProc>(
                reinterpret_cast<void *>(::GetProcAddress(user32, "GetDpiForWindow"))))
            dpi = forWindow(hWnd);
    }
    if (dpi == 0) {
        if (auto forSystem = reinterpret_cast<DpiForSystemProc>(
                reinterpret_cast<void *>(::GetProcAddress(user32, "GetDpiForSystem"))))
            dpi = forSystem();
    }
    if (dpi == 0) dpi = static_cast<UINT>(ScreenDpi());
    return dpi >= 48 && dpi <= 960 ? static_cast<int>(dpi) : uilib::kSkinDpi;
}

int CPaintManagerUI::GetDPI() const { return m_impl->dpi; }

void CPaintManagerUI::SetDPI(int dpi) {
    if (dpi < 48 || dpi > 960 || dpi == m_impl->dpi) return;
    m_impl->dpi = dpi;
    m_impl->RescaleFonts();
    RemoveAllImages();
    uilib::ForEachControl(m_impl->root, [](CControlUI *c) { c->NeedUpdate(); });
    m_impl->updateNeeded = true;
    Invalidate();
}

int CPaintManagerUI::Scale(int value) const { return uilib::ScaleValue(value, m_impl->dpi); }
RECT CPaintManagerUI::Scale(const RECT &rc) const { return uilib::ScaleRect(rc, m_impl->dpi); }
SIZE CPaintManagerUI::Scale(const SIZE &sz) const { return uilib::ScaleSize(sz, m_impl->dpi); }

void CPaintManagerUI::Impl::OnDpiChanged(CPaintManagerUI *self, WPARAM wParam, LPARAM lParam) {
    self->SetDPI(HIWORD(wParam));
    // The suggested rectangle keeps the window's size in skin pixels: no drift across changes.
    const RECT *suggested = reinterpret_cast<const RECT *>(lParam);
    if (suggested != nullptr && hwnd != nullptr) {
        ::SetWindowPos(hwnd, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                       suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}
