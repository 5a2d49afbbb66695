// The console's main window with the call page in front and emptied, the service double reset.
#pragma once

#include <gtest/gtest.h>

#include "calls/CallPaging.h"
#include "calls/CallRowName.h"
#include "calls/PlayWindow.h"
#include "tests/basestation_ui/BsUiHarness.h"
#include "tests/support/WaitFor.h"

namespace callstest {

namespace sd = servicedouble;
using testsupport::Narrow;

const wchar_t *const kFind = L"FindVoiceFileBtn";
const wchar_t *const kNext = L"NextCallListBtn";
const wchar_t *const kPrev = L"PrevCallListBtn";

struct CallPageTest : testing::Test {
    void SetUp() override {
        sd::Reset();
        bstest::ShowPage(L"menu1_1");
        List()->RemoveAll();
        Find(kPrev)->SetEnabled(false);
        Find(kNext)->SetEnabled(false);
        g_callPageIndex = 0;
        ASSERT_TRUE(testsupport::WaitLaidOut(Find(kFind)));
        sd::Double()->calls.clear();
    }
    void TearDown() override {
        ::KillTimer(g_pPlayWnd->GetHWND(), 0);
        ::ShowWindow(g_pPlayWnd->GetHWND(), SW_HIDE);
        testsupport::PumpPending();
    }

    HWND Hwnd() const { return bstest::MainFrame().GetHWND(); }
    CControlUI *Find(const wchar_t *name) { return bstest::MainFrame().PaintManager().FindControl(name); }
    CListUI *List() { return static_cast<CListUI *>(Find(L"CallList")); }
    CControlUI *FindRow(int row, const char *suffix) {
        char name[kRowNameSize];
        MakeRowName(row, suffix, name);
        return Find(std::wstring(name, name + strlen(name)).c_str());
    }
    int Rows() { return List()->GetCount(); }
    bool NextOn() { return Find(kNext)->IsEnabled(); }
    bool PrevOn() { return Find(kPrev)->IsEnabled(); }
    void Click(CControlUI *control) {
        ASSERT_TRUE(testsupport::WaitLaidOut(control));
        testsupport::ClickControl(Hwnd(), control);
    }
    void Click(const wchar_t *name) { Click(Find(name)); }
    void ClickRow(int row, const char *suffix) {
        bstest::ScrollIntoView(*List(), row);
        Click(FindRow(row, suffix));
    }
    void SetDates(SYSTEMTIME start, SYSTEMTIME end) {
        static_cast<CDateTimeUI *>(Find(L"StartDate"))->SetTime(&start);
        static_cast<CDateTimeUI *>(Find(L"EndDate"))->SetTime(&end);
    }
    // Records call0.wav ... with ids 1000 ...
    void SetRecords(int n) {
        sd::Double()->records.clear();
        for (int i = 0; i < n; ++i) sd::Double()->records.push_back({1000 + i, "call" + std::to_string(i) + ".wav"});
    }
    // Text of row n's name button; "" when the row does not exist.
    std::string RowName(int row) {
        CControlUI *c = FindRow(row, kRowNameText);
        return c ? Narrow(c->GetText()) : "";
    }
};

}  // namespace callstest
