#include "tests/calls_ui/CallsFixture.h"

#include "calls/CallRowName.h"
#include "tests/support/WaitFor.h"

using servicedouble::ServiceDouble;

namespace callstest {

std::vector<servicedouble::CallRecord> MakeRecords(int n) {
    std::vector<servicedouble::CallRecord> records;
    for (int i = 0; i < n; ++i) records.push_back({1000 + i, "call" + std::to_string(i) + ".wav"});
    return records;
}

void CallPageTest::SetUp() {
    ServiceDouble::Reset();
    g_callPageIndex = 0;
    m_host.reset(new CallsHost(HostedPage::CallRecords));
    ASSERT_TRUE(m_host->Open());
    ASSERT_TRUE(WaitLaidOut(Find(L"FindVoiceFileBtn")));
    ServiceDouble::ClearCalls();
}

void CallPageTest::TearDown() {
    if (g_pPlayWnd) {
        ::KillTimer(g_pPlayWnd->GetHWND(), 0);
        ::ShowWindow(g_pPlayWnd->GetHWND(), SW_HIDE);
    }
    m_host.reset();
    testsupport::PumpPending();
}

CControlUI *CallPageTest::FindRow(int row, const char *suffix) {
    char name[kRowNameSize];
    MakeRowName(row, suffix, name);
    const std::wstring wide(name, name + strlen(name));
    return Find(wide.c_str());
}

CListUI *CallPageTest::List() { return static_cast<CListUI *>(Find(L"CallList")); }

int CallPageTest::Rows() { return List()->GetCount(); }

void CallPageTest::ClickControl(CControlUI *control) {
    ASSERT_NE(nullptr, control);
    ASSERT_TRUE(WaitLaidOut(control)) << Narrow(control->GetName());
    testsupport::ClickControl(Hwnd(), control);
}

std::string CallPageTest::RowName(int row) {
    CControlUI *c = FindRow(row, kRowNameText);
    return c ? Narrow(c->GetText()) : "";
}

std::string CallPageTest::RowId(int row) {
    CControlUI *c = FindRow(row, kRowNameId);
    return c ? Narrow(c->GetText()) : "";
}

}  // namespace callstest
