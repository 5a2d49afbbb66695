#include "uilib/layout/UITabLayout.h"

#include "uilib/core/UIAttr.h"
#include "uilib/core/UIText.h"
#include "uilib/core/UIManager.h"

LPCTSTR CTabLayoutUI::GetClass() const { return L"TabLayout"; }

LPVOID CTabLayoutUI::GetInterface(LPCTSTR pstrName) {
    if (pstrName != nullptr && wcscmp(pstrName, L"TabLayout") == 0) return static_cast<CTabLayoutUI *>(this);
    return CContainerUI::GetInterface(pstrName);
}

bool CTabLayoutUI::Add(CControlUI *pControl) { return AddAt(pControl, GetCount()); }

bool CTabLayoutUI::AddAt(CControlUI *pControl, int iIndex) {
    if (!CContainerUI::AddAt(pControl, iIndex)) return false;
    if (m_iCurSel < 0) {
        m_iCurSel = iIndex;
        pControl->SetVisible(true);
    } else {
        if (iIndex <= m_iCurSel) ++m_iCurSel;
        pControl->SetVisible(false);
        if (iIndex == m_iSelectWanted) SelectItem(iIndex, false);
    }
    return true;
}

bool CTabLayoutUI::Remove(CControlUI *pControl) {
    const int index = GetItemIndex(pControl);
    return index >= 0 && RemoveAt(index);
}

bool CTabLayoutUI::RemoveAt(int index) {
    if (!CContainerUI::RemoveAt(index)) return false;
    if (GetCount() == 0) {
        m_iCurSel = -1;
    } else if (index == m_iCurSel) {
        m_iCurSel = -1;
        SelectItem(index < GetCount() ? index : GetCount() - 1, false);
    } else if (index < m_iCurSel) {
        --m_iCurSel;
    }
    return true;
}

void CTabLayoutUI::RemoveAll() {
    m_iCurSel = -1;
    CContainerUI::RemoveAll();
}

int CTabLayoutUI::GetCurSel() const { return m_iCurSel; }

bool CTabLayoutUI::SelectItem(int iIndex, bool bTriggerEvent) {
    if (iIndex < 0 || iIndex >= GetCount()) return false;
    if (iIndex == m_iCurSel) return true;
    int old = m_iCurSel;
    m_iCurSel = iIndex;
    for (int i = 0; i < GetCount(); ++i) GetItemAt(i)->SetVisible(i == iIndex);
    NeedUpdate();
    if (bTriggerEvent && m_pManager != nullptr)
        m_pManager->SendNotify(this, DUI_MSGTYPE_TABSELECT, static_cast<WPARAM>(iIndex), static_cast<LPARAM>(old));
    return true;
}

bool CTabLayoutUI::SelectItem(CControlUI *pControl, bool bTriggerEvent) {
    int index = GetItemIndex(pControl);
    return index >= 0 && SelectItem(index, bTriggerEvent);
}

void CTabLayoutUI::SetPos(RECT rc, bool bNeedInvalidate) {
    CControlUI::SetPos(rc, bNeedInvalidate);
    RECT content = GetContentRect();
    for (int i = 0; i < GetCount(); ++i) {
        CControlUI *item = GetItemAt(i);
        if (!item->IsVisible()) continue;
        if (item->IsFloat()) {
            SetFloatPos(i);
            continue;
        }
        RECT pad = item->GetPadding();
        RECT r = {content.left + pad.left, content.top + pad.top, content.right - pad.right,
                  content.bottom - pad.bottom};
        item->SetPos(r, bNeedInvalidate);
    }
}

void CTabLayoutUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
    int n = 0;
    if (uilib::SameName(pstrName, L"selectedid")) {
        if (uilib::ParseInt(pstrValue, n)) {
            // Items may come later (the skin lists children after the attributes).
            m_iSelectWanted = n;
            SelectItem(n, false);
        }
        return;
    }
    CContainerUI::SetAttribute(pstrName, pstrValue);
}

bool CTabLayoutUI::GetInspectValue(int &value) const {
    value = m_iCurSel;
    return true;
}
