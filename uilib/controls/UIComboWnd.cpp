// CComboWnd and its list: the combo's drop-down window.
#include "uilib/core/UIText.h"
#include "uilib/controls/UIComboWnd.h"

#include <algorithm>

#include "uilib/controls/UIListInfo.h"
#include "uilib/controls/UIPalette.h"
#include "uilib/controls/UIPopup.h"
#include "uilib/controls/UIScrollBar.h"
#include "uilib/layout/UIVerticalLayout.h"

namespace {

const int kDefaultItemHeight = 30;
const DWORD kPopupBkColor = 0xFFFFFFFF;
const DWORD kPopupBorderColor = uilib::kPaletteBorder;

}  // namespace

// The popup's root: a scrolling column of rows that owns their selection.
class CComboListUI : public CVerticalLayoutUI, public IListOwnerUI {
public:
    explicit CComboListUI(CComboWnd *pWnd) : m_pWnd(pWnd) {}

    LPVOID GetInterface(LPCTSTR pstrName) override {
        if (uilib::SameName(pstrName, L"IListOwner")) return static_cast<IListOwnerUI *>(this);
        return CVerticalLayoutUI::GetInterface(pstrName);
    }
    TListInfoUI *GetListInfo() override {
        return m_pWnd->GetOwner() != nullptr ? m_pWnd->GetOwner()->GetListInfo() : &m_info;
    }
    int GetCurSel() const override { return m_iCurSel; }

    // Moves the highlight and selects the same entry in the combo.
    bool SelectItem(int iIndex, bool /*bTakeFocus*/) override {
        if (iIndex < 0 || iIndex >= GetCount()) return false;
        if (iIndex != m_iCurSel) {
            const int old = m_iCurSel;
            m_iCurSel = iIndex;
            MoveRowSelection(*this, old, iIndex);
            EnsureVisible(iIndex);
        }
        if (m_pWnd->GetOwner() != nullptr && m_pWnd->GetOwner()->GetCurSel() != iIndex)
            m_pWnd->GetOwner()->SelectItem(iIndex, false);
        return true;
    }

    // Shows the highlight without selecting (the combo's own selection changed).
    void Highlight(int iIndex) {
        if (iIndex == m_iCurSel) return;
        const int old = m_iCurSel;
        m_iCurSel = iIndex;
        MoveRowSelection(*this, old, iIndex);
        EnsureVisible(iIndex);
    }

    void EnsureVisible(int iIndex) {
        CControlUI *row = GetItemAt(iIndex);
        if (row == nullptr) return;
        const RECT content = GetContentRect();
        const RECT r = row->GetPos();
        SIZE pos = GetScrollPos();
        if (r.top < content.top)
            pos.cy -= content.top - r.top;
        else if (r.bottom > content.bottom)
            pos.cy += r.bottom - content.bottom;
        else
            return;
        SetScrollPos(pos);
    }

    // Rows hand their wheel here.
    void DoEvent(TEventUI &event) override { CVerticalLayoutUI::DoEvent(event); }

private:
    CComboWnd *m_pWnd;
    int m_iCurSel = -1;
    TListInfoUI m_info;
};

const wchar_t *const CComboWnd::kClassName = L"UIComboDrop";

CComboWnd::CComboWnd(CComboUI *pOwner) : m_pOwner(pOwner) {}

LPCTSTR CComboWnd::GetWindowClassName() const { return kClassName; }
UINT CComboWnd::GetClassStyle() const { return CS_DROPSHADOW; }

void CComboWnd::Open() {
    m_iOpenedWith = m_pOwner->GetCurSel();
    // In the owner's window pixels: the rows plus the one-pixel border above and below, each
    // scaled on its own as the list's inset is (1.5 px rounds to 2).
    const CPaintManagerUI *owner = m_pOwner->GetManager();
    auto scale = [owner](int v) { return owner != nullptr ? owner->Scale(v) : v; };
    int height = 2 * scale(1);
    for (int i = 0; i < m_pOwner->GetCount(); ++i) {
        const int h = m_pOwner->GetItemAt(i)->GetSkinFixedSize().cy;
        height += scale(h > 0 ? h : kDefaultItemHeight);
    }
    const SIZE box = m_pOwner->GetDropBoxSize();
    if (box.cy > 0) height = std::min(height, static_cast<int>(box.cy));
    const int width = box.cx > 0 ? box.cx : m_pOwner->GetWidth();
    uilib::ShowPopupBelow(*this, m_pOwner, width, std::max(height, scale(kDefaultItemHeight)));
}

void CComboWnd::Build() {
    m_pList = new CComboListUI(this);
    m_pList->SetBkColor(kPopupBkColor);
    m_pList->SetBorderColor(kPopupBorderColor);
    m_pList->SetBorderSize(1);
    m_pList->SetInset({1, 1, 1, 1});
    m_pList->EnableScrollBar(true, false);
    for (int i = 0; i < m_pOwner->GetCount(); ++i) {
        CControlUI *item = m_pOwner->GetItemAt(i);
        auto *row = new CListLabelElementUI;
        row->SetText(item->GetText().c_str());
        const int h = item->GetSkinFixedSize().cy;
        row->SetFixedHeight(h > 0 ? h : kDefaultItemHeight);
        row->SetEnabled(item->IsEnabled());
        m_pList->Add(row);
        row->SetOwner(m_pList);
        row->SetIndex(i);
    }
    uilib::CopyPopupFonts(m_pOwner->GetManager(), &m_pm, m_pOwner->GetListInfo()->nFont);
    m_pm.AttachDialog(m_pList);
    m_pm.AddNotifier(this);
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    m_pList->SetPos(client);
    m_pList->Highlight(m_pOwner->GetCurSel());
    m_pm.SetFocus(m_pList);
}

void CComboWnd::Detach() {
    m_pOwner = nullptr;
    DestroyWhenIdle();
}

void CComboWnd::SyncSelection() {
    if (m_pList != nullptr && m_pOwner != nullptr) m_pList->Highlight(m_pOwner->GetCurSel());
}

void CComboWnd::Dismiss(bool restore) {
    if (m_bClosing) return;
    m_bClosing = true;
    if (restore && m_pOwner != nullptr) m_pOwner->SelectItem(m_iOpenedWith, false);
    // Posted: this may run inside a notification sent by one of the popup's rows.
    ::PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
}

void CComboWnd::Notify(TNotifyUI &msg) {
    if (msg.sType == DUI_MSGTYPE_ITEMCLICK) Dismiss(false);
}

void CComboWnd::OnKeyDown(WPARAM vk) {
    if (m_bClosing || m_pList == nullptr) return;
    switch (vk) {
    case VK_ESCAPE: Dismiss(true); return;
    case VK_RETURN:
    case VK_SPACE:
    case VK_TAB:
    case VK_F4: Dismiss(false); return;
    case VK_UP:
    case VK_LEFT:
    case VK_DOWN:
    case VK_RIGHT:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT: break;
    default: return;
    }
    const int count = m_pList->GetCount();
    if (count == 0) return;
    m_typeAhead.Reset();
    const int page = std::max(1, m_pList->GetHeight() / std::max(1, m_pm.Scale(kDefaultItemHeight)));
    int cur = m_pList->GetCurSel();
    switch (vk) {
    case VK_UP:
    case VK_LEFT: cur = cur < 0 ? 0 : cur - 1; break;
    case VK_DOWN:
    case VK_RIGHT: cur = cur + 1; break;
    case VK_HOME: cur = 0; break;
    case VK_END: cur = count - 1; break;
    case VK_PRIOR: cur -= page; break;
    default: cur += page; break;
    }
    m_pList->SelectItem(std::max(0, std::min(cur, count - 1)), false);
}

void CComboWnd::OnChar(wchar_t ch) {
    if (m_bClosing || m_pList == nullptr) return;
    std::vector<CDuiString> texts;
    for (int i = 0; i < m_pList->GetCount(); ++i) {
        CControlUI *row = m_pList->GetItemAt(i);
        texts.push_back(row->IsEnabled() ? row->GetText() : CDuiString());
    }
    const int match = m_typeAhead.Type(ch, static_cast<DWORD>(::GetMessageTime()), m_pList->GetCurSel(), texts);
    if (match >= 0) m_pList->SelectItem(match, false);
}

LRESULT CComboWnd::HandlePopupMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    switch (uMsg) {
    case WM_CREATE:
        m_pm.Init(m_hWnd);
        if (m_pOwner != nullptr) Build();
        return 0;
    case WM_KILLFOCUS:
        if (m_hWnd != reinterpret_cast<HWND>(wParam)) Dismiss(false);
        break;
    // Keys are handled or dropped here, whichever control has the popup's focus.
    case WM_KEYDOWN: OnKeyDown(wParam); return 0;
    case WM_CHAR: OnChar(static_cast<wchar_t>(wParam)); return 0;
    case WM_KEYUP: return 0;
    case WM_SYSKEYDOWN:
        if (wParam != VK_UP && wParam != VK_DOWN) break;
        Dismiss(false);  // Alt+Up/Down closes, as it opened
        return 0;
    case WM_CLOSE:
        if (uilib::RaiseOwnerWindow(m_pOwner)) m_pOwner->SetFocus();
        DestroyWhenIdle();
        return 0;
    default: break;
    }
    LRESULT lRes = 0;
    if (m_pm.MessageHandler(uMsg, wParam, lParam, lRes)) return lRes;
    return CWindowWnd::HandleMessage(uMsg, wParam, lParam);
}

void CComboWnd::OnPopupGone() {
    if (m_pOwner == nullptr) return;
    m_pOwner->m_pWindow = nullptr;
    m_pOwner->m_uButtonState = 0;
    m_pOwner->Invalidate();
}
