#include "uilib/layout/UIHorizontalLayout.h"

#include "uilib/layout/UILayoutShares.h"

LPCTSTR CHorizontalLayoutUI::GetClass() const { return L"HorizontalLayout"; }

LPVOID CHorizontalLayoutUI::GetInterface(LPCTSTR pstrName) {
    if (pstrName != nullptr && wcscmp(pstrName, L"HorizontalLayout") == 0)
        return static_cast<CHorizontalLayoutUI *>(this);
    return CContainerUI::GetInterface(pstrName);
}

void CHorizontalLayoutUI::SetPos(RECT rc, bool bNeedInvalidate) {
    CControlUI::SetPos(rc, bNeedInvalidate);
    const RECT content = GetContentRect();
    const uilib::LineFrame frame{uilib::LayoutAxis::Horizontal, content, GetScrollPos(), GetChildPadding(),
                                 bNeedInvalidate};
    const SIZE needed = uilib::LayOutLine(m_items, frame, [this](int i) { SetFloatPos(i); });
    ProcessScrollBar(content, needed.cx, needed.cy);
}
