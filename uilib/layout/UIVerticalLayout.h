// Stacks its items top to bottom: fixed heights first, the rest shared by the items
// without a fixed height; floating items are placed by their "pos".
#pragma once

#include "uilib/core/UIContainer.h"

class CVerticalLayoutUI : public CContainerUI {
public:
    LPCTSTR GetClass() const override;  // "VerticalLayout"
    LPVOID GetInterface(LPCTSTR pstrName) override;
    void SetPos(RECT rc, bool bNeedInvalidate = true) override;
};
