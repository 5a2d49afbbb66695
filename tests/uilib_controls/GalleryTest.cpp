// The gallery window built from its real skin: the inspection dump names its controls
// with their states, a screenshot of it is not blank, and it works with mouse and keys.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "tests/support/WaitFor.h"
#include "tests/uilib_controls/TestHost.h"
#include "uilib/gallery/GalleryWindow.h"

using uitest::Fields;
using uitest::LineNamed;

namespace {

class GalleryTest : public ::testing::Test {
protected:
    void SetUp() override {
        CPaintManagerUI::SetInstance(::GetModuleHandleW(nullptr));
        CPaintManagerUI::SetResourcePath((CPaintManagerUI::GetInstancePath() + L"skin").c_str());
        m_window = new CGalleryWnd;  // deletes itself when its window goes
        ASSERT_NE(m_window->Create(nullptr, L"Gallery", WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0, 0),
                  nullptr);
        m_hwnd = m_window->GetHWND();
        m_window->CenterWindow();
        ::ShowWindow(m_hwnd, SW_SHOW);
        ::UpdateWindow(m_hwnd);
    }
    void TearDown() override {
        if (::IsWindow(m_hwnd)) ::DestroyWindow(m_hwnd);
        testsupport::PumpPending();
    }
    CControlUI *Find(const wchar_t *name) { return m_window->GetPaintManager().FindControl(name); }
    void Click(CControlUI *c) {
        const RECT rc = c->GetPos();
        const LPARAM at = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
        ::SendMessageW(m_hwnd, WM_MOUSEMOVE, 0, at);
        ::SendMessageW(m_hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::SendMessageW(m_hwnd, WM_LBUTTONUP, 0, at);
    }

    CGalleryWnd *m_window = nullptr;
    HWND m_hwnd = nullptr;
};

}  // namespace

TEST_F(GalleryTest, TheSkinSizesTheWindowAndEveryControlKindIsThere) {
    RECT rc;
    ::GetClientRect(m_hwnd, &rc);
    EXPECT_EQ(rc.right, 1060);
    EXPECT_EQ(rc.bottom, 700);
    const struct {
        const wchar_t *name;
        const wchar_t *cls;
    } expected[] = {
        {L"OkButton", L"Button"},       {L"AutoOption", L"Option"},  {L"NameEdit", L"Edit"},
        {L"ModeCombo", L"Combo"},       {L"StartDate", L"DateTime"}, {L"VolumeSlider", L"Slider"},
        {L"LoadProgress", L"Progress"}, {L"StationList", L"List"},   {L"CallList", L"List"},
        {L"ListTabs", L"TabLayout"},    {L"AboutText", L"Text"},     {L"StatusLabel", L"Label"},
    };
    for (const auto &e : expected) {
        CControlUI *c = Find(e.name);
        ASSERT_NE(c, nullptr) << uitest::Utf8(e.name);
        EXPECT_STREQ(c->GetClass(), e.cls);
    }
    EXPECT_EQ(static_cast<CListUI *>(Find(L"StationList"))->GetCount(), CGalleryWnd::kStationRows);
    EXPECT_EQ(static_cast<CListUI *>(Find(L"CallList"))->GetCount(), CGalleryWnd::kCallRows);
}

TEST_F(GalleryTest, TheInspectionDumpDescribesTheControls) {
    std::vector<std::string> lines = uitest::InspectWindow(m_hwnd);
    ASSERT_GT(lines.size(), 50u);
    std::vector<std::string> head = Fields(lines[0]);
    ASSERT_EQ(head.size(), 3u);
    EXPECT_EQ(head[0], "window");
    EXPECT_EQ(head[1], "UIGalleryFrame");
    EXPECT_EQ(std::stoul(head[2], nullptr, 16), reinterpret_cast<ULONG_PTR>(m_hwnd));

    // name -> class, visible, enabled, selected, value, text
    struct Expect {
        const char *name, *cls, *visible, *enabled, *selected, *value, *text;
    };
    const Expect rows[] = {
        {"VolumeSlider", "Slider", "1", "1", "-", "40", nullptr},
        {"ModeCombo", "Combo", "1", "1", "-", "0", "中继 Repeater"},
        {"StationList", "List", "1", "1", "-", "-1", nullptr},
        {"CallList", "List", "0", "1", "-", "-1", nullptr},
        {"ListTabs", "TabLayout", "1", "1", "-", "0", nullptr},
        {"AutoOption", "Option", "1", "1", "1", "-", "自动 Auto"},
        {"ManualOption", "Option", "1", "1", "0", "-", "手动 Manual"},
        {"DisabledButton", "Button", "1", "0", "-", "-", "禁用 Off"},
        {"NameEdit", "Edit", "1", "1", "-", "-", "基站 Alpha-1"},
        {"AboutText", "Text", "1", "1", "-", "-", "PNG 透明叠加 · alpha images\\n窗口无边框，圆角，可拖动标题栏。"},
    };
    for (const Expect &e : rows) {
        SCOPED_TRACE(e.name);
        std::vector<std::string> f = LineNamed(lines, e.name);
        ASSERT_EQ(f.size(), 12u);
        EXPECT_EQ(f[1], e.cls);
        EXPECT_EQ(f[3], e.visible);
        EXPECT_EQ(f[4], e.enabled);
        EXPECT_EQ(f[5], e.selected);
        EXPECT_EQ(f[6], e.value);
        if (e.text != nullptr) {
            EXPECT_EQ(f[11], e.text);
        }
        if (e.visible[0] == '1') {
            EXPECT_LT(std::stoi(f[7]), std::stoi(f[9])) << "a shown control has a width";
        }
    }
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    char today[16];
    snprintf(today, sizeof(today), "%04d-%02d-%02d", now.wYear, now.wMonth, now.wDay);
    EXPECT_EQ(LineNamed(lines, "StartDate")[11], today);
    // Station rows carry their columns joined by U+001F.
    bool found = false;
    for (const std::string &line : lines) {
        std::vector<std::string> f = Fields(line);
        if (f.size() == 12 && f[1] == "ListTextElement" && f[11].rfind("BS-1001\x1F", 0) == 0) {
            found = true;
            EXPECT_EQ(f[5], "0");
        }
    }
    EXPECT_TRUE(found);
}

TEST_F(GalleryTest, AScreenshotIsNotBlankAndShowsTheBrandCaption) {
    RECT rc;
    ::GetClientRect(m_hwnd, &rc);
    const int w = rc.right, h = rc.bottom;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void *bits = nullptr;
    HDC screen = ::GetDC(m_hwnd);
    HDC mem = ::CreateCompatibleDC(screen);
    HBITMAP dib = ::CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(mem, dib);
    ::SendMessageW(m_hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem), PRF_CLIENT);
    const auto *px = static_cast<const DWORD *>(bits);
    std::set<DWORD> colours;
    for (int i = 0; i < w * h; i += 7) colours.insert(px[i] & 0xFFFFFF);
    EXPECT_GT(colours.size(), 100u) << "text, images and anti-aliased edges give many colours";
    EXPECT_EQ(px[20 * w + 400] & 0xFFFFFF, 0x3039B4u) << "the caption band is brand indigo";
    EXPECT_EQ(px[(h - 5) * w + 200] & 0xFFFFFF, 0xF3F5FAu) << "the page background";
    // Saved for people to look at (GDI leaves alpha 0: make every pixel opaque).
    for (int i = 0; i < w * h; ++i) const_cast<DWORD *>(px)[i] |= 0xFF000000;
    BITMAPFILEHEADER fh = {};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof(fh) + sizeof(bi.bmiHeader);
    fh.bfSize = fh.bfOffBits + w * h * 4;
    if (FILE *f = _wfopen(L"gallery-screenshot.bmp", L"wb")) {
        BITMAPINFOHEADER ih = bi.bmiHeader;
        fwrite(&fh, sizeof(fh), 1, f);
        fwrite(&ih, sizeof(ih), 1, f);
        fwrite(bits, 4, static_cast<size_t>(w) * h, f);
        fclose(f);
    }
    ::SelectObject(mem, old);
    ::DeleteObject(dib);
    ::DeleteDC(mem);
    ::ReleaseDC(m_hwnd, screen);
}

TEST_F(GalleryTest, TheGalleryAnswersMouseAndKeys) {
    // Tabs switch the list on show.
    Click(Find(L"CallsTab"));
    EXPECT_EQ(static_cast<CTabLayoutUI *>(Find(L"ListTabs"))->GetCurSel(), 1);
    ::UpdateWindow(m_hwnd);
    // A row's delete button removes its row during its own click.
    auto *calls = static_cast<CListUI *>(Find(L"CallList"));
    Click(Find(L"ItemBtn2Delete"));
    testsupport::PumpPending();
    EXPECT_EQ(calls->GetCount(), CGalleryWnd::kCallRows - 1);
    EXPECT_EQ(Find(L"ItemBtn2Delete"), nullptr);
    EXPECT_NE(Find(L"StatusLabel")->GetText().find(L"call-5002"), CDuiString::npos);
    // The slider moves the progress bar with it.
    Click(Find(L"StationsTab"));
    ::UpdateWindow(m_hwnd);
    ::SendMessageW(m_hwnd, WM_KEYDOWN, VK_TAB, 0);  // focus somewhere, then the slider
    Find(L"VolumeSlider")->SetFocus();
    ::SendMessageW(m_hwnd, WM_KEYDOWN, VK_END, 0);
    EXPECT_EQ(static_cast<CProgressUI *>(Find(L"LoadProgress"))->GetValue(), 100);
    EXPECT_EQ(Find(L"VolumeLabel")->GetText(), L"100%");
    // A station row double-clicked is reported.
    auto *stations = static_cast<CListUI *>(Find(L"StationList"));
    ::UpdateWindow(m_hwnd);
    const RECT row = stations->GetItemAt(1)->GetPos();
    const LPARAM at = MAKELPARAM(row.left + 30, (row.top + row.bottom) / 2);
    ::SendMessageW(m_hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(m_hwnd, WM_LBUTTONUP, 0, at);
    ::SendMessageW(m_hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    ::SendMessageW(m_hwnd, WM_LBUTTONUP, 0, at);
    EXPECT_EQ(stations->GetCurSel(), 1);
    EXPECT_NE(Find(L"StatusLabel")->GetText().find(L"BS-1002"), CDuiString::npos);
}
