// The four windows at 150 % and 200 %. If these fail, the console comes out clipped or
// overlapping on a scaled screen.
#include <gtest/gtest.h>

#include <objbase.h>

#include <map>
#include <set>

#include "basestation/BsConfigDialog.h"
#include "calls/PlayWindow.h"
#include "tests/double/ServiceDouble.h"
#include "tests/support/SkinInput.h"
#include "tests/support/WaitFor.h"
#include "ui/ConsoleTitle.h"
#include "ui/DemoFrameWnd.h"
#include "ui/TaskIconMenuWnd.h"

namespace {

CControlUI *CALLBACK Collect(CControlUI *control, LPVOID data) {
    static_cast<std::vector<CControlUI *> *>(data)->push_back(control);
    return nullptr;
}

std::vector<CControlUI *> VisibleControls(CPaintManagerUI &pm) {
    std::vector<CControlUI *> out;
    pm.FindControl(POINT{-1, -1});  // lays the tree out
    pm.GetRoot()->FindControl(Collect, &out, UIFIND_VISIBLE);
    return out;
}

bool TextFits(CPaintManagerUI &pm, CControlUI *control) {
    CLabelUI *label = static_cast<CLabelUI *>(control->GetInterface(L"Label"));
    if (!label || control->GetInterface(L"Edit") || control->GetText().empty()) return true;
    const RECT pos = control->GetPos(), pad = label->GetTextPadding();
    const int width = pos.right - pos.left - pad.left - pad.right, height = pos.bottom - pos.top - pad.top - pad.bottom;
    const bool single = (label->GetTextStyle() & DT_SINGLELINE) != 0;
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, pm.GetFont(label->GetFont()));
    RECT need = {0, 0, single ? 30000 : width, 0};
    ::DrawTextW(dc, control->GetText().c_str(), -1, &need,
                DT_CALCRECT | DT_NOPREFIX | (single ? DT_SINGLELINE : DT_WORDBREAK));
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    return need.right <= width && need.bottom <= height;
}

std::string Name(CControlUI *c) {
    return testsupport::Narrow(std::wstring(c->GetClass()) + L" " + c->GetName().c_str());
}

POINT Centre(const RECT &rc) { return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2}; }

}  // namespace

TEST(ScaleTest, EveryWindowLaysOutAndFitsItsTextAt150And200Percent) {
    servicedouble::Reset();
    ::CoInitialize(nullptr);
    testsupport::UseInstalledSkins();
    CDemoFrameWnd *frame = new CDemoFrameWnd();
    frame->Create(nullptr, kConsoleTitle, 0x10cf0000, 0x60080, 0, 0, 800, 572);
    const struct {
        CPaintManagerUI *pm;
        std::vector<const wchar_t *> options;  // selected first: the page shown
    } views[] = {{&frame->PaintManager(), {L"menu0", L"menu0_0"}}, {&frame->PaintManager(), {L"menu0", L"menu0_1"}},
                 {&frame->PaintManager(), {L"menu1", L"menu1_1"}}, {&frame->PaintManager(), {L"menu1", L"menu1_0"}},
                 {&g_pBsCfgFrameWnd->PaintManager(), {}},          {&g_pPlayWnd->PaintManager(), {}},
                 {&frame->TrayMenu()->PaintManager(), {}}};
    for (const auto &view : views) {
        CPaintManagerUI &pm = *view.pm;
        const HWND hWnd = pm.GetPaintWindow();
        ::ShowWindow(hWnd, SW_SHOWNA);
        for (const wchar_t *option : view.options)
            static_cast<COptionUI *>(pm.FindControl(option)->GetInterface(L"Option"))->Selected(true);
        testsupport::PumpPending();
        RECT window = {};
        ::GetWindowRect(hWnd, &window);
        const SIZE size96 = {window.right - window.left, window.bottom - window.top};
        std::map<CControlUI *, RECT> at96;
        std::set<CControlUI *> hitAtCentre;  // found themselves at their centre (no child there)
        for (CControlUI *c : VisibleControls(pm)) {
            at96[c] = c->GetPos();
            if (pm.FindControl(Centre(at96[c])) == c) hitAtCentre.insert(c);
            EXPECT_TRUE(TextFits(pm, c)) << testsupport::Narrow(c->GetText()) << " at 96 DPI";
        }
        for (int dpi : {144, 192}) {
            testsupport::ChangeScale(hWnd, size96, dpi);
            for (CControlUI *c : VisibleControls(pm)) {
                if (!at96.count(c)) continue;
                const RECT want = uilib::ScaleRect(at96[c], dpi), got = c->GetPos();
                EXPECT_TRUE(std::abs(got.left - want.left) <= 1 && std::abs(got.top - want.top) <= 1 &&
                            std::abs(got.right - want.right) <= 1 && std::abs(got.bottom - want.bottom) <= 1)
                    << Name(c) << " at " << dpi;
                EXPECT_TRUE(TextFits(pm, c)) << testsupport::Narrow(c->GetText()) << " at " << dpi;
                if (hitAtCentre.count(c)) {
                    EXPECT_EQ(pm.FindControl(Centre(got)), c) << Name(c) << " hit at " << dpi;
                }
            }
        }
        testsupport::ChangeScale(hWnd, size96, 96);
        ::ShowWindow(hWnd, SW_HIDE);
    }
    ::DestroyWindow(frame->GetHWND());
}
