// Prints the paint time of a list of 10,000 rows against one of 10 (the list lays out and
// paints only the rows in view, so the ratio should stay near 1), the time to append rows,
// and the heap memory a text row and a container row (the call list's kind) cost.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <vector>

#include "bench/support/Median.h"
#include "uilib/UIlib.h"

namespace {

std::atomic<long long> gHeapBytes{0};  // bytes live on the heap, counted by operator new

using Clock = std::chrono::steady_clock;
double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

const int kFrames = 50;
const int kRounds = 9;
const int kHeaderHeight = 30;

class BenchWindow : public CWindowWnd {
public:
    CPaintManagerUI pm;
    LPCTSTR GetWindowClassName() const override { return L"UIListBench"; }
    LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override {
        if (uMsg == WM_CREATE) {
            pm.Init(m_hWnd);
            return 0;
        }
        LRESULT lRes = 0;
        if (pm.MessageHandler(uMsg, wParam, lParam, lRes)) return lRes;
        return CWindowWnd::HandleMessage(uMsg, wParam, lParam);
    }
};

const wchar_t kSkin[] = L"<Window><VerticalLayout><List name=\"list\" vscrollbar=\"true\" hscrollbar=\"true\">"
                        L"<ListHeader height=\"30\"><ListHeaderItem text=\"序列号\" width=\"150\"/><ListHeaderItem "
                        L"text=\"频道\" width=\"80\"/>"
                        L"<ListHeaderItem text=\"IP\" width=\"140\"/><ListHeaderItem text=\"状态\" width=\"100\"/>"
                        L"<ListHeaderItem text=\"备注\" width=\"180\"/></ListHeader></List></VerticalLayout></Window>";

CListTextElementUI *TextRow(int i) {
    auto *row = new CListTextElementUI;
    row->SetFixedHeight(30);
    wchar_t text[32];
    swprintf(text, 32, L"BS-%05d", i);
    row->SetText(0, text);
    row->SetText(1, L"12");
    row->SetText(2, L"10.0.1.17");
    row->SetText(3, L"在线");
    row->SetText(4, L"主楼楼顶");
    return row;
}

// The call list's row: a container, a horizontal layout, three columns, four buttons.
CListContainerElementUI *CallRow(int n) {
    auto *row = new CListContainerElementUI;
    row->SetAttribute(L"height", L"30");
    auto *line = new CHorizontalLayoutUI;
    row->Add(line);
    for (int c = 0; c < 3; ++c) {
        auto *col = new CVerticalLayoutUI;
        col->SetAttribute(L"width", c == 2 ? L"330" : L"250");
        line->Add(col);
        for (int b = 0; b < (c == 2 ? 3 : 1); ++b) {
            auto *button = new CButtonUI;
            wchar_t name[32];
            swprintf(name, 32, L"ItemBtn%dX%d", n, b);
            button->SetAttribute(L"name", name);
            button->SetAttribute(L"float", L"true");
            button->SetAttribute(L"width", c == 2 ? L"30" : L"250");
            button->SetAttribute(L"height", L"30");
            if (c < 2) button->SetAttribute(L"text", L"call-000123.wav");
            col->Add(button);
        }
    }
    return row;
}

struct Setup {
    BenchWindow window;
    CListUI *list = nullptr;
};

void Open(Setup &s, int top = 0) {
    // Header and ten 30 px rows: both lists show ten rows, so the figure compares the cost
    // of the rows out of view (none, when only the rows in view are touched).
    s.window.Create(nullptr, L"list bench", WS_POPUP | WS_VISIBLE, 0, 0, top, 900, kHeaderHeight + 10 * 30);
    CDialogBuilder builder;
    s.window.pm.AttachDialog(builder.Create(kSkin, nullptr, nullptr, &s.window.pm));
    s.list = static_cast<CListUI *>(s.window.pm.FindControl(L"list"));
}

void Paint(Setup &s) {
    ::InvalidateRect(s.window.GetHWND(), nullptr, FALSE);
    ::UpdateWindow(s.window.GetHWND());
}

// Mean ms per frame of kFrames repaints; with scroll, each frame first scrolls to another
// whole-row position, so that layout runs every frame too.
double FrameTime(Setup &s, bool scroll, int round) {
    const SIZE range = s.list->GetScrollRange();
    const auto start = Clock::now();
    for (int f = 0; f < kFrames; ++f) {
        if (scroll && range.cy > 0)
            s.list->SetScrollPos({0, static_cast<LONG>(((round * kFrames + f) * 7919LL * 30) % range.cy)});
        Paint(s);
    }
    return Ms(Clock::now() - start) / kFrames;
}

struct Figures {
    double paint10 = 1e300, paint10k = 1e300, scroll10k = 1e300;  // best round, ms per frame
    double paintRatio = 0, scrollRatio = 0;                       // median of the rounds' own ratios to paint10
    double appendUs = 0;
};

// The lists of 10 and of 10,000 rows, open side by side; each round measures the three
// kinds of frame in turn, so that the ratios compare figures taken under one load of the
// shared machine.
Figures Measure() {
    Setup small, large;
    Open(small, 0);
    Open(large, kHeaderHeight + 10 * 30 + 20);
    for (int i = 0; i < 10; ++i) small.list->Add(TextRow(i));
    Figures f;
    const int rows = 10000;
    const auto start = Clock::now();
    for (int i = 0; i < rows; ++i) large.list->Add(TextRow(i));
    f.appendUs = Ms(Clock::now() - start) * 1000.0 / rows;
    Paint(small);
    Paint(large);
    std::vector<double> paintRatios, scrollRatios;
    for (int round = 0; round < kRounds; ++round) {
        const double paint10 = FrameTime(small, false, round);
        const double paint10k = FrameTime(large, false, round);
        const double scroll10k = FrameTime(large, true, round);
        f.paint10 = std::min(f.paint10, paint10);
        f.paint10k = std::min(f.paint10k, paint10k);
        f.scroll10k = std::min(f.scroll10k, scroll10k);
        paintRatios.push_back(paint10k / paint10);
        scrollRatios.push_back(scroll10k / paint10);
    }
    f.paintRatio = Median(paintRatios);
    f.scrollRatio = Median(scrollRatios);
    ::DestroyWindow(small.window.GetHWND());
    ::DestroyWindow(large.window.GetHWND());
    return f;
}

template <class Make>
double BytesPerRow(Make make) {
    Setup s;
    Open(s);
    Paint(s);
    const int rows = 10000;
    const long long before = gHeapBytes.load();
    for (int i = 0; i < rows; ++i) s.list->Add(make(i));
    Paint(s);
    const long long after = gHeapBytes.load();
    ::DestroyWindow(s.window.GetHWND());
    return static_cast<double>(after - before) / rows;
}

}  // namespace

// Heap accounting: each block carries its size in front of it.
void *operator new(size_t size) {
    void *p = std::malloc(size + 8);
    if (p == nullptr) throw std::bad_alloc();
    *static_cast<size_t *>(p) = size;
    gHeapBytes += static_cast<long long>(size);
    return static_cast<char *>(p) + 8;
}
void operator delete(void *p) noexcept {
    if (p == nullptr) return;
    void *block = static_cast<char *>(p) - 8;
    gHeapBytes -= static_cast<long long>(*static_cast<size_t *>(block));
    std::free(block);
}
void operator delete(void *p, size_t) noexcept { operator delete(p); }

int main() {
    CPaintManagerUI::SetInstance(::GetModuleHandleW(nullptr));
    Measure();  // warm-up: fonts, GDI+ and the window class are set up on first use
    const Figures f = Measure();
    std::printf("list of 900 x 330 px showing ten 30 px rows of 5 columns; %d rounds of %d frames of each kind,\n"
                "taken in turn; ms: the best round; ratios: the median of the rounds' own\n",
                kRounds, kFrames);
    std::printf("repaint, 10 rows:               %.3f ms per frame\n", f.paint10);
    std::printf("repaint, 10,000 rows:           %.3f ms per frame\n", f.paint10k);
    std::printf("ratio 10,000 / 10:              %.2f (target <= 1.5)\n", f.paintRatio);
    std::printf("scroll + layout + repaint, 10,000 rows: %.3f ms per frame (%.2f x the 10-row repaint)\n", f.scroll10k,
                f.scrollRatio);
    std::printf("append a row:                   %.2f us (10,000 rows, no layout in between)\n", f.appendUs);
    std::printf("memory per text row:             %.0f bytes (5 columns)\n", BytesPerRow(TextRow));
    std::printf("memory per call row:             %.0f bytes (container, layouts, 5 buttons)\n", BytesPerRow(CallRow));
    return 0;
}
