#include "uilib/layout/UIVerticalLayout.h"

#include <algorithm>

#include "uilib/layout/UILayoutShares.h"

LPCTSTR CVerticalLayoutUI::GetClass() const { return L"VerticalLayout"; }

LPVOID CVerticalLayoutUI::GetInterface(LPCTSTR pstrName)
{
    if (pstrName != nullptr && wcscmp(pstrName, L"VerticalLayout") == 0) return static_cast<CVerticalLayoutUI *>(this);
    return CContainerUI::GetInterface(pstrName);
}

void CVerticalLayoutUI::SetPos(RECT rc, bool bNeedInvalidate)
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
        a.fixed = est.cy;
        a.minLen = item->GetMinHeight();
        a.maxLen = item->GetMaxHeight();
        axis.push_back(a);
        estimates.push_back(est);
        flow.push_back(item);
        margins += pad.top + pad.bottom;
    }
    if (!flow.empty()) margins += m_iChildPadding * static_cast<int>(flow.size() - 1);
    uilib::ShareAxis(axis, availH - margins);

    int y = content.top - scroll.cy;
    int cyNeeded = margins;
    int cxNeeded = 0;
    for (size_t i = 0; i < flow.size(); ++i) {
        CControlUI *item = flow[i];
        RECT pad = item->GetPadding();
        int w = estimates[i].cx > 0 ? estimates[i].cx : availW - pad.left - pad.right;
        w = std::max(w, item->GetMinWidth());
        w = std::min(w, item->GetMaxWidth());
        w = std::max(w, 0);
        int h = axis[i].length;
        y += pad.top;
        int x = content.left + pad.left - scroll.cx;
        item->SetPos({x, y, x + w, y + h}, bNeedInvalidate);
        y += h + pad.bottom + m_iChildPadding;
        cyNeeded += h;
        cxNeeded = std::max(cxNeeded, static_cast<int>(w + pad.left + pad.right));
    }
    ProcessScrollBar(content, cxNeeded, cyNeeded);
}
