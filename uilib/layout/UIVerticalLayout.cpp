#include "uilib/layout/UIVerticalLayout.h"

#include "uilib/layout/UILayoutShares.h"

LPCTSTR CVerticalLayoutUI::GetClass() const { return L"VerticalLayout"; }

LPVOID CVerticalLayoutUI::GetInterface(LPCTSTR pstrName) {
    if (pstrName != nullptr && wcscmp(pstrName, L"VerticalLayout") == 0) return static_cast<CVerticalLayoutUI *>(this);
    return CContainerUI::GetInterface(pstrName);
}

void CVerticalLayoutUI::SetPos(RECT rc, bool bNeedInvalidate) {
    CControlUI::SetPos(rc, bNeedInvalidate);
    const RECT content = GetContentRect();
    const uilib::LineFrame frame{uilib::LayoutAxis::Vertical, content, GetScrollPos(), GetChildPadding(),
                                 bNeedInvalidate};
    const SIZE needed = uilib::LayOutLine(m_items, frame, [this](int i) { SetFloatPos(i); });
    ProcessScrollBar(content, needed.cx, needed.cy);
}
