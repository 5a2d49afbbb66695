// CBsCfgFrameWnd: the base-station configuration dialog, a skinned frameless window
// ("BsList.xml"). One instance, created hidden by the list page and afterwards only shown
// and hidden; modeless. It shows one station's serial and record, checks the operator's
// input field by field, pushes the record to the station and asks the main window to
// drop that station's row. Everything runs on the UI thread.
#pragma once

#include "service/BsConfig.h"
#include "basestation/BsRow.h"
#include "basestation/BsText.h"
#include "ui/SkinnedWindow.h"
#include "uilib/UIlib.h"

class CBsCfgFrameWnd : public WindowImplBase, public CContainerUI {
public:
    // Allocated zero-filled, then constructed: record and serial start as zero bytes.
    static CBsCfgFrameWnd *CreateInstance();

    LPCTSTR GetWindowClassName() const override;  // "UIBsCfgFrame"
    UINT GetClassStyle() const override;          // CS_DBLCLKS
    LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
    void OnFinalMessage(HWND hWnd) override;  // deletes the object

    CDuiString GetSkinFolder() override;  // ""
    CDuiString GetSkinFile() override;    // "skin.xml" (not used to build)

    LRESULT OnClose(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL &bHandled) override;
    LRESULT OnDestroy(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL &bHandled) override;
    SKINNED_WINDOW_FRAME_HANDLERS()
    LRESULT OnCreate(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL &bHandled) override;

    void Notify(TNotifyUI &msg) override;
    // Finds the 18 named controls (runs once, during creation).
    void Init() override;

    // The selected row's texts into the record and serial buffer (the list page's
    // double-click). Reserved fields are left as they are.
    void LoadRow(const bs::BsRowTexts &row);
    // Shows the record and serial buffer in the controls and raises the dialog.
    void FillControls();
    // "SetButton": checks, pushes, hides, asks for the row to go.
    void ApplyConfig();
    // 0 when text is a dotted quad of four 1-3 digit groups 0..255, else -1.
    int CheckIpv4Text(const char *text);

    const BsConfig &Record() const { return m_config; }
    const char *Serial() const { return m_serial; }
    CPaintManagerUI &PaintManager() { return m_pm; }

private:
    CBsCfgFrameWnd() = default;
    void Warn(const wchar_t *text);

    CPaintManagerUI m_pm;
    BsConfig m_config{};
    char m_serial[bs::kSerialBufferBytes] = {};
    CControlUI *m_pCloseBtn = nullptr;
    CControlUI *m_pMaxBtn = nullptr;
    CControlUI *m_pRestoreBtn = nullptr;
    CControlUI *m_pMinBtn = nullptr;
    CControlUI *m_pSetButton = nullptr;
    CControlUI *m_pSerial = nullptr;
    CControlUI *m_pVersion = nullptr;
    CControlUI *m_pChannel = nullptr;
    CControlUI *m_pCallMagic = nullptr;
    CControlUI *m_pZoneMagic = nullptr;
    CControlUI *m_pRepeaterMode = nullptr;
    CControlUI *m_pIpAddr = nullptr;
    CControlUI *m_pNetMask = nullptr;
    CControlUI *m_pGateway = nullptr;
    CControlUI *m_pManagerIp = nullptr;
    CControlUI *m_pProxy0 = nullptr;
    CControlUI *m_pProxy1 = nullptr;
    CControlUI *m_pProxy2 = nullptr;
    // Column 0 of the row last loaded when it is longer than the serial buffer: shown
    // as it is, so that applying refuses it instead of pushing a cut serial.
    std::wstring m_longSerial;
};

// The one dialog, created by the list page's set-up; lives to the end of the process.
extern CBsCfgFrameWnd *g_pBsCfgFrameWnd;
