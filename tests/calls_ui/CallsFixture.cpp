#include "tests/calls_ui/CallsFixture.h"

#include "calls/CallRowName.h"
#include "tests/support/WaitFor.h"

namespace callstest {

void CallPageTest::SetUp() {
    sd::Reset();
    g_callPageIndex = 0;
    m_host.reset(new CallsHost(false));
    ASSERT_TRUE(testsupport::WaitLaidOut(Find(L"FindVoiceFileBtn")));
    sd::Double()->calls.clear();
}

void CallPageTest::TearDown() {
    ::KillTimer(g_pPlayWnd->GetHWND(), 0);
    ::ShowWindow(g_pPlayWnd->GetHWND(), SW_HIDE);
    m_host.reset();
    testsupport::PumpPending();
}

CControlUI *CallPageTest::FindRow(int row, const char *suffix) {
    char name[kRowNameSize];
    MakeRowName(row, suffix, name);
    return Find(std::wstring(name, name + strlen(name)).c_str());
}

void CallPageTest::Click(CControlUI *control) {
    ASSERT_TRUE(testsupport::WaitLaidOut(control));
    testsupport::ClickControl(Hwnd(), control);
}

void CallPageTest::SetDates(SYSTEMTIME start, SYSTEMTIME end) {
    static_cast<CDateTimeUI *>(Find(L"StartDate"))->SetTime(&start);
    static_cast<CDateTimeUI *>(Find(L"EndDate"))->SetTime(&end);
}

void CallPageTest::SetRecords(int n) {
    sd::Double()->records.clear();
    for (int i = 0; i < n; ++i) sd::Double()->records.push_back({1000 + i, "call" + std::to_string(i) + ".wav"});
}

std::string CallPageTest::RowName(int row) {
    CControlUI *c = FindRow(row, kRowNameText);
    return c ? Narrow(c->GetText()) : "";
}

}  // namespace callstest
