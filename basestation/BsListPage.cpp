#include "basestation/BsListPage.h"

#include "basestation/BsConfigDialog.h"
#include "basestation/BsControlText.h"
#include "basestation/BsRow.h"

namespace {

const wchar_t kDialogTitle[] = L"基站配置";
const DWORD kDialogStyle = 0x80000080;  // WS_POPUP and a bit these classes ignore
const DWORD kListThumbColor = 0xff4877e7;

void StyleScrollBar(CScrollBarUI *bar, LPCTSTR thicknessAttribute) {
    if (!bar) return;
    bar->SetAttribute(thicknessAttribute, L"10");
    bar->SetThumbColor(kListThumbColor);
    bar->SetVisible(true);
}

}  // namespace

PAGE_HANDLER_MESSAGE_MAP(CMenu0_0)

void CMenu0_0::SetPaintManager(CPaintManagerUI *pm) { m_pPaintManager = pm; }

void CMenu0_0::InitControls() {
    if (m_pPaintManager) {
        m_pRefreshBtn = m_pPaintManager->FindControl(L"ListRefreshBtn");
        if (CControlUI *list = m_pPaintManager->FindControl(L"BsList"))
            m_pBsList = static_cast<CListUI *>(list->GetInterface(L"List"));
    }
    if (m_pBsList) {
        m_pBsList->RemoveAll();
        StyleScrollBar(m_pBsList->GetVerticalScrollBar(), L"width");
        StyleScrollBar(m_pBsList->GetHorizontalScrollBar(), L"height");
    }

    g_pBsCfgFrameWnd = CBsCfgFrameWnd::CreateInstance();
    g_pBsCfgFrameWnd->Create(nullptr, kDialogTitle, kDialogStyle, 0, 0, 0, 0, 0, nullptr);
    g_pBsCfgFrameWnd->CenterWindow();
    ::ShowWindow(g_pBsCfgFrameWnd->GetHWND(), SW_HIDE);
}

// A click on the page, "ListRefreshBtn" included, changes nothing.
void CMenu0_0::OnClick(TNotifyUI &) {}

void CMenu0_0::OnSelectChanged(TNotifyUI &) {}
void CMenu0_0::OnItemClick(TNotifyUI &) {}
void CMenu0_0::OnItemSelect(TNotifyUI &) {}

void CMenu0_0::OnDoubleClick(TNotifyUI &) {
    if (!m_pBsList || !g_pBsCfgFrameWnd) return;
    const int selected = m_pBsList->GetCurSel();
    if (selected < 0) return;
    CControlUI *item = m_pBsList->GetItemAt(selected);
    CListTextElementUI *row =
        item ? static_cast<CListTextElementUI *>(item->GetInterface(L"ListTextElement")) : nullptr;
    if (!row) return;

    // Rows change only on this thread, so the copy needs no list lock.
    bs::BsRowTexts texts;
    for (int column = 0; column < bs::kRowColumns; ++column) {
        char text[bs::kTextBufferBytes];
        bs::WideToOem(row->GetText(column), text, sizeof text);
        texts[column] = text;
    }
    g_pBsCfgFrameWnd->LoadRow(texts);
    g_pBsCfgFrameWnd->FillControls();
    ::ShowWindow(g_pBsCfgFrameWnd->GetHWND(), SW_SHOW);
}
