#include "tests/basestation_ui/BsUiHarness.h"

#include <atomic>
#include <thread>

#include "basestation/BsListRows.h"
#include "basestation/BsReportBlock.h"
#include "tests/support/WaitFor.h"
#include "ui/ConsoleTitle.h"
#include "ui/PrivateMessages.h"

namespace bstest {

CDemoFrameWnd &MainFrame() {
    static CDemoFrameWnd *frame = nullptr;
    if (!frame) {
        sd::Reset();
        testsupport::UseInstalledSkins();
        frame = new CDemoFrameWnd();
        frame->Create(nullptr, kConsoleTitle, 0x10cf0000, 0x60080, 0, 0, 800, 572);
        frame->CenterWindow();
        ::ShowWindow(frame->GetHWND(), SW_SHOW);
        testsupport::WaitFor([] { return List().GetPos().bottom > 0; }, 3000);
    }
    return *frame;
}

CListUI &List() {
    return *static_cast<CListUI *>(MainFrame().PaintManager().FindControl(L"BsList")->GetInterface(L"List"));
}

CBsCfgFrameWnd &Dialog() { return MainFrame(), *g_pBsCfgFrameWnd; }

void ShowPage(const wchar_t *option) {
    CPaintManagerUI &pm = MainFrame().PaintManager();
    pm.FindControl(std::wstring(option, 5).c_str())->Activate();
    pm.FindControl(option)->Activate();
    testsupport::PumpPending();
}

void ScrollIntoView(CListUI &list, int index) {
    list.EnsureVisible(index);
    testsupport::PumpPending();
    ::UpdateWindow(list.GetManager()->GetPaintWindow());
}

void PressKey(HWND hWnd, UINT vk) {
    ::SendMessageW(hWnd, WM_KEYDOWN, vk, 1);
    ::SendMessageW(hWnd, WM_KEYUP, vk, 0xC0000001);
    testsupport::PumpPending();
}

std::vector<int> CaptionButtonStates(CPaintManagerUI &pm, HWND hWnd) {
    std::vector<int> states;
    for (const wchar_t *button : {L"minbtn", L"restorebtn", L"maxbtn", L"restorebtn"}) {
        pm.SendNotify(pm.FindControl(button), DUI_MSGTYPE_CLICK);
        states.push_back(::IsIconic(hWnd) * 2 + ::IsZoomed(hWnd));
    }
    return states;
}

bool FindCodePageText(const std::string &prefix, CodePageText &out) {
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        out.ansi = prefix + static_cast<char>(byte);
        wchar_t shown[100] = {};
        char oem[100] = {};
        ::MultiByteToWideChar(CP_ACP, 0, out.ansi.c_str(), -1, shown, 100);
        ::WideCharToMultiByte(CP_OEMCP, 0, shown, -1, oem, sizeof oem, nullptr, nullptr);
        out.shown = shown;
        out.oem = oem;
        if (out.ansi != out.oem && out.oem.find('?') == std::string::npos) return true;
    }
    return false;
}

BsConfig SampleRecord(int n) {
    BsConfig r{};
    r.Version = n, r.Channel = 1 + n % 200, r.CallMagic = 1000 + n, r.ZoneMagic = 1 + n % 10, r.RepeaterMode = n % 4;
    r.IpAddr = 10u | (n >> 8 & 0xFFu) << 8 | (n & 0xFFu) << 16 | 1u << 24;  // 10.(n >> 8).n.1
    r.NetMask = 0x0000FFFFu;                                                // 255.255.0.0
    r.Gateway = r.IpAddr ^ 0x01000000u, r.ManagerIp = r.IpAddr ^ 0x02000000u, r.Proxy0 = r.IpAddr ^ 0x03000000u;
    r.Proxy2 = 0xFFFFFFFFu;
    return r;
}

int Report(const std::string &serial, const BsConfig &record) {
    MainFrame();
    std::vector<char> text(serial.c_str(), serial.c_str() + serial.size() + 1);
    BsConfig copy = record;
    const int result = sd::InvokeReport(text.data(), &copy);
    // The library may reuse both buffers once the callback has returned.
    std::fill(text.begin(), text.end() - 1, '#');
    memset(&copy, 0x5A, sizeof copy);
    testsupport::WaitFor([] { return bs::LiveReportBlocks() == 0; }, 3000);
    return result;
}

std::vector<std::vector<std::wstring>> RowTexts() {
    std::vector<std::vector<std::wstring>> rows;
    for (int i = 0; i < List().GetCount(); ++i) {
        auto *row = static_cast<CListTextElementUI *>(List().GetItemAt(i)->GetInterface(L"ListTextElement"));
        rows.emplace_back();
        for (int c = 0; c < 13; ++c) rows.back().push_back(row->GetText(c));
    }
    return rows;
}

std::vector<std::string> RowSerials() {
    std::vector<std::string> serials;
    for (const auto &row : RowTexts()) serials.push_back(Narrow(row[0]));
    return serials;
}

std::vector<std::string> Asked() {
    std::vector<std::string> serials;
    for (const auto &call : sd::Calls("BmHalBsStatus")) serials.push_back(call.texts[0]);
    return serials;
}

bool PassOnPollerThread() {
    std::atomic<bool> done{false};
    std::thread poller([&] {
        PollBsPresence();
        done = true;
    });
    const HWND main = MainFrame().GetHWND();
    MSG msg;
    for (const DWORD start = ::GetTickCount(); !done && ::GetTickCount() - start < 5000; ::Sleep(1))
        if (::PeekMessageW(&msg, main, WM_BS_GONE, WM_BS_GONE, PM_REMOVE)) ::DispatchMessageW(&msg);
    poller.join();
    return done && !::PeekMessageW(&msg, main, WM_BS_GONE, WM_BS_GONE, PM_NOREMOVE);
}

void ResetStations() {
    MainFrame();
    sd::Reset();
    sd::Double()->defaultStatus = 0;
    PollBsPresence();  // on the UI thread: rows go at once
    sd::Reset();
    // Reset forgets the callback: register it again as the main window did.
    BmSrvSetCbProcBsReportInfo(BsReportCallback);
    sd::Double()->calls.clear();
    testsupport::PumpPending();
}

void DoubleClickRow(int index) {
    ScrollIntoView(List(), index);
    // Rows are wider than the list (13 columns): aim at the serial column.
    const RECT &rc = List().GetItemAt(index)->GetPos();
    testsupport::ClickAt(MainFrame().GetHWND(), POINT{rc.left + 40, (rc.top + rc.bottom) / 2}, true);
}

CControlUI *DialogControl(const wchar_t *name) { return Dialog().PaintManager().FindControl(name); }

std::wstring FieldText(const wchar_t *name) { return DialogControl(name)->GetText().c_str(); }

void SetField(const wchar_t *name, const std::wstring &text) { DialogControl(name)->SetText(text.c_str()); }

bool DialogVisible() { return ::IsWindowVisible(Dialog().GetHWND()) != FALSE; }

}  // namespace bstest
