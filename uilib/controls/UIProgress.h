// CProgressUI: a value in [min, max] drawn as a filled bar ("foreimage"/"forecolor").
// CSliderUI: a progress the user drags or clicks; it sends "valuechanged" only when the
// user moves it, never for SetValue.
#pragma once

#include "uilib/controls/UILabel.h"

class CProgressUI : public CLabelUI {
public:
    LPCTSTR GetClass() const override;  // "Progress"
    LPVOID GetInterface(LPCTSTR pstrName) override;

    bool IsHorizontal() const;
    void SetHorizontal(bool bHorizontal = true);
    int GetMinValue() const;
    void SetMinValue(int nMin);
    int GetMaxValue() const;
    void SetMaxValue(int nMax);
    int GetValue() const;
    virtual void SetValue(int nValue);  // clamped; never notifies
    void SetForeImage(LPCTSTR pStrImage);
    void SetForeColor(DWORD dwColor);

    // "hor", "min", "max", "value", "foreimage", "forecolor" and the label's.
    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;
    void PaintStatusImage(HDC hDC) override;
    bool GetInspectValue(int &value) const override;

protected:
    bool m_bHorizontal = true;
    int m_nMin = 0;
    int m_nMax = 100;
    int m_nValue = 0;
    CDuiString m_sForeImage;
    DWORD m_dwForeColor = 0;
};

class CSliderUI : public CProgressUI {
public:
    CSliderUI();
    LPCTSTR GetClass() const override;  // "Slider"
    LPVOID GetInterface(LPCTSTR pstrName) override;
    UINT GetControlFlags() const override;

    void SetEnabled(bool bEnable = true) override;
    int GetChangeStep() const;
    void SetChangeStep(int step);
    void SetThumbSize(SIZE szXY);
    RECT GetThumbRect() const;
    void SetThumbImage(LPCTSTR pStrImage);
    void SetThumbColor(DWORD dwColor);

    void DoEvent(TEventUI &event) override;
    // "step", "thumbsize", "thumbimage", "thumbhotimage", "thumbpushedimage",
    // "thumbcolor" and the progress's.
    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;
    void PaintStatusImage(HDC hDC) override;

protected:
    SIZE m_szThumb = {14, 14};
    UINT m_uSliderState = 0;
    int m_nStep = 1;
    CDuiString m_sThumbImage, m_sThumbHotImage, m_sThumbPushedImage;
    DWORD m_dwThumbColor = 0;
};
