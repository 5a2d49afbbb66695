// Gallery.exe: shows the control gallery until its window is closed.
#include "uilib/gallery/GalleryWindow.h"

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, LPWSTR, int) {
    CPaintManagerUI::SetInstance(hInstance);
    CPaintManagerUI::SetResourcePath((CPaintManagerUI::GetInstancePath() + L"skin").c_str());
    auto *window = new CGalleryWnd;  // deleted by its OnFinalMessage
    window->SetQuitOnDestroy(true);
    if (window->Create(nullptr, L"控件展示 UI Gallery", WS_POPUP | WS_MINIMIZEBOX | WS_SYSMENU, 0, 0, 0, 0, 0) ==
        nullptr) {
        delete window;
        return 1;
    }
    window->CenterWindow();
    window->ShowWindow(true);
    CPaintManagerUI::MessageLoop();
    CPaintManagerUI::Term();
    return 0;
}
