// Controls removed during a notification's dispatch live until it returns and are no longer
// found. If this fails, a row's delete button crashes the console.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/support/WaitFor.h"
#include "tests/uilib_core/TestWindow.h"

using uitest::TestWindow;

namespace {

int gAlive = 0;

// A button that counts the live instances, to see exactly when rows are destroyed. Its
// memory is poisoned and never reused once it is deleted, so that any later use crashes.
class CountedButton : public CButtonUI {
public:
    CountedButton() { ++gAlive; }
    ~CountedButton() override { --gAlive; }
    static void operator delete(void *p, size_t size) { memset(p, 0xFE, size); }
};

const wchar_t kRowsSkin[] =
    L"<Window><VerticalLayout name=\"rows\">"
    L"<HorizontalLayout name=\"row0\" height=\"30\"><CountedButton name=\"del0\"/></HorizontalLayout>"
    L"<HorizontalLayout name=\"row1\" height=\"30\"><CountedButton name=\"del1\"/></HorizontalLayout>"
    L"<HorizontalLayout name=\"row2\" height=\"30\"><CountedButton name=\"del2\"/></HorizontalLayout>"
    L"<Control/></VerticalLayout></Window>";

CControlUI *CountedFactory(LPCTSTR cls) { return wcscmp(cls, L"CountedButton") == 0 ? new CountedButton : nullptr; }

class RemovalDuringDispatch : public ::testing::Test {
protected:
    void SetUp() override {
        gAlive = 0;
        wnd.factory = &CountedFactory;
        ASSERT_NE(wnd.Open(200, 200), nullptr);
        ASSERT_EQ(gAlive, 3);
    }
    CContainerUI *Rows() { return static_cast<CContainerUI *>(wnd.Find(L"rows")); }
    TestWindow wnd{kRowsSkin};
};

TEST_F(RemovalDuringDispatch, TheClickedRowLivesUntilDispatchEnds) {
    int aliveDuring = -1;
    bool foundDuring = true;
    wnd.onNotify = [&](TNotifyUI &msg) {
        if (msg.sType != DUI_MSGTYPE_CLICK) return;
        Rows()->Remove(msg.pSender->GetParent());
        aliveDuring = gAlive;
        foundDuring = wnd.Find(L"del1") != nullptr || wnd.Find(L"row1") != nullptr;
        EXPECT_EQ(msg.pSender->GetName(), L"del1");  // the sender is still a valid object
    };
    wnd.Click(L"del1");
    EXPECT_EQ(aliveDuring, 3);
    EXPECT_FALSE(foundDuring);
    EXPECT_EQ(gAlive, 2);  // destroyed once the dispatch returned
    // The window goes on working: another row's click still arrives.
    wnd.onNotify = nullptr;
    wnd.Click(L"del2");
    EXPECT_EQ(wnd.notes.back().senderName, L"del2");
}

// The press on del1 takes the focus from del0, whose "killfocus" handler removes del1:
// the press must not touch del1 once that handler returns.
TEST_F(RemovalDuringDispatch, AControlRemovedByTheFocusChangeOfItsOwnPressLivesUntilThePressIsHandled) {
    wnd.Manager().SetFocus(wnd.Find(L"del0"));
    wnd.onNotify = [&](TNotifyUI &msg) {
        if (msg.sType == DUI_MSGTYPE_KILLFOCUS && msg.pSender->GetName() == L"del0") Rows()->Remove(wnd.Find(L"row1"));
    };
    wnd.notes.clear();
    wnd.Click(L"del1");
    EXPECT_EQ(gAlive, 2);
    for (const auto &n : wnd.notes) EXPECT_NE(n.senderName, L"del1") << "no notification from a removed button";
}

// Rows removed between a press and its release: another row's removal leaves the press
// alone; the pressed button's own removal ends it without a word from the button.
TEST_F(RemovalDuringDispatch, ARemovalBetweenPressAndReleaseEndsOnlyThePressOfTheRemoved) {
    for (const wchar_t *row : {L"row2", L"row0"}) {
        const POINT at = TestWindow::Center(wnd.Find(L"del0"));
        wnd.notes.clear();
        wnd.Press(at);
        Rows()->Remove(wnd.Find(row));
        wnd.Release(at);
        EXPECT_EQ(wnd.Seen({DUI_MSGTYPE_CLICK}),
                  row == std::wstring(L"row2") ? std::vector<std::string>{"click del0"} : std::vector<std::string>{});
    }
    EXPECT_EQ(gAlive, 1);
}

}  // namespace
