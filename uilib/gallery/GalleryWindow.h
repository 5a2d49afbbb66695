// The gallery window: a skinned frameless window showing every control kind of the UI
// library in use (skin/gallery/gallery.xml). It fills its two lists in code and reports
// the last thing the user did in "StatusLabel".
#pragma once

#include "uilib/UIlib.h"

class CGalleryWnd : public WindowImplBase {
public:
    static constexpr int kStationRows = 200;
    static constexpr int kCallRows = 24;

    LPCTSTR GetWindowClassName() const override;  // "UIGalleryFrame"
    CDuiString GetSkinFolder() override;          // "gallery\"
    CDuiString GetSkinFile() override;            // "gallery.xml"
    void InitWindow() override;
    LRESULT OnDestroy(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL &bHandled) override;
    void OnFinalMessage(HWND hWnd) override;

    CPaintManagerUI &GetPaintManager() { return m_PaintManager; }
    // Set before Create: quit the message loop when the window goes (the program does).
    void SetQuitOnDestroy(bool quit) { m_bQuitOnDestroy = quit; }

    DUI_DECLARE_MESSAGE_MAP()

protected:
    virtual void OnClick(TNotifyUI &msg) override;
    virtual void OnSelectChanged(TNotifyUI &msg);
    virtual void OnItemSelect(TNotifyUI &msg);
    virtual void OnDoubleClick(TNotifyUI &msg);
    virtual void OnValueChanged(TNotifyUI &msg);
    virtual void OnTextChanged(TNotifyUI &msg);

private:
    void FillStations();
    void FillCalls();
    void AddCallRow(int n);
    void ShowStatus(const CDuiString &text);
    void UpdateCount();

    bool m_bQuitOnDestroy = false;
};
