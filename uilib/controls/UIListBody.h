// CListBodyUI: the scrolling body of a CListUI, holding its rows (owned). Only the rows in
// view are laid out, painted and hit-tested: row tops are kept as prefix sums (content
// pixels from the first row), extended lazily, so a frame costs O(log n + rows in view)
// and appending a row costs O(1) until the next layout measures it.
#pragma once

#include <vector>

#include "uilib/layout/UIVerticalLayout.h"

class CListUI;

class CListBodyUI : public CVerticalLayoutUI {
public:
    explicit CListBodyUI(CListUI *pOwner);
    LPCTSTR GetClass() const override;  // "ListBody"
    LPVOID GetInterface(LPCTSTR pstrName) override;

    bool SetItemIndex(CControlUI *pControl, int iIndex) override;
    bool AddAt(CControlUI *pControl, int iIndex) override;
    bool Add(CControlUI *pControl) override;
    bool RemoveAt(int iIndex) override;
    bool Remove(CControlUI *pControl) override;
    void RemoveAll() override;

    // Scrolls so that row iIndex is wholly in view (at the next layout if none ran yet).
    void EnsureVisible(int iIndex);
    // A row's height may have changed (shown, hidden, resized): re-measure from it on.
    void InvalidateRowHeights(int iFromIndex);
    // Rows laid out by the last layout: [first, last]; last < first when none.
    void GetVisibleRange(int &first, int &last) const;
    // Content height of the rows, measuring any not measured yet.
    int GetContentHeight();
    int GetPageRows();         // whole rows that fit in the view
    RECT GetRowsRect() const;  // where rows show: less inset and bars

    void SetScrollPos(SIZE szPos) override;
    void SetPos(RECT rc, bool bNeedInvalidate = true) override;
    void DoPaint(HDC hDC, const RECT &rcPaint) override;
    void DoEvent(TEventUI &event) override;
    CControlUI *FindControl(FINDCONTROLPROC Proc, LPVOID pData, UINT uFlags) override;

protected:
    int RowHeight(CControlUI *pRow, int cxAvailable);
    void MeasureRows(int cxAvailable);  // extends m_aTops to every row
    int RowAtContentY(int y) const;     // index of the row covering content y
    void Reindex(int iFrom);
    void RowsReordered();  // rows came or went: the list's reorder event

    CListUI *m_pOwner;         // the list this body belongs to (not owned)
    std::vector<int> m_aTops;  // m_aTops[i]: content top of row i; [n]: total height
    size_t m_nMeasured = 0;    // rows whose top and height are known
    int m_nMeasuredDpi = 0;    // the scale they were measured at
    int m_iFirstLaid = 0;
    int m_iLastLaid = -1;
    int m_iEnsureVisible = -1;  // pending EnsureVisible before the first layout
    int m_nMeasureWidth = -1;   // width the heights were measured for
};
