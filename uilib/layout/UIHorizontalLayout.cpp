#include "uilib/layout/UIHorizontalLayout.h"

#include <algorithm>

#include "uilib/layout/UILayoutShares.h"

LPCTSTR CHorizontalLayoutUI::GetClass() const { return L"HorizontalLayout"; }

LPVOID CHorizontalLayoutUI::GetInterface(LPCTSTR pstrName)
{
    if (pstrName != nullptr && wcscmp(pstrName, L"HorizontalLayout") == 0)
        return static_cast<CHorizontalLayoutUI *>(this);
    return CContainerUI::GetInterface(pstrName);
}

void CHorizontalLayoutUI::SetPos(RECT rc, bool bNeedInvalidate)
{
    CControlUI::SetPos(rc, bNeedInvalidate);
    const RECT content = GetContentRect();
    const SIZE scroll = GetScrollPos();
    const int availW = content.right - content.left;
    const int availH = content.bottom - content.top;

    std::vector<CControlUI *> flow;
    std::vector<SIZE> estimates;
    std::vector<uilib::AxisItem> axis;
    int margins = 0;
    for (size_t i = 0; i < m_items.size(); ++i) {
        CControlUI *item = m_items[i];
        if (!item->IsVisible()) continue;
        if (item->IsFloat()) {
            SetFloatPos(static_cast<int>(i));
            continue;
        }
        SIZE est = item->EstimateSize({availW, availH});
        RECT pad = item->GetPadding();
        uilib::AxisItem a;
        a.fixed = est.cx;
        a.minLen = item->GetMinWidth();
        a.maxLen = item->GetMaxWidth();
        axis.push_back(a);
        estimates.push_back(est);
        flow.push_back(item);
        margins += pad.left + pad.right;
    }
    if (!flow.empty()) margins += m_iChildPadding * static_cast<int>(flow.size() - 1);
    uilib::ShareAxis(axis, availW - margins);

    int x = content.left - scroll.cx;
    int cxNeeded = margins;
    int cyNeeded = 0;
    for (size_t i = 0; i < flow.size(); ++i) {
        CControlUI *item = flow[i];
        RECT pad = item->GetPadding();
        int h = estimates[i].cy > 0 ? estimates[i].cy : availH - pad.top - pad.bottom;
        h = std::max(h, item->GetMinHeight());
        h = std::min(h, item->GetMaxHeight());
        h = std::max(h, 0);
        int w = axis[i].length;
        x += pad.left;
        int y = content.top + pad.top - scroll.cy;
        item->SetPos({x, y, x + w, y + h}, bNeedInvalidate);
        x += w + pad.right + m_iChildPadding;
        cxNeeded += w;
        cyNeeded = std::max(cyNeeded, static_cast<int>(h + pad.top + pad.bottom));
    }
    ProcessScrollBar(content, cxNeeded, cyNeeded);
}
