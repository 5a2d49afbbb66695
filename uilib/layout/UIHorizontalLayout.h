// Places its items left to right: fixed widths first, the rest shared by the items
// without a fixed width; floating items are placed by their "pos".
#pragma once

#include "uilib/core/UIContainer.h"

class CHorizontalLayoutUI : public CContainerUI {
public:
    LPCTSTR GetClass() const override;  // "HorizontalLayout"
    LPVOID GetInterface(LPCTSTR pstrName) override;
    void SetPos(RECT rc, bool bNeedInvalidate = true) override;
};
