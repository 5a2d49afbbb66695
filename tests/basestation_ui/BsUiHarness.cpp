#include "tests/basestation_ui/BsUiHarness.h"

#include <atomic>
#include <thread>

#include "basestation/BsListRows.h"
#include "basestation/BsReportBlock.h"
#include "tests/support/WaitFor.h"
#include "ui/ConsoleTitle.h"

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

CBsCfgFrameWnd &Dialog() {
    MainFrame();
    return *g_pBsCfgFrameWnd;
}

BsConfig SampleRecord(int n) {
    BsConfig r{};
    r.Version = n;
    r.Channel = 1 + n % 200;
    r.CallMagic = 1000 + n;
    r.ZoneMagic = 1 + n % 10;
    r.RepeaterMode = n % 4;
    const unsigned char ip[4] = {10, static_cast<unsigned char>(n >> 8), static_cast<unsigned char>(n), 1};
    memcpy(&r.IpAddr, ip, 4);
    r.NetMask = 0x0000FFFFu;  // 255.255.0.0
    r.Gateway = r.IpAddr ^ 0x01000000u;
    r.ManagerIp = r.IpAddr ^ 0x02000000u;
    r.Proxy0 = r.IpAddr ^ 0x03000000u;
    r.Proxy2 = 0xFFFFFFFFu;
    return r;
}

void Report(const std::string &serial, const BsConfig &record) {
    MainFrame();
    BsConfig copy = record;
    sd::InvokeReport(serial.c_str(), &copy);
    testsupport::WaitFor([] { return bs::LiveReportBlocks() == 0; }, 3000);
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
    const bool returned = testsupport::WaitFor([&] { return done.load(); });
    poller.join();
    return returned;
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
    List().EnsureVisible(index);
    testsupport::PumpPending();
    ::UpdateWindow(MainFrame().GetHWND());
    // Rows are wider than the list (13 columns): aim at the serial column.
    const RECT &rc = List().GetItemAt(index)->GetPos();
    testsupport::ClickAt(MainFrame().GetHWND(), POINT{rc.left + 40, (rc.top + rc.bottom) / 2}, true);
}

CControlUI *DialogControl(const wchar_t *name) { return Dialog().PaintManager().FindControl(name); }

std::wstring FieldText(const wchar_t *name) { return DialogControl(name)->GetText().c_str(); }

void SetField(const wchar_t *name, const std::wstring &text) { DialogControl(name)->SetText(text.c_str()); }

bool DialogVisible() { return ::IsWindowVisible(Dialog().GetHWND()) != FALSE; }

}  // namespace bstest
