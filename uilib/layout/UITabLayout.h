// Shows one of its items at a time ("selectedid" in a skin).
#pragma once

#include "uilib/core/UIContainer.h"

class CTabLayoutUI : public CContainerUI {
public:
    LPCTSTR GetClass() const override;  // "TabLayout"
    LPVOID GetInterface(LPCTSTR pstrName) override;

    bool Add(CControlUI *pControl) override;
    bool AddAt(CControlUI *pControl, int iIndex) override;
    bool Remove(CControlUI *pControl) override;
    bool RemoveAt(int iIndex) override;  // the page after it (or the last) is shown when it was
    void RemoveAll() override;
    int GetCurSel() const;
    // Shows item iIndex; with bTriggerEvent sends "tabselect". False for a bad index.
    virtual bool SelectItem(int iIndex, bool bTriggerEvent = true);
    bool SelectItem(CControlUI *pControl, bool bTriggerEvent = true);

    void SetPos(RECT rc, bool bNeedInvalidate = true) override;
    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;
    bool GetInspectValue(int &value) const override;

protected:
    int m_iCurSel = -1;
private:
    int m_iSelectWanted = -1;  // "selectedid" given before its item was added
};
