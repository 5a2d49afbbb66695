#include "tests/basestation_ui/BsUiHarness.h"

#include <atomic>
#include <thread>

#include "basestation/BsListRows.h"
#include "basestation/BsReportBlock.h"
#include "tests/double/ServiceDouble.h"
#include "tests/support/WaitFor.h"
#include "ui/ConsoleTitle.h"

using servicedouble::ServiceDouble;

namespace bstest {

namespace {

CDemoFrameWnd *g_frame = nullptr;

}  // namespace

CDemoFrameWnd &MainFrame() {
    if (!g_frame) {
        ServiceDouble::Reset();
        testsupport::UseInstalledSkins();
        g_frame = new CDemoFrameWnd();
        g_frame->Create(nullptr, kConsoleTitle, 0x10cf0000, 0x60080, 0, 0, 800, 572);
        g_frame->CenterWindow();
        ::ShowWindow(g_frame->GetHWND(), SW_SHOW);
        testsupport::WaitFor([] { return List().GetPos().bottom > 0; }, 3000);
    }
    return *g_frame;
}

CListUI &List() {
    CControlUI *list = MainFrame().PaintManager().FindControl(L"BsList");
    return *static_cast<CListUI *>(list->GetInterface(L"List"));
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
    const unsigned char mask[4] = {255, 255, 0, 0};
    memcpy(&r.NetMask, mask, 4);
    r.Gateway = r.IpAddr ^ 0x01000000u;
    r.ManagerIp = r.IpAddr ^ 0x02000000u;
    r.Proxy0 = r.IpAddr ^ 0x03000000u;
    r.Proxy1 = 0;
    r.Proxy2 = 0xFFFFFFFFu;
    return r;
}

void Report(const std::string &serial, const BsConfig &record) {
    MainFrame();
    BsConfig copy = record;
    ServiceDouble::InvokeReport(serial.c_str(), &copy);
    testsupport::WaitFor([] { return bs::LiveReportBlocks() == 0; }, 3000);
}

std::vector<std::vector<std::wstring>> RowTexts() {
    std::vector<std::vector<std::wstring>> rows;
    CListUI &list = List();
    for (int i = 0; i < list.GetCount(); ++i) {
        auto *row = static_cast<CListTextElementUI *>(list.GetItemAt(i)->GetInterface(L"ListTextElement"));
        std::vector<std::wstring> texts;
        for (int c = 0; c < 13; ++c) texts.push_back(row ? row->GetText(c) : L"?");
        rows.push_back(texts);
    }
    return rows;
}

std::vector<std::string> RowSerials() {
    std::vector<std::string> serials;
    for (const auto &row : RowTexts()) serials.push_back(Narrow(row[0]));
    return serials;
}

bool PassOnPollerThread(unsigned timeoutMs) {
    std::atomic<bool> done{false};
    std::thread poller([&] {
        PollBsPresence();
        done = true;
    });
    const bool returned = testsupport::WaitFor([&] { return done.load(); }, timeoutMs);
    poller.join();
    return returned;
}

void ResetStations() {
    MainFrame();
    ServiceDouble::Reset();
    ServiceDouble::SetDefaultStatus(0);
    PollBsPresence();  // on the UI thread: rows go at once
    ServiceDouble::Reset();
    // Reset forgets the callback: register it again as the main window did.
    BmSrvSetCbProcBsReportInfo(BsReportCallback);
    ServiceDouble::ClearCalls();
    testsupport::PumpPending();
}

void DoubleClickRow(int index) {
    CListUI &list = List();
    list.EnsureVisible(index);
    testsupport::PumpPending();
    ::UpdateWindow(MainFrame().GetHWND());
    // Rows are wider than the list (13 columns): aim at the serial column.
    const RECT &rc = list.GetItemAt(index)->GetPos();
    testsupport::ClickAt(MainFrame().GetHWND(), POINT{rc.left + 40, (rc.top + rc.bottom) / 2}, true);
}

CControlUI *DialogControl(const wchar_t *name) { return Dialog().PaintManager().FindControl(name); }

std::wstring FieldText(const wchar_t *name) {
    CControlUI *control = DialogControl(name);
    return control ? control->GetText() : L"<missing>";
}

void SetField(const wchar_t *name, const std::wstring &text) {
    if (CControlUI *control = DialogControl(name)) control->SetText(text.c_str());
}

bool DialogVisible() { return ::IsWindowVisible(Dialog().GetHWND()) != FALSE; }

bool WaitWithoutPumping(const std::function<bool()> &cond, unsigned timeoutMs) {
    const DWORD start = ::GetTickCount();
    while (!cond()) {
        if (::GetTickCount() - start >= timeoutMs) return cond();
        ::Sleep(1);
    }
    return true;
}

}  // namespace bstest
