#include "calls/CallRecordPage.h"

#include "calls/CallPageRead.h"
#include "calls/CallRow.h"
#include "calls/PlayWindow.h"

namespace {
const DWORD kScrollThumbColor = 0xFF3039B4;
const DWORD kPlayWindowStyle = 0x80000080;  // WS_POPUP and the low bit 0x80
}  // namespace

PAGE_HANDLER_MESSAGE_MAP(CMenu1_1)

CMenu1_1::CMenu1_1() = default;

void CMenu1_1::SetPaintManager(CPaintManagerUI *pm) { m_pPaintManager = pm; }

void CMenu1_1::InitControls() {
    // One playback window for the process, however many pages are set up.
    if (g_pPlayWnd == nullptr) {
        g_pPlayWnd = new CPlayWnd;
        g_pPlayWnd->Create(nullptr, kPlayWindowTitle, kPlayWindowStyle, 0, 0, 0, 0, 0, nullptr);
        g_pPlayWnd->CenterWindow();
        ::ShowWindow(g_pPlayWnd->GetHWND(), SW_HIDE);
    }

    m_pCallList = static_cast<CListUI *>(m_pPaintManager->FindControl(L"CallList"));
    m_pCallList->RemoveAll();

    CScrollBarUI *vertical = m_pCallList->GetVerticalScrollBar();
    vertical->SetAttribute(L"width", L"10");
    vertical->SetThumbColor(kScrollThumbColor);
    vertical->SetVisible(true);
    CScrollBarUI *horizontal = m_pCallList->GetHorizontalScrollBar();
    horizontal->SetAttribute(L"height", L"10");
    horizontal->SetThumbColor(kScrollThumbColor);
    horizontal->SetVisible(true);

    m_pFindBtn = m_pPaintManager->FindControl(L"FindVoiceFileBtn");
    m_pPrevBtn = m_pPaintManager->FindControl(L"PrevCallListBtn");
    m_pNextBtn = m_pPaintManager->FindControl(L"NextCallListBtn");
    m_pStartDate = static_cast<CDateTimeUI *>(m_pPaintManager->FindControl(L"StartDate"));
    m_pEndDate = static_cast<CDateTimeUI *>(m_pPaintManager->FindControl(L"EndDate"));

    m_pPrevBtn->SetEnabled(false);
    m_pNextBtn->SetEnabled(false);
}

void CMenu1_1::OnClick(TNotifyUI &msg) {
    if (msg.sType != DUI_MSGTYPE_CLICK || msg.pSender == nullptr) return;
    if (msg.pSender == m_pFindBtn) {
        RunPagingStep(PagingBranch::Find);
    } else if (msg.pSender == m_pNextBtn) {
        RunPagingStep(PagingBranch::Next);
    } else if (msg.pSender == m_pPrevBtn) {
        RunPagingStep(PagingBranch::Prev);
    } else {
        RunRowAction(msg.pSender);
    }
}

void CMenu1_1::OnSelectChanged(TNotifyUI &) {}
void CMenu1_1::OnItemClick(TNotifyUI &) {}
void CMenu1_1::OnItemSelect(TNotifyUI &) {}
void CMenu1_1::OnDoubleClick(TNotifyUI &) {}

void CMenu1_1::RunPagingStep(PagingBranch branch) {
    if (!PagingStepAllowed(branch, g_callPageIndex)) {
        // No page before the first: the button should not have been on.
        m_pPrevBtn->SetEnabled(false);
        return;
    }
    ClearList();
    BuildRangeTexts();
    ApplyButtons(::RunPagingStep(branch, g_callPageIndex,
                                 [this](int offset, int count) { return FillCallPage(offset, count); }));
}

CallPageFill CMenu1_1::FillCallPage(int offset, int count) {
    return ReadCallPage(m_startText, m_endText, offset, count, [this](int row, const char *name, const char *idText) {
        AddCallRow(m_pCallList, row, name, idText);
    });
}

void CMenu1_1::ClearList() { static_cast<IContainerUI *>(m_pCallList)->RemoveAll(); }

void CMenu1_1::BuildRangeTexts() {
    FormatCallRangeStart(m_pStartDate->GetTime(), m_startText);
    FormatCallRangeEnd(m_pEndDate->GetTime(), m_endText);
}

void CMenu1_1::ApplyButtons(const PagingButtons &buttons) {
    if (buttons.next) m_pNextBtn->SetEnabled(*buttons.next);
    if (buttons.prev) m_pPrevBtn->SetEnabled(*buttons.prev);
}
