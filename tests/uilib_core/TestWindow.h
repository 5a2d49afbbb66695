// A skinned test window built from an inline skin: the notifications it receives, real
// window messages to drive it (client coordinates), the colour of a pixel.
#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "uilib/UIlib.h"
#include "uilib/render/UIShapeCache.h"

namespace uitest {

struct Note {
    std::wstring type, senderName, virtualWnd;
    CControlUI *sender;
    WPARAM wParam;
    LPARAM lParam;
};

class TestWindow : public WindowImplBase {
public:
    explicit TestWindow(std::wstring skin, std::wstring className = L"UILibTestWnd")
        : m_skin(std::move(skin)), m_className(std::move(className)) {}
    ~TestWindow() override;

    LPCTSTR GetWindowClassName() const override { return m_className.c_str(); }
    CDuiString GetSkinFolder() override { return L""; }
    CDuiString GetSkinFile() override { return m_skin; }
    CControlUI *CreateControl(LPCTSTR pstrClass) override { return factory ? factory(pstrClass) : nullptr; }
    void Notify(TNotifyUI &msg) override;
    void InitWindow() override { ++initWindowCalls; }

    // Hidden unless shown (Wine spends seconds mapping windows); drop-downs and input
    // methods need a shown, active window.
    HWND Open(int width, int height, bool show = false);
    CPaintManagerUI &Manager() { return m_PaintManager; }
    template <class T = CControlUI>
    T *Find(const wchar_t *name) {
        return static_cast<T *>(m_PaintManager.FindControl(name));
    }
    void Layout();  // lays out (and paints a shown window) now
    static POINT Center(CControlUI *control);

    void Send(UINT msg, WPARAM wParam, POINT pt) { ::SendMessageW(m_hWnd, msg, wParam, MAKELPARAM(pt.x, pt.y)); }
    void Press(POINT pt) { Send(WM_LBUTTONDOWN, MK_LBUTTON, pt); }
    void Move(POINT pt) { Send(WM_MOUSEMOVE, MK_LBUTTON, pt); }
    void Release(POINT pt) { Send(WM_LBUTTONUP, 0, pt); }
    void Click(POINT pt, bool twice = false);
    void Click(CControlUI *control, bool twice = false);
    void Click(const wchar_t *name) { Click(Find(name)); }
    void Wheel(POINT pt, int delta, UINT msg = WM_MOUSEWHEEL);
    void Key(WPARAM vk, LPARAM lParam = 1);  // WM_KEYDOWN and WM_KEYUP
    void Type(const wchar_t *text);          // one WM_CHAR per character

    int Count(const wchar_t *type) const;
    const Note *Last(const wchar_t *type) const;
    std::vector<std::string> Seen(std::initializer_list<const wchar_t *> types) const;
    DWORD Pixel(POINT pt);  // 0xRRGGBB, painted through WM_PRINTCLIENT

    std::vector<Note> notes;
    std::function<void(TNotifyUI &)> onNotify;  // after recording
    std::function<CControlUI *(LPCTSTR)> factory;
    int initWindowCalls = 0;

private:
    std::wstring m_skin;
    std::wstring m_className;
};

// Writes a file into the temporary folder; its path.
std::wstring WriteTemp(const wchar_t *name, const std::string &bytes);

// A 32-bit DIB selected into a memory DC.
struct Dib {
    DWORD *bits = nullptr;
    HDC dc = ::CreateCompatibleDC(nullptr);
    HBITMAP bitmap;
    HGDIOBJ old;
    Dib(int width, int height) : bitmap(uilib::CreateDib32(width, height, &bits)), old(::SelectObject(dc, bitmap)) {}
    ~Dib() { ::SelectObject(dc, old), ::DeleteObject(bitmap), ::DeleteDC(dc); }
};

// Holds keys down in this thread's key state for its lifetime.
class HeldKeys {
public:
    explicit HeldKeys(const std::vector<int> &keys);
    ~HeldKeys() { ::SetKeyboardState(m_saved); }

private:
    BYTE m_saved[256];
};

}  // namespace uitest
