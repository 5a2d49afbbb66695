// A skinned test window on WindowImplBase built from an inline skin, with a record of the
// notifications it receives and helpers that drive it with real window messages.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "uilib/UIlib.h"

namespace uitest {

struct SeenNotify {
    std::wstring type;
    std::wstring sender;
    std::wstring virtualWnd;
};

class TestWindow : public WindowImplBase {
public:
    explicit TestWindow(std::wstring skin, std::wstring className = L"UILibTestWnd");
    ~TestWindow() override;

    LPCTSTR GetWindowClassName() const override { return m_className.c_str(); }
    CDuiString GetSkinFolder() override { return L""; }
    CDuiString GetSkinFile() override { return m_skin; }
    CControlUI *CreateControl(LPCTSTR pstrClass) override;
    void Notify(TNotifyUI &msg) override;
    void InitWindow() override;

    // Creates the window (hidden, at a fixed place and size) or a hidden 0 x 0 pop-up.
    HWND Open(int width, int height);
    HWND CreatePopupZeroSize();
    void Destroy();

    CPaintManagerUI &Manager() { return m_PaintManager; }
    CControlUI *Find(const wchar_t *name) { return m_PaintManager.FindControl(name); }

    // Mouse press and release at the centre of a named control (client coordinates).
    void ClickControl(const wchar_t *name, bool doubleClick = false);
    void ClickAt(POINT pt, bool doubleClick = false);
    void Key(WPARAM vk);

    std::vector<SeenNotify> seen;
    std::function<void(TNotifyUI &)> onNotify;
    std::function<CControlUI *(LPCTSTR)> factory;
    int initWindowCalls = 0;

private:
    std::wstring m_skin;
    std::wstring m_className;
};

}  // namespace uitest
