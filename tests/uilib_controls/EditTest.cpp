// The edit field: typing through WM_CHAR, caret keys and selection, the clipboard, limits
// (maxchar, numberonly, readonly, password), its notifications, and input methods.
#include <gtest/gtest.h>
#include <windows.h>

#include <imm.h>

#include <string>

#include "tests/support/WaitFor.h"
#include "tests/uilib_controls/TestHost.h"

using uitest::HeldKeys;
using uitest::TestHost;

namespace {

const wchar_t kSkin[] = L"<Window><VerticalLayout inset=\"20,20,20,20\" childpadding=\"10\">"
                        L"<Edit name=\"e\" height=\"30\" width=\"300\"/>"
                        L"<Edit name=\"num\" height=\"30\" width=\"300\" numberonly=\"true\" maxchar=\"3\"/>"
                        L"<Edit name=\"ro\" height=\"30\" width=\"300\" readonly=\"true\" text=\"fixed\"/>"
                        L"<Edit name=\"pw\" height=\"30\" width=\"300\" password=\"true\"/>"
                        L"<Edit name=\"narrow\" height=\"30\" width=\"80\"/>"
                        L"<Control/></VerticalLayout></Window>";

CDuiString Clipboard(HWND owner) {
    CDuiString text;
    if (!::OpenClipboard(owner)) return text;
    if (HANDLE h = ::GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<const wchar_t *>(::GlobalLock(h));
        ::GlobalUnlock(h);
    }
    ::CloseClipboard();
    return text;
}

void SetClipboard(HWND owner, const wchar_t *text) {
    ASSERT_TRUE(::OpenClipboard(owner));
    ::EmptyClipboard();
    const size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    memcpy(::GlobalLock(h), text, bytes);
    ::GlobalUnlock(h);
    ::SetClipboardData(CF_UNICODETEXT, h);
    ::CloseClipboard();
}

void Sel(CEditUI *e, int &a, int &b) { e->GetSel(a, b); }

}  // namespace

TEST(Edit, TypingInsertsAtTheCaretAndNotifies) {
    TestHost host(kSkin);
    auto *e = host.Find<CEditUI>(L"e");
    host.Click(e);
    EXPECT_EQ(host.Manager().GetFocus(), e);
    host.Type(L"abc基站");
    EXPECT_EQ(e->GetText(), L"abc基站");
    EXPECT_EQ(host.Count(DUI_MSGTYPE_TEXTCHANGED), 5);
    host.Key(VK_HOME);
    host.Key(VK_RIGHT);
    host.Type(L"X");
    EXPECT_EQ(e->GetText(), L"aXbc基站");
    host.Key(VK_BACK);
    host.Key(VK_DELETE);
    EXPECT_EQ(e->GetText(), L"ac基站");
    host.Key(VK_END);
    host.Key(VK_BACK);
    EXPECT_EQ(e->GetText(), L"ac基");
    // Control characters that WM_CHAR also delivers (Backspace, Ctrl+letters) insert nothing.
    host.Type(L"\b\x01\x16");
    EXPECT_EQ(e->GetText(), L"ac基");
    host.Key(VK_RETURN);
    EXPECT_EQ(host.Count(DUI_MSGTYPE_RETURN), 1);
}

TEST(Edit, ShiftArrowsCtrlAAndDoubleClickSelect) {
    TestHost host(kSkin);
    auto *e = host.Find<CEditUI>(L"e");
    host.Click(e);
    host.Type(L"hello world");
    int a = 0, b = 0;
    {
        HeldKeys shift({VK_SHIFT});
        host.Key(VK_LEFT);
        host.Key(VK_LEFT);
    }
    Sel(e, a, b);
    EXPECT_EQ(a, 9);
    EXPECT_EQ(b, 11);
    host.Type(L"LD");
    EXPECT_EQ(e->GetText(), L"hello worLD") << "typing replaces the selection";
    {
        HeldKeys shift({VK_SHIFT});
        host.Key(VK_HOME);
    }
    Sel(e, a, b);
    EXPECT_EQ(a, 0);
    EXPECT_EQ(b, 11);
    host.Key(VK_RIGHT);
    Sel(e, a, b);
    EXPECT_EQ(a, b) << "an arrow without Shift collapses the selection";
    {
        HeldKeys ctrl({VK_CONTROL});
        host.Key('A');
    }
    Sel(e, a, b);
    EXPECT_EQ(b - a, 11);
    e->SetSel(0, 0);
    host.Layout();
    // A double-click on the first word selects it.
    const RECT rc = e->GetPos();
    host.DoubleClick({rc.left + 14, (rc.top + rc.bottom) / 2});
    Sel(e, a, b);
    EXPECT_EQ(a, 0);
    EXPECT_EQ(b, 5);
}

TEST(Edit, MouseDragSelects) {
    TestHost host(kSkin);
    auto *e = host.Find<CEditUI>(L"e");
    e->SetText(L"0123456789");
    host.Layout();
    const RECT rc = e->GetPos();
    const int y = (rc.top + rc.bottom) / 2;
    host.Press({rc.left + 9, y});
    host.Move({rc.right - 20, y});
    host.Release({rc.right - 20, y});
    int a = 0, b = 0;
    Sel(e, a, b);
    EXPECT_EQ(a, 0);
    EXPECT_EQ(b, 10);
}

TEST(Edit, ClipboardCopyCutAndPasteUseUnicodeText) {
    TestHost host(kSkin);
    auto *e = host.Find<CEditUI>(L"e");
    host.Click(e);
    host.Type(L"频道 12");
    {
        HeldKeys ctrl({VK_CONTROL});
        host.Key('A');
        host.Key('C');
    }
    EXPECT_EQ(Clipboard(host.GetHWND()), L"频道 12");
    {
        HeldKeys ctrl({VK_CONTROL});
        host.Key('X');
    }
    EXPECT_EQ(e->GetText(), L"");
    SetClipboard(host.GetHWND(), L"粘贴 paste\r\nsecond line");
    {
        HeldKeys ctrl({VK_CONTROL});
        host.Key('V');
    }
    EXPECT_EQ(e->GetText(), L"粘贴 paste") << "one line is pasted";
    // A password never goes to the clipboard.
    auto *pw = host.Find<CEditUI>(L"pw");
    host.Click(pw);
    host.Type(L"s3cret");
    SetClipboard(host.GetHWND(), L"unchanged");
    {
        HeldKeys ctrl({VK_CONTROL});
        host.Key('A');
        host.Key('C');
        host.Key('X');
    }
    EXPECT_EQ(Clipboard(host.GetHWND()), L"unchanged");
    EXPECT_EQ(pw->GetText(), L"s3cret");
}

// AltGr is Ctrl+Alt: with it held, characters are typed and C/V/X/A are no commands. If
// this fails, operators on keyboards that need AltGr for "@" or "\\" cannot type them.
TEST(Edit, AltGrTypesCharactersAndGivesNoClipboardCommands) {
    TestHost host(kSkin);
    auto *e = host.Find<CEditUI>(L"e");
    host.Click(e);
    host.Type(L"ab");
    SetClipboard(host.GetHWND(), L"clip");
    {
        HeldKeys altGr({VK_CONTROL, VK_MENU});
        host.Type(L"@\\€");
        for (UINT vk : {'A', 'C', 'X', 'V'}) ::SendMessageW(host.GetHWND(), WM_KEYDOWN, vk, 1);
    }
    EXPECT_EQ(e->GetText(), L"ab@\\€");
    EXPECT_EQ(Clipboard(host.GetHWND()), L"clip");
    int a = 0, b = 0;
    Sel(e, a, b);
    EXPECT_EQ(a, b) << "AltGr+A selects nothing";
}

TEST(Edit, LimitsFilterWhatTheUserEnters) {
    struct Case {
        const wchar_t *field;
        const wchar_t *typed;
        const wchar_t *pasted;
        const wchar_t *expected;
    };
    const Case cases[] = {
        {L"num", L"1a2b", nullptr, L"12"},
        {L"num", L"12345", nullptr, L"123"},
        {L"num", nullptr, L"9x87654", L"987"},
        {L"ro", L"abc", L"pasted", L"fixed"},
    };
    TestHost host(kSkin);
    for (const Case &c : cases) {
        SCOPED_TRACE(uitest::Utf8(c.field));
        auto *e = host.Find<CEditUI>(c.field);
        if (!e->IsReadOnly()) e->SetText(L"");
        host.Click(e);
        if (c.typed != nullptr) host.Type(c.typed);
        if (c.pasted != nullptr) {
            SetClipboard(host.GetHWND(), c.pasted);
            HeldKeys ctrl({VK_CONTROL});
            host.Key('V');
        }
        EXPECT_EQ(e->GetText(), c.expected);
    }
}

TEST(Edit, LongTextScrollsSoTheCaretStaysInView) {
    TestHost host(kSkin);
    auto *e = host.Find<CEditUI>(L"narrow");
    host.Click(e);
    host.Type(L"a long line that cannot fit");
    host.Layout();
    // A click near the right edge lands near the end of the text, not in its first letters.
    const RECT rc = e->GetPos();
    host.Click({rc.right - 12, (rc.top + rc.bottom) / 2});
    int a = 0, b = 0;
    Sel(e, a, b);
    EXPECT_GT(b, 20);
    host.Key(VK_HOME);
    host.Layout();
    host.Click({rc.left + 10, (rc.top + rc.bottom) / 2});
    Sel(e, a, b);
    EXPECT_LT(b, 3);
}

TEST(Edit, TabMovesTheFocusToTheNextField) {
    TestHost host(kSkin);
    auto *e = host.Find<CEditUI>(L"e");
    host.Click(e);
    host.Key(VK_TAB);
    EXPECT_EQ(host.Manager().GetFocus(), host.Find<CEditUI>(L"num"));
    host.Type(L"7");
    EXPECT_EQ(host.Find<CEditUI>(L"num")->GetText(), L"7");
    EXPECT_EQ(e->GetText(), L"");
}

// Chinese input: the input method's windows at the caret, its result taken whole, and
// characters outside the BMP (surrogate pairs) never split.
namespace {

struct ImePlace {
    POINT composition = {-1, -1};
    RECT candidateExclude = {0, 0, 0, 0};
};

ImePlace ImeWindows(HWND hWnd) {
    ImePlace place;
    HIMC himc = ::ImmGetContext(hWnd);
    COMPOSITIONFORM cf = {};
    if (::ImmGetCompositionWindow(himc, &cf)) place.composition = cf.ptCurrentPos;
    CANDIDATEFORM cand = {};
    if (::ImmGetCandidateWindow(himc, 0, &cand) && cand.dwStyle == CFS_EXCLUDE) place.candidateExclude = cand.rcArea;
    ::ImmReleaseContext(hWnd, himc);
    return place;
}

// What the input method sends when a composition completes: the result string in the
// input context, then WM_IME_COMPOSITION with GCS_RESULTSTR.
void CompleteComposition(HWND hWnd, const wchar_t *text) {
    HIMC himc = ::ImmGetContext(hWnd);
    ::SendMessageW(hWnd, WM_IME_STARTCOMPOSITION, 0, 0);
    ::ImmSetCompositionStringW(himc, SCS_SETSTR, const_cast<wchar_t *>(text),
                               static_cast<DWORD>(wcslen(text) * sizeof(wchar_t)), nullptr, 0);
    ::ImmNotifyIME(himc, NI_COMPOSITIONSTR, CPS_COMPLETE, 0);
    ::ImmReleaseContext(hWnd, himc);
    testsupport::PumpPending();
}

}  // namespace

TEST(Edit, InputMethodWindowsSitAtTheCaretAndFollowIt) {
    TestHost host(kSkin);
    auto *e = host.Find<CEditUI>(L"e");
    host.Click(e);
    const HWND hWnd = host.GetHWND();
    ::SendMessageW(hWnd, WM_IME_STARTCOMPOSITION, 0, 0);
    const RECT field = e->GetPos();
    const ImePlace empty = ImeWindows(hWnd);
    EXPECT_EQ(empty.composition.x, field.left + 8) << "after the text padding, at the empty text's start";
    EXPECT_GT(empty.composition.y, field.top);
    EXPECT_LT(empty.composition.y, field.bottom);
    EXPECT_EQ(empty.candidateExclude.left, empty.composition.x) << "the candidates keep clear of the caret";
    EXPECT_EQ(empty.candidateExclude.top, empty.composition.y);

    CompleteComposition(hWnd, L"基站");
    ASSERT_EQ(e->GetText(), L"基站");
    const ImePlace after = ImeWindows(hWnd);
    EXPECT_GT(after.composition.x, empty.composition.x + 10) << "followed the caret past the two characters";
    EXPECT_EQ(after.composition.y, empty.composition.y);
    host.Key(VK_HOME);
    EXPECT_EQ(ImeWindows(hWnd).composition.x, empty.composition.x) << "followed the caret home";
}

TEST(Edit, InputMethodResultsAndSurrogatePairsArriveWhole) {
    const wchar_t kFace[] = L"\xD83D\xDE00";  // U+1F600, outside the BMP
    struct Case {
        const wchar_t *field;
        const wchar_t *start;
        const char *how;  // "compose": a completed composition; "imechar"/"char": unit by unit
        std::wstring input;
        std::wstring expected;
        int textChanges;
    };
    const std::wstring two = std::wstring(L"中") + kFace;
    const Case cases[] = {
        {L"e", L"", "compose", L"中文输入", L"中文输入", 1},
        {L"e", L"a", "compose", two, L"a" + two, 1},
        {L"e", L"", "imechar", two, two, 2},
        {L"e", L"", "char", kFace, kFace, 1},
        {L"e", L"x", "char", L"\xDE00", L"x", 0},         // a low surrogate alone is no character
        {L"lim", L"abcd", "compose", two, L"abcd中", 1},  // maxchar 5: the pair does not fit
        {L"lim", L"abcd", "imechar", kFace, L"abcd", 0},
        {L"ro", L"fixed", "compose", L"中", L"fixed", 0},
    };
    TestHost host(L"<Window><VerticalLayout inset=\"20,20,20,20\" childpadding=\"10\">"
                  L"<Edit name=\"e\" height=\"30\" width=\"300\"/>"
                  L"<Edit name=\"lim\" height=\"30\" width=\"300\" maxchar=\"5\"/>"
                  L"<Edit name=\"ro\" height=\"30\" width=\"300\" readonly=\"true\"/>"
                  L"<Control/></VerticalLayout></Window>");
    const HWND hWnd = host.GetHWND();
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.how) + " into " + uitest::Utf8(c.field) + ": " + uitest::Utf8(c.expected));
        auto *e = host.Find<CEditUI>(c.field);
        e->SetText(c.start);
        host.Click(e);
        host.Key(VK_END);
        host.notes.clear();
        const std::string how = c.how;
        if (how == "compose") {
            CompleteComposition(hWnd, c.input.c_str());
        } else {
            for (wchar_t unit : c.input) ::SendMessageW(hWnd, how == "imechar" ? WM_IME_CHAR : WM_CHAR, unit, 1);
        }
        EXPECT_EQ(e->GetText(), c.expected);
        EXPECT_EQ(host.Count(DUI_MSGTYPE_TEXTCHANGED), c.textChanges);
        int start = 0, end = 0;
        e->GetSel(start, end);
        EXPECT_EQ(end, static_cast<int>(e->GetText().size())) << "the caret after what arrived";
    }
    // A pair is selected, deleted and stepped over as one character.
    auto *e = host.Find<CEditUI>(L"e");
    e->SetText((L"a" + two + L"b").c_str());
    host.Click(e);
    host.Key(VK_END);
    host.Key(VK_LEFT);
    host.Key(VK_LEFT);
    int start = 0, end = 0;
    e->GetSel(start, end);
    EXPECT_EQ(end, 2) << "before the pair, not inside it";
    {
        HeldKeys shift({VK_SHIFT});
        host.Key(VK_RIGHT);
    }
    e->GetSel(start, end);
    EXPECT_EQ(end - start, 2) << "Shift+Right selects the whole pair";
    host.Key(VK_DELETE);
    EXPECT_EQ(e->GetText(), L"a中b");
}
