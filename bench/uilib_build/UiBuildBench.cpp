// Prints how long the skin builder takes: the gallery skin and the console's skins (built
// without a window, then attached to a hidden window, laid out and painted), the full
// repaint of each at 100 % and at 200 % (median and best), the area that a hover and a
// playback tick repaint, and the XML reader's throughput on a 10 MB attribute and on an
// element with 20,000 attributes.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "bench/support/Median.h"
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

// The pixels of hWnd's pending update region.
long UpdateArea(HWND hWnd) {
    HRGN rgn = ::CreateRectRgn(0, 0, 0, 0);
    long area = 0;
    if (::GetUpdateRgn(hWnd, rgn, FALSE) > NULLREGION) {
        const DWORD size = ::GetRegionData(rgn, 0, nullptr);
        std::vector<char> buffer(size);
        auto *data = reinterpret_cast<RGNDATA *>(buffer.data());
        if (::GetRegionData(rgn, size, data) == size) {
            const RECT *rects = reinterpret_cast<const RECT *>(data->Buffer);
            for (DWORD i = 0; i < data->rdh.nCount; ++i)
                area += (rects[i].right - rects[i].left) * (rects[i].bottom - rects[i].top);
        }
    }
    ::DeleteObject(rgn);
    return area;
}

long RectArea(const RECT &rc) { return (rc.right - rc.left) * (rc.bottom - rc.top); }

CControlUI *CALLBACK FirstButton(CControlUI *control, LPVOID) {
    return wcscmp(control->GetClass(), L"Button") == 0 ? control : nullptr;
}

// Area repainted when the mouse enters the first button, and, where the skin has the
// playback slider and time, when one playback tick moves them.
void PrintPartialRepaints(BenchWindow &wnd, const char *name) {
    const HWND hwnd = wnd.GetHWND();
    ::ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    ::UpdateWindow(hwnd);
    RECT client;
    ::GetClientRect(hwnd, &client);
    CControlUI *root = wnd.manager.GetRoot();
    CControlUI *button = root ? root->FindControl(&FirstButton, nullptr, UIFIND_VISIBLE | UIFIND_TOP_FIRST) : nullptr;
    if (button != nullptr) {
        const RECT rc = button->GetPos();
        ::SendMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2));
        printf("%-20s hover over button \"%ls\": repainted %ld px (the button %ld px, the window %ld px)\n", name,
               button->GetName().c_str(), UpdateArea(hwnd), RectArea(rc), RectArea(client));
        ::UpdateWindow(hwnd);
    }
    CControlUI *sliderControl = wnd.manager.FindControl(L"PlaySlider");
    auto *slider = sliderControl ? static_cast<CProgressUI *>(sliderControl->GetInterface(L"Progress")) : nullptr;
    CControlUI *time = wnd.manager.FindControl(L"PlayTime");
    if (slider != nullptr && time != nullptr) {
        slider->SetValue(37);
        time->SetText(L"0:0:1:40/0:0:4:30");
        printf("%-20s playback tick: repainted %ld px (slider %ld px + time %ld px, the window %ld px)\n", name,
               UpdateArea(hwnd), RectArea(slider->GetPos()), RectArea(time->GetPos()), RectArea(client));
        ::UpdateWindow(hwnd);
    }
}

const size_t kRepaints = 20;  // per window built; the best of them shows the cost on a busy machine

void BenchSkin(const wchar_t *file, IDialogBuilderCallback *callback, int runs) {
    char name[MAX_PATH];
    ::WideCharToMultiByte(CP_UTF8, 0, file, -1, name, sizeof(name), nullptr, nullptr);
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

    std::vector<double> repaints, repaints200;
    Stats first = Measure(std::max(1, runs / 5), [&] {
        BenchWindow wnd;
        HWND hwnd = wnd.Create(nullptr, L"bench", WS_POPUP, 0, 0, 0, 0, 0);
        wnd.manager.Init(hwnd);
        CDialogBuilder builder;
        wnd.manager.AttachDialog(builder.Create(file, nullptr, callback, &wnd.manager));
        // A hidden pop-up takes its skin size only when shown: given here, as it stays hidden.
        const SIZE skinSize = wnd.manager.GetInitSize();
        ::SetWindowPos(hwnd, nullptr, 0, 0, skinSize.cx, skinSize.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        // Layout and one full paint into a memory DC.
        HDC screen = ::GetDC(nullptr);
        HDC dc = ::CreateCompatibleDC(screen);
        HBITMAP bmp = ::CreateCompatibleBitmap(screen, 1200, 800);
        ::ReleaseDC(nullptr, screen);
        HGDIOBJ old = ::SelectObject(dc, bmp);
        auto repaint = [&](std::vector<double> &into) {
            ::SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);  // images, layout
            for (size_t i = 0; i < kRepaints; ++i) {
                auto t0 = Clock::now();
                ::SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
                into.push_back(Ms(Clock::now() - t0));
            }
        };
        repaint(repaints);
        // The same window at 200 %, twice the size.
        RECT rc;
        ::GetClientRect(hwnd, &rc);
        wnd.manager.SetDPI(192);
        ::SetWindowPos(hwnd, nullptr, 0, 0, rc.right * 2, rc.bottom * 2, SWP_NOZORDER | SWP_NOACTIVATE);
        repaint(repaints200);
        wnd.manager.SetDPI(96);
        ::SetWindowPos(hwnd, nullptr, 0, 0, rc.right, rc.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
        ::SelectObject(dc, old);
        ::DeleteObject(bmp);
        ::DeleteDC(dc);
        if (repaints.size() == kRepaints) PrintPartialRepaints(wnd, name);
        ::DestroyWindow(hwnd);
    });
    printf("%-20s %4d controls  build: best %6.2f ms, mean %6.2f ms | build+attach+layout+first paint: "
           "mean %6.2f ms | full repaint: median %6.2f ms, best %6.2f ms; at 200 %%: median %6.2f ms, best %6.2f ms\n",
           name, controls, build.best, build.mean, first.mean, Median(repaints),
           *std::min_element(repaints.begin(), repaints.end()), Median(repaints200),
           *std::min_element(repaints200.begin(), repaints200.end()));
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
    BenchSkin(L"TaskIconMenuUI.xml", nullptr, 50);

    std::string big = "<W a=\"" + std::string(10 * 1024 * 1024, 'x') + "\"/>";
    Stats parse = Measure(5, [&] { ParseXml(big.data(), big.size()); });
    printf("XML reader, 10 MB attribute: best %.1f ms (%.0f MB/s)\n", parse.best, 10.0 / (parse.best / 1000.0));
    // One element with 20,000 attributes: the repeated-attribute check must stay linear.
    std::string many = "<W";
    for (int i = 0; i < 20000; ++i) many += " a" + std::to_string(i) + "=\"1\"";
    many += "/>";
    Stats attrs = Measure(5, [&] { ParseXml(many.data(), many.size()); });
    printf("XML reader, one element with 20,000 attributes: best %.1f ms\n", attrs.best);
    CPaintManagerUI::Term();
    return 0;
}
