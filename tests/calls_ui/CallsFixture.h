// The fixture of the call-page tests: a fresh host with the call page, the service
// double reset, the page index at 0.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "calls/CallPaging.h"
#include "calls/PlayWindow.h"
#include "tests/calls_ui/CallsHost.h"
#include "tests/double/ServiceDouble.h"

namespace callstest {

namespace sd = servicedouble;
using testsupport::Narrow;

class CallPageTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    HWND Hwnd() const { return m_host->GetHWND(); }
    CControlUI *Find(const wchar_t *name) { return m_host->pm.FindControl(name); }
    CControlUI *FindRow(int row, const char *suffix);
    int Rows() { return static_cast<CListUI *>(Find(L"CallList"))->GetCount(); }
    bool NextOn() { return Find(L"NextCallListBtn")->IsEnabled(); }
    bool PrevOn() { return Find(L"PrevCallListBtn")->IsEnabled(); }
    void Click(CControlUI *control);
    void Click(const wchar_t *name) { Click(Find(name)); }
    void ClickRow(int row, const char *suffix) { Click(FindRow(row, suffix)); }
    void SetDates(SYSTEMTIME start, SYSTEMTIME end);
    // Records call0.wav ... with ids 1000 ...
    void SetRecords(int n);
    // Text of row n's name button; "" when the row does not exist.
    std::string RowName(int row);

    std::unique_ptr<CallsHost> m_host;
};

}  // namespace callstest
