#include "basestation/BsConfigDialog.h"

#include <cstring>
#include <new>

#include "basestation/BsConfigForm.h"
#include "basestation/BsControlText.h"
#include "basestation/ControlText.h"
#include "basestation/BsListRows.h"
#include "service/BmHalApi.h"
#include "ui/MainWindowRef.h"
#include "ui/PrivateMessages.h"
#include "ui/SkinnedWindow.h"
#include "ui/OperatorWarning.h"

CBsCfgFrameWnd *g_pBsCfgFrameWnd = nullptr;

namespace {

const wchar_t kSkinFile[] = L"BsList.xml";

struct DecimalControl {
    CControlUI *CBsCfgFrameWnd::*control;
    int32_t BsConfig::*field;
};

CComboUI *AsCombo(CControlUI *control) {
    return control ? static_cast<CComboUI *>(control->GetInterface(L"Combo")) : nullptr;
}

void SetControlText(CControlUI *control, const std::wstring &text) {
    if (control) control->SetText(text.c_str());
}

}  // namespace

CBsCfgFrameWnd *CBsCfgFrameWnd::CreateInstance() {
    void *storage = ::operator new(sizeof(CBsCfgFrameWnd));
    std::memset(storage, 0, sizeof(CBsCfgFrameWnd));
    return new (storage) CBsCfgFrameWnd();
}

LPCTSTR CBsCfgFrameWnd::GetWindowClassName() const { return L"UIBsCfgFrame"; }
UINT CBsCfgFrameWnd::GetClassStyle() const { return CS_DBLCLKS; }
CDuiString CBsCfgFrameWnd::GetSkinFolder() { return L""; }
CDuiString CBsCfgFrameWnd::GetSkinFile() { return L"skin.xml"; }

LRESULT CBsCfgFrameWnd::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    LRESULT lRes = 0;
    BOOL bHandled = TRUE;
    const bool routed = SkinnedWindow::RouteCommon(*this, uMsg, wParam, lParam, lRes, bHandled);
    if (bHandled) return lRes;
    return SkinnedWindow::PassOn(*this, m_pm, routed, uMsg, wParam, lParam);
}

void CBsCfgFrameWnd::OnFinalMessage(HWND) {
    if (g_pBsCfgFrameWnd == this) g_pBsCfgFrameWnd = nullptr;
    delete this;
}

LRESULT CBsCfgFrameWnd::OnCreate(UINT, WPARAM, LPARAM, BOOL &bHandled) {
    SkinnedWindow::Create(m_hWnd, m_pm, kSkinFile, this);
    Init();
    bHandled = TRUE;
    return 0;
}

void CBsCfgFrameWnd::Init() {
    struct Lookup {
        const wchar_t *name;
        CControlUI *CBsCfgFrameWnd::*member;
    };
    static const Lookup kLookups[] = {
        {L"closebtn", &CBsCfgFrameWnd::m_pCloseBtn},
        {L"maxbtn", &CBsCfgFrameWnd::m_pMaxBtn},
        {L"restorebtn", &CBsCfgFrameWnd::m_pRestoreBtn},
        {L"minbtn", &CBsCfgFrameWnd::m_pMinBtn},
        {L"SetButton", &CBsCfgFrameWnd::m_pSetButton},
        {L"Serial", &CBsCfgFrameWnd::m_pSerial},
        {L"Version", &CBsCfgFrameWnd::m_pVersion},
        {L"Channel", &CBsCfgFrameWnd::m_pChannel},
        {L"CallMagic", &CBsCfgFrameWnd::m_pCallMagic},
        {L"ZoneMagic", &CBsCfgFrameWnd::m_pZoneMagic},
        {L"RepeaterMode", &CBsCfgFrameWnd::m_pRepeaterMode},
        {L"IpAddr", &CBsCfgFrameWnd::m_pIpAddr},
        {L"NetMask", &CBsCfgFrameWnd::m_pNetMask},
        {L"Gateway", &CBsCfgFrameWnd::m_pGateway},
        {L"ManagerIp", &CBsCfgFrameWnd::m_pManagerIp},
        {L"Proxy0", &CBsCfgFrameWnd::m_pProxy0},
        {L"Proxy1", &CBsCfgFrameWnd::m_pProxy1},
        {L"Proxy2", &CBsCfgFrameWnd::m_pProxy2},
    };
    for (const Lookup &lookup : kLookups) this->*lookup.member = m_pm.FindControl(lookup.name);
}

LRESULT CBsCfgFrameWnd::OnClose(UINT, WPARAM, LPARAM, BOOL &bHandled) {
    bHandled = FALSE;
    return 0;
}

LRESULT CBsCfgFrameWnd::OnDestroy(UINT, WPARAM, LPARAM, BOOL &bHandled) {
    bHandled = FALSE;
    return 0;
}

void CBsCfgFrameWnd::Notify(TNotifyUI &msg) {
    if (msg.sType != DUI_MSGTYPE_CLICK || msg.pSender == nullptr) return;
    CControlUI *sender = msg.pSender;
    if (sender == m_pCloseBtn) {
        ::ShowWindow(m_hWnd, SW_HIDE);
    } else if (sender == m_pMinBtn) {
        SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    } else if (sender == m_pMaxBtn) {
        SendMessage(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    } else if (sender == m_pRestoreBtn) {
        SendMessage(WM_SYSCOMMAND, SC_RESTORE, 0);
    } else if (sender == m_pSetButton) {
        ApplyConfig();
    }
}

void CBsCfgFrameWnd::LoadRow(const bs::BsRowTexts &row) {
    const bool fits = bs::RowToRecord(row, m_config, m_serial);
    m_longSerial = fits ? std::wstring() : bs::AnsiToWide(row[0].c_str());
}

void CBsCfgFrameWnd::FillControls() {
    SetControlText(m_pSerial, m_longSerial.empty() ? bs::AnsiToWide(m_serial) : m_longSerial);
    static const DecimalControl kDecimals[] = {
        {&CBsCfgFrameWnd::m_pVersion, &BsConfig::Version},
        {&CBsCfgFrameWnd::m_pChannel, &BsConfig::Channel},
        {&CBsCfgFrameWnd::m_pCallMagic, &BsConfig::CallMagic},
        {&CBsCfgFrameWnd::m_pZoneMagic, &BsConfig::ZoneMagic},
    };
    for (const DecimalControl &d : kDecimals)
        SetControlText(this->*d.control, bs::AnsiToWide(bs::FormatDecimal(m_config.*d.field).c_str()));
    if (CComboUI *combo = AsCombo(m_pRepeaterMode)) combo->SelectItem(m_config.RepeaterMode, false);

    struct AddressControl {
        CControlUI *CBsCfgFrameWnd::*control;
        uint32_t BsConfig::*field;
    };
    static const AddressControl kAddresses[] = {
        {&CBsCfgFrameWnd::m_pIpAddr, &BsConfig::IpAddr},   {&CBsCfgFrameWnd::m_pNetMask, &BsConfig::NetMask},
        {&CBsCfgFrameWnd::m_pGateway, &BsConfig::Gateway}, {&CBsCfgFrameWnd::m_pManagerIp, &BsConfig::ManagerIp},
        {&CBsCfgFrameWnd::m_pProxy0, &BsConfig::Proxy0},   {&CBsCfgFrameWnd::m_pProxy1, &BsConfig::Proxy1},
        {&CBsCfgFrameWnd::m_pProxy2, &BsConfig::Proxy2},
    };
    for (const AddressControl &a : kAddresses)
        SetControlText(this->*a.control, bs::AnsiToWide(bs::FormatDottedQuad(m_config.*a.field).c_str()));

    RECT rc = {};
    ::GetWindowRect(m_hWnd, &rc);
    ::SetWindowPos(m_hWnd, HWND_TOP, rc.left, rc.top, 0, 0, SWP_NOSIZE);
}

void CBsCfgFrameWnd::ApplyConfig() {
    CControlUI *const edits[bs::kFieldCount] = {
        m_pSerial,  m_pVersion, m_pChannel,   m_pCallMagic, m_pZoneMagic, nullptr,   m_pIpAddr,
        m_pNetMask, m_pGateway, m_pManagerIp, m_pProxy0,    m_pProxy1,    m_pProxy2,
    };
    bs::BsFormInput input;
    for (int field = 0; field < bs::kFieldCount; ++field) {
        if (!edits[field]) continue;
        char text[bs::kTextBufferBytes];
        ReadControlText(edits[field], text);
        input.texts[field] = text;
    }
    const CComboUI *combo = AsCombo(m_pRepeaterMode);
    input.repeaterIndex = combo ? combo->GetCurSel() : -1;

    const bs::BsField refused = bs::ApplyForm(input, m_config, m_serial);
    if (refused != bs::kFieldNone) {
        Warn(bs::RefusalMessage(refused));
        return;
    }
    m_longSerial.clear();
    BmHalBsSetConfig(m_serial, &m_config);
    BmHalBsDelete(m_serial);
    ::ShowWindow(m_hWnd, SW_HIDE);
    if (g_pBsListRows) g_pBsListRows->NotePushed(m_serial);
    if (const HWND mainWnd = GetMainWindowHandle()) ::PostMessageW(mainWnd, WM_BS_REMOVE_SELECTED, 0, 0);
}

int CBsCfgFrameWnd::CheckIpv4Text(const char *text) { return bs::CheckIpv4Text(text); }

void CBsCfgFrameWnd::Warn(const wchar_t *text) { ShowOperatorWarning(text); }
