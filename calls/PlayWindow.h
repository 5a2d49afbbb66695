// CPlayWnd: the playback window ("PlayUI.xml"). Plays one recorded call at a time through
// the service library and shows its progress: a slider (percent of the file, 0..100) that
// seeks when the user moves it, an elapsed/total read-out, and a pause/resume button.
// The window keeps no playback state: it asks the service at each click and polls it once
// a second (timer 0). One instance for the process (g_pPlayWnd), created hidden by the
// call page and never deleted. Positions from the service are frames of 20 ms.
#pragma once

#include "ui/KeyFilter.h"
#include "ui/SkinnedWindow.h"
#include "uilib/UIlib.h"

constexpr wchar_t kPlayWindowTitle[] = L"声音播放";

class CPlayWnd : public WindowImplBase, public CContainerUI {
public:
    CPlayWnd();

    LPCTSTR GetWindowClassName() const override;  // "PlayUI"
    UINT GetClassStyle() const override;
    LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
    // Writes "Final.\n"; the object stays.
    void OnFinalMessage(HWND hWnd) override;

    CDuiString GetSkinFolder() override;
    CDuiString GetSkinFile() override;

    SKINNED_WINDOW_FRAME_HANDLERS()
    LRESULT OnCreate(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL &bHandled) override;
    // WM_TIMER, whatever its identifier: one progress tick. Handled, result 0.
    LRESULT OnTimer(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL &bHandled);

    void Notify(TNotifyUI &msg) override;
    void Init() override;  // looks up the seven controls

    // The PlayTime text from the service's current and total frames.
    void UpdatePlayTime();
    // StartPlayback's steps on this window (see StartPlayback).
    void Start(const char *name, int id);

    CPaintManagerUI &PaintManager() { return m_pm; }

private:
    // Space pauses and resumes; Left and Right seek (by the slider's step).
    bool OnKey(WPARAM vk);

    CPaintManagerUI m_pm;
    CControlUI *m_pCloseBtn = nullptr;
    CControlUI *m_pMaxBtn = nullptr;
    CControlUI *m_pRestoreBtn = nullptr;
    CControlUI *m_pMinBtn = nullptr;
    CProgressUI *m_pPlaySlider = nullptr;
    CControlUI *m_pPlayTime = nullptr;
    CControlUI *m_pPlayBtn = nullptr;
    CKeyFilter m_keys{[this](WPARAM vk, LPARAM) { return OnKey(vk); }};
};

// The one playback window; set by the call page's set-up.
extern CPlayWnd *g_pPlayWnd;

// Ends any playback, starts the voice file (name: 8-bit, at most 99 bytes; id as the call
// database gave it), resets the slider, shows the playing image and the time, (re)arms
// the one-second tick and raises the window in the Z order. Does not show the window.
void StartPlayback(const char *name, int id);
