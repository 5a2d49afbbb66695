// Prints how long the skin builder takes: the gallery skin and the console's skins (built
// without a window, then attached to a hidden window, laid out and painted once), and the
// XML reader's throughput on a 10 MB attribute.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "uilib/UIlib.h"
#include "uilib/skin/XmlReader.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

struct Stats {
    double best = 1e300, mean = 0;
};

Stats Measure(int runs, const std::function<void()> &fn) {
    Stats s;
    double total = 0;
    for (int i = 0; i < runs; ++i) {
        auto t0 = Clock::now();
        fn();
        double ms = Ms(Clock::now() - t0);
        s.best = std::min(s.best, ms);
        total += ms;
    }
    s.mean = total / runs;
    return s;
}

// Sub-skins of the console's main skin, expanded as its control factory does.
class PageFactory : public IDialogBuilderCallback {
public:
    CControlUI *CreateControl(LPCTSTR cls) override {
        const wchar_t *pages[] = {L"menu0_0", L"menu1_1", L"menu1_0"};
        for (const wchar_t *p : pages) {
            if (_wcsicmp(cls, p) == 0) {
                CDialogBuilder sub;
                return sub.Create((std::wstring(p) + L".xml").c_str());
            }
        }
        return nullptr;
    }
};

class BenchWindow : public CWindowWnd {
public:
    LPCTSTR GetWindowClassName() const override { return L"UiBuildBenchWnd"; }
    LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override {
        LRESULT lRes = 0;
        if (manager.MessageHandler(uMsg, wParam, lParam, lRes)) return lRes;
        return CWindowWnd::HandleMessage(uMsg, wParam, lParam);
    }
    CPaintManagerUI manager;
};

CControlUI *CALLBACK CountControl(CControlUI *, LPVOID n) {
    ++*static_cast<int *>(n);
    return nullptr;
}

void BenchSkin(const wchar_t *file, IDialogBuilderCallback *callback, int runs) {
    int controls = 0;
    Stats build = Measure(runs, [&] {
        CPaintManagerUI manager;
        CDialogBuilder builder;
        CControlUI *root = builder.Create(file, nullptr, callback, &manager);
        if (root == nullptr) return;
        controls = 0;
        root->FindControl(&CountControl, &controls, UIFIND_ALL);
        delete root;
    });

    double repaintTotal = 0;
    int repaints = 0;
    Stats first = Measure(std::max(1, runs / 5), [&] {
        BenchWindow wnd;
        HWND hwnd = wnd.Create(nullptr, L"bench", WS_POPUP, 0, 0, 0, 0, 0);
        wnd.manager.Init(hwnd);
        CDialogBuilder builder;
        wnd.manager.AttachDialog(builder.Create(file, nullptr, callback, &wnd.manager));
        // Layout and one full paint into a memory DC (the window stays hidden).
        HDC screen = ::GetDC(nullptr);
        HDC dc = ::CreateCompatibleDC(screen);
        HBITMAP bmp = ::CreateCompatibleBitmap(screen, 1200, 800);
        ::ReleaseDC(nullptr, screen);
        HGDIOBJ old = ::SelectObject(dc, bmp);
        ::SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        auto t0 = Clock::now();
        ::SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        repaintTotal += Ms(Clock::now() - t0);
        ++repaints;
        ::SelectObject(dc, old);
        ::DeleteObject(bmp);
        ::DeleteDC(dc);
        ::DestroyWindow(hwnd);
    });
    char name[MAX_PATH];
    ::WideCharToMultiByte(CP_UTF8, 0, file, -1, name, sizeof(name), nullptr, nullptr);
    printf("%-20s %4d controls  build: best %6.2f ms, mean %6.2f ms | build+attach+layout+first paint: "
           "mean %6.2f ms | full repaint: mean %6.2f ms\n",
           name, controls, build.best, build.mean, first.mean, repaintTotal / std::max(1, repaints));
}

}  // namespace

int main() {
    CPaintManagerUI::SetResourcePath((CPaintManagerUI::GetInstancePath() + L"skin\\").c_str());
    printf("uilib skin build (resource path %ls)\n", CPaintManagerUI::GetResourcePath().c_str());
    PageFactory pages;
    BenchSkin(L"gallery/gallery.xml", nullptr, 50);
    BenchSkin(L"skin.xml", &pages, 50);
    BenchSkin(L"BsList.xml", nullptr, 50);
    BenchSkin(L"PlayUI.xml", nullptr, 50);

    std::string big = "<W a=\"" + std::string(10 * 1024 * 1024, 'x') + "\"/>";
    Stats parse = Measure(5, [&] { ParseXml(big.data(), big.size()); });
    printf("XML reader, 10 MB attribute: best %.1f ms (%.0f MB/s)\n", parse.best, 10.0 / (parse.best / 1000.0));
    CPaintManagerUI::Term();
    return 0;
}
