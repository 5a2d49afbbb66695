// Fixture of the call-page tests: a fresh host window with the real "menu1_1.xml", the
// service double reset, the page index at 0, and helpers that read the page back.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calls/CallPaging.h"
#include "calls/PlayWindow.h"
#include "tests/calls_ui/CallsHost.h"
#include "tests/double/ServiceDouble.h"

namespace callstest {

std::vector<servicedouble::CallRecord> MakeRecords(int n);

class CallPageTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    HWND Hwnd() const { return m_host->GetHWND(); }
    CControlUI *Find(const wchar_t *name) { return m_host->Find(name); }
    CControlUI *FindRow(int row, const char *suffix);
    CListUI *List();
    int Rows();
    bool NextOn() { return Find(L"NextCallListBtn")->IsEnabled(); }
    bool PrevOn() { return Find(L"PrevCallListBtn")->IsEnabled(); }
    // Clicks a control by mouse once it is laid out.
    void ClickControl(CControlUI *control);
    void ClickNamed(const wchar_t *name) { ClickControl(Find(name)); }
    void ClickRow(int row, const char *suffix) { ClickControl(FindRow(row, suffix)); }
    // Text of row n's name / id button; "" when the row does not exist.
    std::string RowName(int row);
    std::string RowId(int row);

    std::unique_ptr<CallsHost> m_host;
};

}  // namespace callstest
