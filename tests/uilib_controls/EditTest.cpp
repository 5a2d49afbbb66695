// The edit field: typing, caret keys and selection, the clipboard, limits and input methods.
#include <gtest/gtest.h>

#include <windows.h>

#include <imm.h>

#include "tests/support/WaitFor.h"
#include "tests/uilib_core/TestWindow.h"

using uitest::TestWindow;

namespace {

CDuiString Clipboard(HWND owner) {
    CDuiString text;
    if (!::OpenClipboard(owner)) return text;
    if (HANDLE h = ::GetClipboardData(CF_UNICODETEXT))
        text = static_cast<const wchar_t *>(::GlobalLock(h)), ::GlobalUnlock(h);
    ::CloseClipboard();
    return text;
}

void SetClipboard(HWND owner, const wchar_t *text) {
    const size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
    HGLOBAL h = ::GlobalAlloc(GMEM_FIXED, bytes);  // fixed: the handle is the pointer
    memcpy(h, text, bytes);
    EXPECT_TRUE(::OpenClipboard(owner) && ::EmptyClipboard() && ::SetClipboardData(CF_UNICODETEXT, h));
    ::CloseClipboard();
}

// Where the composition window and the area the candidates keep clear of start.
std::string ImeWindows(HWND hWnd) {
    HIMC himc = ::ImmGetContext(hWnd);
    COMPOSITIONFORM cf = {};
    CANDIDATEFORM cand = {};
    ::ImmGetCompositionWindow(himc, &cf);
    ::ImmGetCandidateWindow(himc, 0, &cand);
    ::ImmReleaseContext(hWnd, himc);
    return std::to_string(cf.ptCurrentPos.x) + "," + std::to_string(cf.ptCurrentPos.y) + " " +
           std::to_string(cand.dwStyle == CFS_EXCLUDE ? cand.rcArea.left : -1) + "," + std::to_string(cand.rcArea.top);
}

// The result string in the input context, then WM_IME_COMPOSITION with GCS_RESULTSTR.
void CompleteComposition(HWND hWnd, const wchar_t *text) {
    HIMC himc = ::ImmGetContext(hWnd);
    ::SendMessageW(hWnd, WM_IME_STARTCOMPOSITION, 0, 0);
    ::ImmSetCompositionStringW(himc, SCS_SETSTR, const_cast<wchar_t *>(text),
                               static_cast<DWORD>(wcslen(text) * sizeof(wchar_t)), nullptr, 0);
    ::ImmNotifyIME(himc, NI_COMPOSITIONSTR, CPS_COMPLETE, 0);
    ::ImmReleaseContext(hWnd, himc);
    testsupport::PumpPending();
}

struct Edit : ::testing::Test {
    void SetUp() override {
        ASSERT_NE(host.Open(400, 300, true), nullptr);
        e = host.Find<CEditUI>(L"e");
    }
    void Keys(const std::vector<int> &held, const std::vector<UINT> &keys, const wchar_t *typed = L"") {
        uitest::HeldKeys down(held);
        for (UINT k : keys) host.Key(k);
        host.Type(typed);
    }
    std::string Sel() {
        int a = 0, b = 0;
        e->GetSel(a, b);
        return std::to_string(a) + ".." + std::to_string(b);
    }
    TestWindow host{L"<Window><VerticalLayout inset=\"20,20,20,20\" childpadding=\"10\">"
                    L"<Edit name=\"e\" height=\"30\" width=\"300\" maxchar=\"6\"/>"
                    L"<Edit name=\"num\" height=\"30\" width=\"300\" numberonly=\"true\" maxchar=\"3\"/>"
                    L"<Edit name=\"ro\" height=\"30\" width=\"300\" readonly=\"true\" text=\"fixed\"/>"
                    L"<Edit name=\"pw\" height=\"30\" width=\"300\" password=\"true\"/>"
                    L"<Control/></VerticalLayout></Window>"};
    CEditUI *e = nullptr;
};

}  // namespace

// The text, the selection and the "textchanged" sent after each step.
TEST_F(Edit, KeysEditAndMoveTheCaretWithinTheText) {
    host.Click(e);
    ASSERT_EQ(host.Manager().GetFocus(), e);
    struct Step {
        std::vector<int> held;
        std::vector<UINT> keys;
        const wchar_t *typed, *text;
        const char *sel;
        int changes;
    };
    const Step steps[] = {
        {{}, {}, L"a基c", L"a基c", "3..3", 3},
        {{VK_CONTROL, VK_MENU}, {'A', 'X'}, L"@", L"a基c@", "4..4", 1},  // AltGr types and gives no commands
        {{}, {VK_HOME, VK_BACK, VK_LEFT}, L"", L"a基c@", "0..0", 0},     // backspace and left at the start
        {{}, {VK_END, VK_DELETE, VK_RIGHT}, L"", L"a基c@", "4..4", 0},   // delete and right at the end
        {{}, {VK_HOME, VK_RIGHT}, L"X", L"aX基c@", "2..2", 1},
        {{}, {VK_BACK, VK_DELETE}, L"\b\x01\x16", L"ac@", "1..1", 2},  // control characters are no text
        {{VK_SHIFT}, {VK_END}, L"def", L"adef", "4..4", 3},            // typing replaces the selection
        {{}, {}, L"ghij", L"adefgh", "6..6", 2},                       // the max length
        {{VK_SHIFT}, {VK_LEFT, VK_HOME}, L"", L"adefgh", "0..6", 0},
        {{}, {VK_RIGHT}, L"", L"adefgh", "6..6", 0},  // an arrow collapses the selection
        {{VK_CONTROL}, {'A'}, L"", L"adefgh", "0..6", 0},
        {{}, {VK_BACK}, L"", L"", "0..0", 1},
    };
    for (const Step &s : steps) {
        SCOPED_TRACE(&s - steps);
        host.notes.clear();
        Keys(s.held, s.keys, s.typed);
        EXPECT_EQ(e->GetText(), s.text);
        EXPECT_EQ(Sel(), s.sel);
        EXPECT_EQ(host.Count(DUI_MSGTYPE_TEXTCHANGED), s.changes);
    }
    host.Key(VK_RETURN);
    EXPECT_EQ(host.Count(DUI_MSGTYPE_RETURN), 1);
    host.Key(VK_TAB);
    EXPECT_EQ(host.Manager().GetFocus(), host.Find(L"num")) << "Tab moves to the next field";
}

TEST_F(Edit, ClipboardAndLimits) {
    host.Click(e);
    host.Type(L"频道 12");
    Keys({VK_CONTROL}, {'A', 'C'});
    EXPECT_EQ(Clipboard(host.GetHWND()), L"频道 12");
    Keys({VK_CONTROL}, {'X'});
    EXPECT_EQ(e->GetText(), L"");
    SetClipboard(host.GetHWND(), L"粘贴 paste\r\nsecond line");
    Keys({VK_CONTROL}, {'V'});
    EXPECT_EQ(e->GetText(), L"粘贴 pas") << "one line is pasted, up to the limit";
    // A password never goes to the clipboard.
    const struct {
        const wchar_t *field, *typed, *clip;
        std::vector<UINT> keys;  // with Ctrl
        const wchar_t *text, *clipAfter;
    } cases[] = {
        {L"num", L"1a2", L"", {'V'}, L"12", L""},
        {L"num", L"", L"9x87654", {'V'}, L"987", L"9x87654"},
        {L"ro", L"abc", L"pasted", {'V'}, L"fixed", L"pasted"},
        {L"pw", L"s3cret", L"unchanged", {'A', 'C', 'X'}, L"s3cret", L"unchanged"},
    };
    for (const auto &c : cases) {
        host.Click(host.Find(c.field));
        host.Type(c.typed);
        SetClipboard(host.GetHWND(), c.clip);
        Keys({VK_CONTROL}, c.keys);
        EXPECT_EQ(host.Find(c.field)->GetText(), c.text);
        EXPECT_EQ(Clipboard(host.GetHWND()), c.clipAfter);
        if (c.field == std::wstring(L"num")) host.Find(c.field)->SetText(L"");
    }
}

// Chinese input: the input method's windows at the caret, its result taken whole, and
// characters outside the BMP (surrogate pairs) never split.
TEST_F(Edit, InputMethodWindowsFollowTheCaretAndResultsArriveWhole) {
    const HWND hWnd = host.GetHWND();
    host.Click(e);
    ::SendMessageW(hWnd, WM_IME_STARTCOMPOSITION, 0, 0);
    const std::string start = std::to_string(e->GetPos().left + 8) + "," + std::to_string(e->GetPos().top + 8);
    EXPECT_EQ(ImeWindows(hWnd), start + " " + start);
    CompleteComposition(hWnd, L"基站");
    EXPECT_NE(ImeWindows(hWnd), start + " " + start) << "followed the caret past the two characters";
    host.Key(VK_HOME);
    EXPECT_EQ(ImeWindows(hWnd), start + " " + start) << "followed the caret home";
    const std::wstring two = L"中\xD83D\xDE00";  // U+1F600 is outside the BMP
    const struct {
        const wchar_t *start;
        UINT how;  // 0: a completed composition; WM_IME_CHAR or WM_CHAR: unit by unit
        std::wstring input, expected;
        int textChanges;
    } cases[] = {
        {L"a", 0, two, L"a" + two, 1},
        {L"", WM_IME_CHAR, two, two, 2},
        {L"x", WM_CHAR, L"\xDE00", L"x", 0},  // a low surrogate alone is no character
        {L"abcde", 0, two, L"abcde中", 1},    // maxchar 6: the pair does not fit
    };
    for (const auto &c : cases) {
        e->SetText(c.start);
        host.Key(VK_END);
        host.notes.clear();
        if (c.how == 0) CompleteComposition(hWnd, c.input.c_str());
        for (wchar_t unit : c.how != 0 ? c.input : L"") ::SendMessageW(hWnd, c.how, unit, 1);
        EXPECT_EQ(e->GetText(), c.expected);
        EXPECT_EQ(host.Count(DUI_MSGTYPE_TEXTCHANGED), c.textChanges);
        EXPECT_EQ(Sel(), std::to_string(c.expected.size()) + ".." + std::to_string(c.expected.size()));
    }
    // A pair is selected, deleted and stepped over as one character.
    e->SetText((L"a" + two + L"b").c_str());
    Keys({}, {VK_END, VK_LEFT, VK_LEFT});
    EXPECT_EQ(Sel(), "2..2") << "before the pair, not inside it";
    Keys({VK_SHIFT}, {VK_RIGHT});
    EXPECT_EQ(Sel(), "2..4") << "Shift+Right selects the whole pair";
    host.Key(VK_DELETE);
    EXPECT_EQ(e->GetText(), L"a中b");
}
