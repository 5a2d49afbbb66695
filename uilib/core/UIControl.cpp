#include "uilib/core/UIControl.h"

#include <algorithm>

#include "uilib/access/UIAccDescribe.h"
#include "uilib/core/UIAttr.h"
#include "uilib/core/UIManager.h"
#include "uilib/render/UIRender.h"

CControlUI::CControlUI() = default;

CControlUI::~CControlUI() {
    if (m_pManager != nullptr) m_pManager->ReapObjects(this);
}

CDuiString CControlUI::GetName() const { return m_sName; }

void CControlUI::SetName(LPCTSTR pstrName) {
    CDuiString newName = pstrName != nullptr ? pstrName : L"";
    if (newName == m_sName) return;
    CDuiString oldName = m_sName;
    m_sName = newName;
    if (m_pManager != nullptr) m_pManager->NameChanged(this, oldName.c_str());
}

LPCTSTR CControlUI::GetClass() const { return L"Control"; }

LPVOID CControlUI::GetInterface(LPCTSTR pstrName) {
    if (pstrName != nullptr && wcscmp(pstrName, L"Control") == 0) return this;
    return nullptr;
}

UINT CControlUI::GetControlFlags() const { return 0; }

bool CControlUI::Activate() { return IsVisible() && IsEnabled(); }

CPaintManagerUI *CControlUI::GetManager() const { return m_pManager; }

void CControlUI::SetManager(CPaintManagerUI *pManager, CControlUI *pParent, bool bInit) {
    m_pManager = pManager;
    m_pParent = pParent;
    if (bInit && m_pManager != nullptr) Init();
}

CControlUI *CControlUI::GetParent() const { return m_pParent; }

CDuiString CControlUI::GetText() const { return m_sText; }

void CControlUI::SetText(LPCTSTR pstrText) {
    CDuiString text = pstrText != nullptr ? pstrText : L"";
    if (text == m_sText) return;
    m_sText = text;
    Invalidate();
    if (m_pManager != nullptr) m_pManager->NotifyAccessible(this, uilib::AccTextEvent(this), true);
}

DWORD CControlUI::GetBkColor() const { return m_dwBackColor; }
void CControlUI::SetBkColor(DWORD dwBackColor) {
    if (m_dwBackColor == dwBackColor) return;
    m_dwBackColor = dwBackColor;
    Invalidate();
}
DWORD CControlUI::GetBkColor2() const { return m_dwBackColor2; }
void CControlUI::SetBkColor2(DWORD dwBackColor) {
    if (m_dwBackColor2 == dwBackColor) return;
    m_dwBackColor2 = dwBackColor;
    Invalidate();
}
LPCTSTR CControlUI::GetBkImage() const { return m_sBkImage.c_str(); }
void CControlUI::SetBkImage(LPCTSTR pStrImage) {
    CDuiString image = pStrImage != nullptr ? pStrImage : L"";
    if (image == m_sBkImage) return;
    m_sBkImage = image;
    Invalidate();
}
DWORD CControlUI::GetBorderColor() const { return m_dwBorderColor; }
void CControlUI::SetBorderColor(DWORD dwBorderColor) {
    m_dwBorderColor = dwBorderColor;
    Invalidate();
}
DWORD CControlUI::GetFocusBorderColor() const { return m_dwFocusBorderColor; }
void CControlUI::SetFocusBorderColor(DWORD dwBorderColor) {
    m_dwFocusBorderColor = dwBorderColor;
    Invalidate();
}
int CControlUI::GetBorderSize() const { return m_nBorderSize > 0 ? std::max(1, Scaled(m_nBorderSize)) : 0; }
void CControlUI::SetBorderSize(int nSize) {
    m_nBorderSize = nSize < 0 ? 0 : nSize;
    Invalidate();
}
SIZE CControlUI::GetBorderRound() const { return Scaled(m_cxyBorderRound); }
void CControlUI::SetBorderRound(SIZE cxyRound) {
    m_cxyBorderRound = cxyRound;
    Invalidate();
}

const RECT &CControlUI::GetPos() const { return m_rcItem; }

void CControlUI::SetPos(RECT rc, bool bNeedInvalidate) {
    if (rc.right < rc.left) rc.right = rc.left;
    if (rc.bottom < rc.top) rc.bottom = rc.top;
    if (m_bSetPos) return;
    m_bSetPos = true;
    bool changed = !::EqualRect(&rc, &m_rcItem);
    if (changed && bNeedInvalidate) Invalidate();
    m_rcItem = rc;
    m_bUpdateNeeded = false;
    if (changed && bNeedInvalidate) Invalidate();
    m_bSetPos = false;
}

int CControlUI::GetWidth() const { return m_rcItem.right - m_rcItem.left; }
int CControlUI::GetHeight() const { return m_rcItem.bottom - m_rcItem.top; }
int CControlUI::GetX() const { return m_rcItem.left; }
int CControlUI::GetY() const { return m_rcItem.top; }
RECT CControlUI::GetPadding() const { return Scaled(m_rcPadding); }
void CControlUI::SetPadding(RECT rcPadding) {
    m_rcPadding = rcPadding;
    NeedParentUpdate();
}
SIZE CControlUI::GetFixedXY() const { return Scaled(m_cXY); }
void CControlUI::SetFixedXY(SIZE szXY) {
    m_cXY = szXY;
    NeedParentUpdate();
}
int CControlUI::GetFixedWidth() const { return Scaled(m_cxyFixed.cx); }
void CControlUI::SetFixedWidth(int cx) {
    if (cx < 0) return;
    m_cxyFixed.cx = cx;
    NeedParentUpdate();
}
int CControlUI::GetFixedHeight() const { return Scaled(m_cxyFixed.cy); }
void CControlUI::SetFixedHeight(int cy) {
    if (cy < 0) return;
    m_cxyFixed.cy = cy;
    NeedParentUpdate();
}
int CControlUI::GetMinWidth() const { return Scaled(m_cxyMin.cx); }
void CControlUI::SetMinWidth(int cx) {
    if (cx < 0) return;
    m_cxyMin.cx = cx;
    NeedParentUpdate();
}
int CControlUI::GetMaxWidth() const { return Scaled(m_cxyMax.cx); }
void CControlUI::SetMaxWidth(int cx) {
    if (cx < 0) return;
    m_cxyMax.cx = cx;
    NeedParentUpdate();
}
int CControlUI::GetMinHeight() const { return Scaled(m_cxyMin.cy); }
void CControlUI::SetMinHeight(int cy) {
    if (cy < 0) return;
    m_cxyMin.cy = cy;
    NeedParentUpdate();
}
int CControlUI::GetMaxHeight() const { return Scaled(m_cxyMax.cy); }
void CControlUI::SetMaxHeight(int cy) {
    if (cy < 0) return;
    m_cxyMax.cy = cy;
    NeedParentUpdate();
}

SIZE CControlUI::EstimateSize(SIZE /*szAvailable*/) { return Scaled(m_cxyFixed); }

int CControlUI::Scaled(int value) const { return m_pManager != nullptr ? m_pManager->Scale(value) : value; }
RECT CControlUI::Scaled(const RECT &rc) const { return m_pManager != nullptr ? m_pManager->Scale(rc) : rc; }
SIZE CControlUI::Scaled(const SIZE &sz) const { return m_pManager != nullptr ? m_pManager->Scale(sz) : sz; }

bool CControlUI::IsFloat() const { return m_bFloat; }
void CControlUI::SetFloat(bool bFloat) {
    if (m_bFloat == bFloat) return;
    m_bFloat = bFloat;
    NeedParentUpdate();
}

CDuiString CControlUI::GetToolTip() const { return m_sToolTip; }
void CControlUI::SetToolTip(LPCTSTR pstrText) { m_sToolTip = pstrText != nullptr ? pstrText : L""; }
CDuiString CControlUI::GetUserData() const { return m_sUserData; }
void CControlUI::SetUserData(LPCTSTR pstrText) { m_sUserData = pstrText != nullptr ? pstrText : L""; }
CDuiString CControlUI::GetAccName() const { return m_sAccName; }
void CControlUI::SetAccName(LPCTSTR pstrName) {
    CDuiString name = pstrName != nullptr ? pstrName : L"";
    if (name == m_sAccName) return;
    m_sAccName = name;
    if (m_pManager != nullptr) m_pManager->NotifyAccessible(this, EVENT_OBJECT_NAMECHANGE, true);
}
CDuiString CControlUI::GetAccRole() const { return m_sAccRole; }
void CControlUI::SetAccRole(LPCTSTR pstrRole) { m_sAccRole = pstrRole != nullptr ? pstrRole : L""; }
int CControlUI::GetTabIndex() const { return m_nTabIndex; }
void CControlUI::SetTabIndex(int nIndex) { m_nTabIndex = nIndex; }
UINT_PTR CControlUI::GetTag() const { return m_pTag; }
void CControlUI::SetTag(UINT_PTR pTag) { m_pTag = pTag; }

bool CControlUI::IsVisible() const {
    for (const CControlUI *c = this; c != nullptr; c = c->m_pParent) {
        if (!c->m_bVisible || !c->m_bInternVisible) return false;
    }
    return true;
}

void CControlUI::SetVisible(bool bVisible) {
    if (m_bVisible == bVisible) return;
    if (!bVisible) Invalidate();  // while still visible: erase where it was
    m_bVisible = bVisible;
    if (!bVisible && m_pManager != nullptr) {
        for (CControlUI *f = m_pManager->GetFocus(); f != nullptr; f = f->m_pParent) {
            if (f == this) {
                m_pManager->SetFocus(nullptr);
                break;
            }
        }
    }
    NeedParentUpdate();
    if (m_pManager != nullptr) m_pManager->NotifyAccessible(this, bVisible ? EVENT_OBJECT_SHOW : EVENT_OBJECT_HIDE);
}

void CControlUI::SetInternVisible(bool bVisible) {
    if (m_bInternVisible == bVisible) return;
    m_bInternVisible = bVisible;
    if (!bVisible && m_pManager != nullptr && m_pManager->GetFocus() == this) m_pManager->SetFocus(nullptr);
}

bool CControlUI::IsEnabled() const {
    for (const CControlUI *c = this; c != nullptr; c = c->m_pParent) {
        if (!c->m_bEnabled) return false;
    }
    return true;
}

void CControlUI::SetEnabled(bool bEnable) {
    if (m_bEnabled == bEnable) return;
    m_bEnabled = bEnable;
    Invalidate();
}

bool CControlUI::IsMouseEnabled() const { return m_bMouseEnabled; }
void CControlUI::SetMouseEnabled(bool bEnable) { m_bMouseEnabled = bEnable; }
bool CControlUI::IsKeyboardEnabled() const { return m_bKeyboardEnabled; }
void CControlUI::SetKeyboardEnabled(bool bEnable) { m_bKeyboardEnabled = bEnable; }
bool CControlUI::IsFocused() const { return m_bFocused; }

void CControlUI::SetFocus() {
    if (m_pManager != nullptr) m_pManager->SetFocus(this);
}

CControlUI *CControlUI::FindControl(FINDCONTROLPROC Proc, LPVOID pData, UINT uFlags) {
    if ((uFlags & UIFIND_VISIBLE) != 0 && !IsVisible()) return nullptr;
    if ((uFlags & UIFIND_ENABLED) != 0 && !IsEnabled()) return nullptr;
    if ((uFlags & UIFIND_HITTEST) != 0) {
        if (!m_bMouseEnabled || !::PtInRect(&m_rcItem, *static_cast<LPPOINT>(pData))) return nullptr;
    }
    if ((uFlags & UIFIND_UPDATETEST) != 0 && !m_bUpdateNeeded) return nullptr;
    return Proc(this, pData);
}

void CControlUI::Invalidate() {
    if (m_pManager == nullptr || !IsVisible()) return;
    RECT rc = m_rcItem;
    // Only the part inside every ancestor shows.
    for (CControlUI *p = m_pParent; p != nullptr; p = p->m_pParent) {
        RECT parent = p->GetPos();
        if (!::IntersectRect(&rc, &rc, &parent)) return;
    }
    m_pManager->Invalidate(rc);
}

bool CControlUI::IsUpdateNeeded() const { return m_bUpdateNeeded; }

void CControlUI::NeedUpdate() {
    if (!IsVisible()) {
        m_bUpdateNeeded = true;
        return;
    }
    m_bUpdateNeeded = true;
    Invalidate();
    if (m_pManager != nullptr) m_pManager->NeedUpdate();
}

void CControlUI::NeedParentUpdate() {
    if (m_pParent != nullptr) {
        m_pParent->NeedUpdate();
        m_pParent->Invalidate();
    } else {
        NeedUpdate();
    }
    if (m_pManager != nullptr) m_pManager->NeedUpdate();
}

void CControlUI::Init() { DoInit(); }
void CControlUI::DoInit() {}

void CControlUI::Event(TEventUI &event) { DoEvent(event); }

void CControlUI::DoEvent(TEventUI &event) {
    switch (event.Type) {
    case UIEVENT_SETCURSOR: ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW)); return;
    case UIEVENT_SETFOCUS:
        m_bFocused = true;
        Invalidate();
        return;
    case UIEVENT_KILLFOCUS:
        m_bFocused = false;
        Invalidate();
        return;
    case UIEVENT_TIMER:
        if (m_pManager != nullptr) m_pManager->SendNotify(this, DUI_MSGTYPE_TIMER, event.wParam, event.lParam);
        return;
    default: break;
    }
    // Unhandled input goes up to the parent (a wheel over a label scrolls its container).
    if (m_pParent != nullptr) m_pParent->DoEvent(event);
}

CDuiString CControlUI::GetVirtualWnd() const {
    for (const CControlUI *c = this; c != nullptr; c = c->m_pParent) {
        if (!c->m_sVirtualWnd.empty()) return c->m_sVirtualWnd;
    }
    return CDuiString();
}

void CControlUI::SetVirtualWnd(LPCTSTR pstrValue) { m_sVirtualWnd = pstrValue != nullptr ? pstrValue : L""; }

int CControlUI::GetInspectSelected() const { return -1; }
bool CControlUI::GetInspectValue(int & /*value*/) const { return false; }
CDuiString CControlUI::GetInspectText() const { return GetText(); }

bool CControlUI::DrawImage(HDC hDC, LPCTSTR pStrImage, LPCTSTR pStrModify) {
    return CRenderEngine::DrawImageString(hDC, m_pManager, m_rcItem, m_rcPaint, pStrImage, pStrModify);
}

void CControlUI::DoPaint(HDC hDC, const RECT &rcPaint) {
    if (!::IntersectRect(&m_rcPaint, &rcPaint, &m_rcItem)) return;
    const SIZE round = GetBorderRound();
    if (round.cx > 0 || round.cy > 0) {
        CRenderClip clip(hDC, m_rcItem, round.cx, round.cy);
        PaintBkColor(hDC);
        PaintBkImage(hDC);
        PaintStatusImage(hDC);
        PaintText(hDC);
        PaintBorder(hDC);
    } else {
        PaintBkColor(hDC);
        PaintBkImage(hDC);
        PaintStatusImage(hDC);
        PaintText(hDC);
        PaintBorder(hDC);
    }
}

void CControlUI::PaintBkColor(HDC hDC) {
    if (m_dwBackColor == 0) return;
    if (m_dwBackColor2 != 0) {
        CRenderEngine::DrawGradient(hDC, m_rcItem, m_dwBackColor, m_dwBackColor2, true);
    } else if (m_cxyBorderRound.cx > 0 || m_cxyBorderRound.cy > 0) {
        const SIZE round = GetBorderRound();
        CRenderEngine::FillRoundRect(hDC, m_rcItem, round.cx, round.cy, m_dwBackColor);
    } else {
        CRenderEngine::DrawColor(hDC, m_rcPaint, m_dwBackColor);
    }
}

void CControlUI::PaintBkImage(HDC hDC) {
    if (m_sBkImage.empty()) return;
    DrawImage(hDC, m_sBkImage.c_str());
}

void CControlUI::PaintStatusImage(HDC /*hDC*/) {}
void CControlUI::PaintText(HDC /*hDC*/) {}

void CControlUI::PaintBorder(HDC hDC) {
    DWORD color = (m_bFocused && m_dwFocusBorderColor != 0) ? m_dwFocusBorderColor : m_dwBorderColor;
    if (color == 0 || m_nBorderSize <= 0) return;
    const SIZE round = GetBorderRound();
    if (round.cx > 0 || round.cy > 0)
        CRenderEngine::DrawRoundRect(hDC, m_rcItem, GetBorderSize(), round.cx, round.cy, color);
    else
        CRenderEngine::DrawRect(hDC, m_rcItem, GetBorderSize(), color);
}

void CControlUI::SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) {
    if (pstrName == nullptr || pstrValue == nullptr) return;
    const uilib::AttrName name{pstrName};
    int n = 0;
    bool b = false;
    RECT rc = {};
    SIZE sz = {};
    if (name == L"name") {
        SetName(pstrValue);
    } else if (name == L"text") {
        SetText(pstrValue);
    } else if (name == L"pos") {
        if (ParseRect(pstrValue, rc)) {
            SetFixedXY({rc.left, rc.top});
            if (m_cxyFixed.cx == 0 && rc.right > rc.left) SetFixedWidth(rc.right - rc.left);
            if (m_cxyFixed.cy == 0 && rc.bottom > rc.top) SetFixedHeight(rc.bottom - rc.top);
        }
    } else if (name == L"width") {
        if (uilib::ParseInt(pstrValue, n)) SetFixedWidth(n);
    } else if (name == L"height") {
        if (uilib::ParseInt(pstrValue, n)) SetFixedHeight(n);
    } else if (name == L"minwidth") {
        if (uilib::ParseInt(pstrValue, n)) SetMinWidth(n);
    } else if (name == L"maxwidth") {
        if (uilib::ParseInt(pstrValue, n)) SetMaxWidth(n);
    } else if (name == L"minheight") {
        if (uilib::ParseInt(pstrValue, n)) SetMinHeight(n);
    } else if (name == L"maxheight") {
        if (uilib::ParseInt(pstrValue, n)) SetMaxHeight(n);
    } else if (name == L"float") {
        if (uilib::ParseBool(pstrValue, b)) SetFloat(b);
    } else if (name == L"padding") {
        if (ParseRect(pstrValue, rc)) SetPadding(rc);
    } else if (name == L"bkcolor" || name == L"bkcolor1") {
        SetBkColor(ParseColor(pstrValue));
    } else if (name == L"bkcolor2") {
        SetBkColor2(ParseColor(pstrValue));
    } else if (name == L"bkimage") {
        SetBkImage(pstrValue);
    } else if (name == L"bordercolor") {
        SetBorderColor(ParseColor(pstrValue));
    } else if (name == L"focusbordercolor") {
        SetFocusBorderColor(ParseColor(pstrValue));
    } else if (name == L"bordersize") {
        if (uilib::ParseInt(pstrValue, n)) SetBorderSize(n);
    } else if (name == L"borderround") {
        if (ParseSize(pstrValue, sz)) SetBorderRound(sz);
    } else if (name == L"tooltip") {
        SetToolTip(pstrValue);
    } else if (name == L"userdata") {
        SetUserData(pstrValue);
    } else if (name == L"accname") {
        SetAccName(pstrValue);
    } else if (name == L"accrole") {
        SetAccRole(pstrValue);
    } else if (name == L"tabindex") {
        if (uilib::ParseInt(pstrValue, n)) SetTabIndex(n);
    } else if (name == L"visible") {
        if (uilib::ParseBool(pstrValue, b)) SetVisible(b);
    } else if (name == L"enabled") {
        if (uilib::ParseBool(pstrValue, b)) SetEnabled(b);
    } else if (name == L"mouse") {
        if (uilib::ParseBool(pstrValue, b)) SetMouseEnabled(b);
    } else if (name == L"keyboard") {
        if (uilib::ParseBool(pstrValue, b)) SetKeyboardEnabled(b);
    } else if (name == L"virtualwnd") {
        SetVirtualWnd(pstrValue);
    }
}

CControlUI *CControlUI::ApplyAttributeList(LPCTSTR pstrList) {
    if (pstrList == nullptr) return this;
    const wchar_t *p = pstrList;
    while (*p != L'\0') {
        while (*p == L' ' || *p == L'\t' || *p == L'\r' || *p == L'\n') ++p;
        if (*p == L'\0') break;
        CDuiString name;
        while (*p != L'\0' && *p != L'=' && *p != L' ') name += *p++;
        while (*p == L' ') ++p;
        if (*p != L'=') break;
        ++p;
        while (*p == L' ') ++p;
        wchar_t quote = *p;
        if (quote != L'"' && quote != L'\'') break;
        ++p;
        CDuiString value;
        while (*p != L'\0' && *p != quote) value += *p++;
        if (*p != quote) break;
        ++p;
        SetAttribute(name.c_str(), value.c_str());
    }
    return this;
}
