#include "calls/PlayWindow.h"

#include <cstdio>

#include "basestation/BsControlText.h"
#include "calls/PlayProgress.h"
#include "service/BmService.h"
#include "ui/SkinnedWindow.h"

CPlayWnd *g_pPlayWnd = nullptr;

namespace {
const wchar_t kPlayingImage[] = L"//Button//StopPlayBtn.png";  // a click pauses
const wchar_t kPausedImage[] = L"//Button//StartPlayBtn.png";  // a click resumes
const UINT_PTR kTickTimer = 0;
const UINT kTickMs = 1000;
const size_t kNameBytes = 100;
}  // namespace

CPlayWnd::CPlayWnd() = default;

LPCTSTR CPlayWnd::GetWindowClassName() const { return L"PlayUI"; }
UINT CPlayWnd::GetClassStyle() const { return CS_DBLCLKS; }
CDuiString CPlayWnd::GetSkinFolder() { return L""; }
CDuiString CPlayWnd::GetSkinFile() { return L"PlayUI.xml"; }

void CPlayWnd::OnFinalMessage(HWND) {
    printf("Final.\n");
    fflush(stdout);
}

LRESULT CPlayWnd::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    LRESULT lRes = 0;
    BOOL bHandled = TRUE;
    if (!SkinnedWindow::RouteCommon(*this, uMsg, wParam, lParam, lRes, bHandled)) {
        if (uMsg == WM_TIMER) {
            bHandled = TRUE;
            lRes = OnTimer(uMsg, wParam, lParam, bHandled);
        } else {
            bHandled = FALSE;
        }
    }
    if (bHandled) return lRes;
    if (m_pm.MessageHandler(uMsg, wParam, lParam, lRes)) return lRes;
    return CWindowWnd::HandleMessage(uMsg, wParam, lParam);
}

LRESULT CPlayWnd::OnCreate(UINT, WPARAM, LPARAM, BOOL &bHandled) {
    SkinnedWindow::Create(m_hWnd, m_pm, L"PlayUI.xml", this);
    Init();
    m_pm.AddMessageFilter(&m_keys);
    bHandled = TRUE;
    return 0;
}

bool CPlayWnd::OnKey(WPARAM vk) {
    CControlUI *focus = m_pm.GetFocus();
    if (vk == VK_SPACE) {
        // Space pauses and resumes wherever the focus is (Enter presses a focused button).
        if (m_pPlayBtn == nullptr) return false;
        m_pPlayBtn->Activate();
        return true;
    }
    // Left and Right seek wherever the focus is: they go to the slider, a user's move.
    if ((vk == VK_LEFT || vk == VK_RIGHT) && m_pPlaySlider != nullptr && focus != m_pPlaySlider)
        m_pm.SetFocus(m_pPlaySlider);
    return false;
}

void CPlayWnd::Init() {
    m_pCloseBtn = m_pm.FindControl(L"closebtn");
    m_pMaxBtn = m_pm.FindControl(L"maxbtn");
    m_pRestoreBtn = m_pm.FindControl(L"restorebtn");
    m_pMinBtn = m_pm.FindControl(L"minbtn");
    CControlUI *slider = m_pm.FindControl(L"PlaySlider");
    m_pPlaySlider = slider ? static_cast<CProgressUI *>(slider->GetInterface(L"Progress")) : nullptr;
    m_pPlayTime = m_pm.FindControl(L"PlayTime");
    m_pPlayBtn = m_pm.FindControl(L"PlayBtn");
}

LRESULT CPlayWnd::OnTimer(UINT, WPARAM, LPARAM, BOOL &bHandled) {
    UpdatePlayTime();
    const int total = VoicePlayFileTotalFrameNum();
    if (total == 0) {
        // Nothing loaded (the file ended or never loaded): hide and end, on every tick.
        ::ShowWindow(m_hWnd, SW_HIDE);
        VoiceExitPlayFile();
    } else if (m_pPlaySlider) {
        m_pPlaySlider->SetValue(PlayPercent(VoiceGetPlayFileCurFrameIndex(), total));
    }
    bHandled = TRUE;
    return 0;
}

void CPlayWnd::UpdatePlayTime() {
    const int current = VoiceGetPlayFileCurFrameIndex();
    const int total = VoicePlayFileTotalFrameNum();
    char text[kPlayTimeTextSize];
    FormatPlayTime(current, total, text);
    if (m_pPlayTime) m_pPlayTime->SetText(bs::AnsiToWide(text).c_str());
}

void CPlayWnd::Notify(TNotifyUI &msg) {
    if (msg.pSender == nullptr) return;
    if (msg.sType == DUI_MSGTYPE_CLICK) {
        if (msg.pSender == m_pCloseBtn) {
            ::ShowWindow(m_hWnd, SW_HIDE);
            VoiceExitPlayFile();
        } else if (msg.pSender == m_pMinBtn) {
            SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
        } else if (msg.pSender == m_pMaxBtn) {
            SendMessage(WM_SYSCOMMAND, SC_MAXIMIZE, 0);
        } else if (msg.pSender == m_pRestoreBtn) {
            SendMessage(WM_SYSCOMMAND, SC_RESTORE, 0);
        } else if (msg.pSender == m_pPlayBtn) {
            if (VoiceGetStopFlag() == 1) {
                m_pPlayBtn->SetAttribute(L"bkimage", kPlayingImage);
                VoiceSetStopFlag(0);
            } else {
                m_pPlayBtn->SetAttribute(L"bkimage", kPausedImage);
                VoiceSetStopFlag(1);
            }
        }
    } else if (msg.sType == DUI_MSGTYPE_VALUECHANGED && m_pPlaySlider != nullptr &&
               msg.pSender == static_cast<CControlUI *>(m_pPlaySlider)) {
        VoiceSetPlayFilePostion(m_pPlaySlider->GetValue());
    }
}

void CPlayWnd::Start(const char *name, int id) {
    VoiceExitPlayFile();
    char file[kNameBytes];
    snprintf(file, sizeof file, "%s", name ? name : "");
    VoicePlayFile(file, id);
    if (m_pPlaySlider) m_pPlaySlider->SetValue(0);
    if (m_pPlayBtn) m_pPlayBtn->SetAttribute(L"bkimage", kPlayingImage);
    UpdatePlayTime();
    // Setting timer 0 again replaces it: repeated starts never stack ticks.
    ::SetTimer(m_hWnd, kTickTimer, kTickMs, nullptr);
    RECT rc;
    ::GetWindowRect(m_hWnd, &rc);
    ::SetWindowPos(m_hWnd, HWND_TOP, rc.left, rc.top, rc.right, rc.bottom, SWP_NOSIZE);
}

void StartPlayback(const char *name, int id) {
    if (g_pPlayWnd != nullptr) g_pPlayWnd->Start(name, id);
}
