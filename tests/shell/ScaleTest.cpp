// The four windows at 150 % and 200 % (as WM_DPICHANGED brings them): every control's
// rectangle is its 100 % rectangle scaled, within one pixel per edge; a control found at
// its centre at 100 % is found at that point scaled; no label's text is wider or taller
// than its box. If these fail, the console comes out clipped or overlapping on a scaled
// screen, or clicks land on the wrong control.
#include <gtest/gtest.h>

#include <objbase.h>

#include <cstdlib>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "basestation/BsConfigDialog.h"
#include "calls/PlayWindow.h"
#include "tests/double/ServiceDouble.h"
#include "tests/shell/ShellHarness.h"
#include "tests/support/SkinInput.h"
#include "tests/support/WaitFor.h"
#include "ui/ConsoleTitle.h"
#include "ui/DemoFrameWnd.h"
#include "ui/TaskIconMenuWnd.h"
#include "ui/TrayIcon.h"

using servicedouble::ServiceDouble;

namespace {

const int kScales[] = {144, 192};

struct View {
    const wchar_t *name;
    std::function<CPaintManagerUI &()> pm;
    std::vector<const wchar_t *> options;  // selected first: the page shown
};

CControlUI *CALLBACK Collect(CControlUI *control, LPVOID data) {
    static_cast<std::vector<CControlUI *> *>(data)->push_back(control);
    return nullptr;
}

std::vector<CControlUI *> VisibleControls(CPaintManagerUI &pm) {
    std::vector<CControlUI *> out;
    pm.FindControl(POINT{-1, -1});  // lays the tree out
    if (pm.GetRoot() != nullptr) pm.GetRoot()->FindControl(Collect, &out, UIFIND_VISIBLE);
    return out;
}

std::string Describe(CControlUI *c) {
    return testsupport::Narrow(std::wstring(c->GetClass()) + L" '" + c->GetName() + L"' '" + c->GetText() + L"'");
}

std::string Text(const RECT &rc) {
    std::ostringstream out;
    out << "{" << rc.left << "," << rc.top << "," << rc.right << "," << rc.bottom << "}";
    return out.str();
}

// Brings the window to dpi as Windows does: WM_DPICHANGED with the suggested rectangle.
void ChangeScale(HWND hWnd, SIZE size96, int dpi) {
    RECT rc = {};
    ::GetWindowRect(hWnd, &rc);
    RECT suggested = {rc.left, rc.top, rc.left + uilib::ScaleValue(size96.cx, dpi),
                      rc.top + uilib::ScaleValue(size96.cy, dpi)};
    ::SendMessageW(hWnd, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    testsupport::PumpPending();
}

// Text that does not fit its label's box at the manager's scale, described; "" when all fit.
std::string ClippedText(CPaintManagerUI &pm, CControlUI *control) {
    CLabelUI *label = static_cast<CLabelUI *>(control->GetInterface(L"Label"));
    if (label == nullptr || control->GetInterface(L"Edit") != nullptr || control->GetText().empty()) return "";
    const RECT pos = control->GetPos(), pad = label->GetTextPadding();
    RECT box = {pos.left + pad.left, pos.top + pad.top, pos.right - pad.right, pos.bottom - pad.bottom};
    const bool single = (label->GetTextStyle() & DT_SINGLELINE) != 0;
    HDC dc = ::CreateCompatibleDC(nullptr);
    HFONT font = pm.GetFont(label->GetFont());
    HGDIOBJ old = ::SelectObject(dc, font);
    RECT need = {0, 0, single ? 30000 : box.right - box.left, 0};
    const CDuiString text = control->GetText();
    ::DrawTextW(dc, text.c_str(), -1, &need, DT_CALCRECT | DT_NOPREFIX | (single ? DT_SINGLELINE : DT_WORDBREAK));
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    if (need.right - need.left <= box.right - box.left && need.bottom - need.top <= box.bottom - box.top) return "";
    return Describe(control) + " needs " + std::to_string(need.right) + "x" + std::to_string(need.bottom) + ", has " +
           std::to_string(box.right - box.left) + "x" + std::to_string(box.bottom - box.top);
}

class ScaleTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        ServiceDouble::Reset();
        ::CoInitialize(nullptr);
        testsupport::UseInstalledSkins();
        s_frame = new CDemoFrameWnd();
        s_frame->Create(nullptr, kConsoleTitle, 0x10cf0000, 0x60080, 0, 0, 800, 572);
        ::ShowWindow(s_frame->GetHWND(), SW_SHOW);
        testsupport::PumpPending();
    }
    static void TearDownTestSuite() {
        DeleteTrayIcon();
        if (::IsWindow(s_frame->GetHWND())) ::DestroyWindow(s_frame->GetHWND());
        shelltest::TakeQuitMessage();
    }

    static std::vector<View> Views() {
        auto main = []() -> CPaintManagerUI & { return s_frame->PaintManager(); };
        return {
            {L"stations", main, {L"menu0", L"menu0_0"}},
            {L"guide", main, {L"menu0", L"menu0_1"}},
            {L"calls", main, {L"menu1", L"menu1_1"}},
            {L"recording", main, {L"menu1", L"menu1_0"}},
            {L"config dialog", []() -> CPaintManagerUI & { return g_pBsCfgFrameWnd->PaintManager(); }, {}},
            {L"playback window", []() -> CPaintManagerUI & { return g_pPlayWnd->PaintManager(); }, {}},
            {L"tray menu", []() -> CPaintManagerUI & { return s_frame->TrayMenu()->PaintManager(); }, {}},
        };
    }

    static CDemoFrameWnd *s_frame;
};

CDemoFrameWnd *ScaleTest::s_frame = nullptr;

}  // namespace

TEST_F(ScaleTest, EveryWindowLaysOutHitTestsAndFitsItsTextAtEachScale) {
    for (const View &view : Views()) {
        SCOPED_TRACE(testsupport::Narrow(view.name));
        CPaintManagerUI &pm = view.pm();
        const HWND hWnd = pm.GetPaintWindow();
        ::ShowWindow(hWnd, SW_SHOWNA);
        for (const wchar_t *option : view.options) {
            static_cast<COptionUI *>(pm.FindControl(option)->GetInterface(L"Option"))->Selected(true);
        }
        testsupport::PumpPending();
        ASSERT_EQ(pm.GetDPI(), 96);
        RECT window = {};
        ::GetWindowRect(hWnd, &window);
        const SIZE size96 = {window.right - window.left, window.bottom - window.top};

        std::map<CControlUI *, RECT> at96;
        std::vector<CControlUI *> hit96;  // controls found at their own centre
        for (CControlUI *c : VisibleControls(pm)) {
            at96[c] = c->GetPos();
            EXPECT_EQ(ClippedText(pm, c), "") << "at 96 DPI";
            const RECT &r = at96[c];
            if (r.right - r.left >= 4 && r.bottom - r.top >= 4 &&
                pm.FindControl(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}) == c)
                hit96.push_back(c);
        }
        ASSERT_GT(at96.size(), 3u);

        for (int dpi : kScales) {
            SCOPED_TRACE("dpi " + std::to_string(dpi));
            ChangeScale(hWnd, size96, dpi);
            ASSERT_EQ(pm.GetDPI(), dpi);
            ::GetWindowRect(hWnd, &window);
            EXPECT_EQ(window.right - window.left, uilib::ScaleValue(size96.cx, dpi));
            int misplaced = 0;
            for (CControlUI *c : VisibleControls(pm)) {
                auto it = at96.find(c);
                if (it == at96.end()) continue;
                const RECT want = uilib::ScaleRect(it->second, dpi), got = c->GetPos();
                if (std::abs(got.left - want.left) > 1 || std::abs(got.top - want.top) > 1 ||
                    std::abs(got.right - want.right) > 1 || std::abs(got.bottom - want.bottom) > 1) {
                    if (++misplaced <= 8)
                        ADD_FAILURE() << Describe(c) << " at " << Text(got) << ", want " << Text(want);
                }
                EXPECT_EQ(ClippedText(pm, c), "");
            }
            for (CControlUI *c : hit96) {
                const RECT &r = at96[c];
                const POINT scaled = {uilib::ScaleValue((r.left + r.right) / 2, dpi),
                                      uilib::ScaleValue((r.top + r.bottom) / 2, dpi)};
                EXPECT_EQ(pm.FindControl(scaled), c) << Describe(c);
            }
        }
        ChangeScale(hWnd, size96, 96);
        ::GetWindowRect(hWnd, &window);
        EXPECT_EQ(window.right - window.left, size96.cx) << "no drift across scale changes";
        EXPECT_EQ(window.bottom - window.top, size96.cy);
        ::ShowWindow(hWnd, SW_HIDE);
    }
}

namespace {

// The pop-up of class cls this process shows, or null.
HWND ShownPopup(const wchar_t *cls) {
    HWND popup = ::FindWindowW(cls, nullptr);
    return popup != nullptr && ::IsWindowVisible(popup) ? popup : nullptr;
}

SIZE PopupSizeWhenOpened(CControlUI *field, const wchar_t *cls) {
    field->Activate();
    testsupport::PumpPending();
    const HWND popup = ShownPopup(cls);
    RECT rc = {};
    if (popup != nullptr) ::GetWindowRect(popup, &rc);
    if (popup != nullptr) ::SendMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 0);
    testsupport::PumpPending();
    return {rc.right - rc.left, rc.bottom - rc.top};
}

}  // namespace

// The drop-down list and the calendar open at their owner's scale.
TEST_F(ScaleTest, DropDownAndCalendarOpenAtTheirOwnersScale) {
    const struct {
        std::function<CPaintManagerUI &()> pm;
        const wchar_t *field, *popupClass;
        std::vector<const wchar_t *> options;
    } cases[] = {
        {[]() -> CPaintManagerUI & { return g_pBsCfgFrameWnd->PaintManager(); }, L"RepeaterMode", L"UIComboDrop", {}},
        {[]() -> CPaintManagerUI & { return s_frame->PaintManager(); },
         L"StartDate",
         L"UICalendarDrop",
         {L"menu1", L"menu1_1"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testsupport::Narrow(c.field));
        CPaintManagerUI &pm = c.pm();
        const HWND hWnd = pm.GetPaintWindow();
        ::ShowWindow(hWnd, SW_SHOW);
        for (const wchar_t *option : c.options)
            static_cast<COptionUI *>(pm.FindControl(option)->GetInterface(L"Option"))->Selected(true);
        testsupport::PumpPending();
        CControlUI *field = pm.FindControl(c.field);
        ASSERT_NE(field, nullptr);
        RECT window = {};
        ::GetWindowRect(hWnd, &window);
        const SIZE size96 = {window.right - window.left, window.bottom - window.top};
        const SIZE at96 = PopupSizeWhenOpened(field, c.popupClass);
        ASSERT_GT(at96.cy, 0) << "no pop-up opened";
        ChangeScale(hWnd, size96, 192);
        const SIZE at192 = PopupSizeWhenOpened(field, c.popupClass);
        EXPECT_NEAR(at192.cx, 2 * at96.cx, 2);
        EXPECT_NEAR(at192.cy, 2 * at96.cy, 2);
        ChangeScale(hWnd, size96, 96);
        if (hWnd != s_frame->GetHWND()) ::ShowWindow(hWnd, SW_HIDE);
    }
}
