// The gallery window built from its real skin: its controls are there with their states
// in the inspection dump, it paints, and it works with mouse and keys.
#include <gtest/gtest.h>

#include <set>

#include "tests/support/SkinInput.h"
#include "tests/support/WaitFor.h"
#include "uilib/gallery/GalleryWindow.h"
#include "uilib/render/UIShapeCache.h"

TEST(Gallery, BuiltFromItsSkinItShowsPaintsAndAnswers) {
    testsupport::UseInstalledSkins();
    auto *window = new CGalleryWnd;  // deletes itself when its window goes
    const HWND hwnd = window->Create(nullptr, L"Gallery", WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0, 0);
    ASSERT_NE(hwnd, nullptr);
    ::ShowWindow(hwnd, SW_SHOW);
    ::UpdateWindow(hwnd);
    CPaintManagerUI &pm = window->GetPaintManager();
    auto find = [&](const wchar_t *name) { return pm.FindControl(name); };
    RECT rc;
    ::GetClientRect(hwnd, &rc);
    EXPECT_EQ(rc.right * 10000 + rc.bottom, 1060 * 10000 + 700) << "the skin's size";
    // name, class, visible, enabled, selected, value, text of the dump's lines
    const std::string dump = pm.InspectDump();
    for (const char *line : {"\tSlider\tVolumeSlider\t1\t1\t-\t40\t", "\tCombo\tModeCombo\t1\t1\t-\t0\t",
                             "\tList\tCallList\t0\t1\t-\t-1\t", "\tOption\tManualOption\t1\t1\t0\t-\t",
                             "\tButton\tDisabledButton\t1\t0\t-\t-\t", "\tEdit\tNameEdit\t1\t1\t-\t-\t"}) {
        EXPECT_NE(dump.find(line), std::string::npos) << line;
    }
    EXPECT_NE(dump.find("\t\xE5\x9F\xBA\xE7\xAB\x99 Alpha-1\n"), std::string::npos) << "the edit's text";
    EXPECT_EQ(static_cast<CListUI *>(find(L"StationList"))->GetCount(), CGalleryWnd::kStationRows);
    // It paints: the caption band is brand indigo, the page background light.
    DWORD *px = nullptr;
    HDC mem = ::CreateCompatibleDC(nullptr);
    HBITMAP bmp = uilib::CreateDib32(rc.right, rc.bottom, &px);
    HGDIOBJ old = ::SelectObject(mem, bmp);
    ::SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem), PRF_CLIENT);
    ::GdiFlush();
    EXPECT_EQ(px[20 * rc.right + 400] & 0xFFFFFF, 0x3039B4u);
    EXPECT_EQ(px[(rc.bottom - 5) * rc.right + 200] & 0xFFFFFF, 0xF3F5FAu);
    std::set<DWORD> colours;
    for (int i = 0; i < rc.right * rc.bottom; i += 7) colours.insert(px[i] & 0xFFFFFF);
    EXPECT_GT(colours.size(), 100u) << "text, images and anti-aliased edges give many colours";
    ::SelectObject(mem, old);
    ::DeleteObject(bmp);
    ::DeleteDC(mem);
    // Tabs switch the list on show; a row's delete button removes its row during its own
    // click; the slider moves the progress bar; a double-clicked station row is reported.
    testsupport::ClickControl(hwnd, find(L"CallsTab"));
    EXPECT_EQ(static_cast<CTabLayoutUI *>(find(L"ListTabs"))->GetCurSel(), 1);
    testsupport::ClickControl(hwnd, find(L"ItemBtn2Delete"));
    EXPECT_EQ(static_cast<CListUI *>(find(L"CallList"))->GetCount(), CGalleryWnd::kCallRows - 1);
    EXPECT_NE(find(L"StatusLabel")->GetText().find(L"call-5002"), CDuiString::npos);
    testsupport::ClickControl(hwnd, find(L"StationsTab"));
    find(L"VolumeSlider")->SetFocus();
    ::SendMessageW(hwnd, WM_KEYDOWN, VK_END, 0);
    EXPECT_EQ(static_cast<CProgressUI *>(find(L"LoadProgress"))->GetValue(), 100);
    EXPECT_EQ(find(L"VolumeLabel")->GetText(), L"100%");
    testsupport::ClickControl(hwnd, static_cast<CListUI *>(find(L"StationList"))->GetItemAt(1), true);
    EXPECT_NE(find(L"StatusLabel")->GetText().find(L"BS-1002"), CDuiString::npos);
    ::DestroyWindow(hwnd);
    testsupport::PumpPending();
}
