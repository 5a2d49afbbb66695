// CComboWnd: the drop-down of a CComboUI. A top-most tool popup under the combo with a
// paint manager of its own, listing copies of the combo's item texts. Moving the highlight
// (arrow keys, type-ahead, wheel) selects in the combo at once; a click, Enter or F4 picks
// and closes; Escape restores the selection it opened with; losing the focus closes.
// Keys are the window's alone: any other key is dropped. Deletes itself when its window
// is destroyed, never while it is handling a message (CPopupWnd).
#pragma once

#include "uilib/controls/UICombo.h"
#include "uilib/controls/UIPopup.h"
#include "uilib/controls/UITypeAhead.h"
#include "uilib/core/UIManager.h"

class CComboListUI;

class CComboWnd : public CPopupWnd, public INotifyUI {
public:
    static const wchar_t *const kClassName;  // "UIComboDrop"

    explicit CComboWnd(CComboUI *pOwner);
    void Open();           // creates and shows the popup
    void Detach();         // the combo is going: close without it
    void SyncSelection();  // the combo's selection changed
    CComboUI *GetOwner() const { return m_pOwner; }

    LPCTSTR GetWindowClassName() const override;
    UINT GetClassStyle() const override;
    void Notify(TNotifyUI &msg) override;

protected:
    LRESULT HandlePopupMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
    void OnPopupGone() override;

private:
    void Build();
    void Dismiss(bool restore);  // closes (later: never inside a dispatch)
    void OnKeyDown(WPARAM vk);
    void OnChar(wchar_t ch);

    CComboUI *m_pOwner;  // not owned; null once the combo is gone
    CPaintManagerUI m_pm;
    CComboListUI *m_pList = nullptr;  // owned by m_pm's tree
    int m_iOpenedWith = -1;
    bool m_bClosing = false;
    uilib::TypeAhead m_typeAhead;
};
