// Private to the library: the paint manager's state, shared by the files that implement
// CPaintManagerUI (tree and notifications, input, painting, resources, timers, inspection).
#pragma once

#include <functional>
#include <map>
#include <unordered_map>
#include <vector>

#include "uilib/core/UIManager.h"
#include "uilib/core/UIText.h"

namespace uilib {
struct AccRegistry;

// A skin font (size in skin pixels, made at dpi; a null face and a size of 0 or
// less are the library's defaults). Paint managers and the glyph warm-up share it, so that
// both realise the same fonts.
HFONT CreateSkinFont(LPCTSTR face, int size, bool bold, bool underline, bool italic, int dpi);
}  // namespace uilib

struct CPaintManagerUI::Impl {
    struct ControlTimer {
        CControlUI *control = nullptr;
        UINT id = 0;
        UINT_PTR key = 0;  // id of the native timer on the thread's timer window
    };

    HWND hwnd = nullptr;
    CDuiString name;
    CControlUI *root = nullptr;  // owned

    int dpi = 96;
    bool updateNeeded = false;
    bool windowInitSent = false;
    SIZE initSize = {0, 0};
    bool initSizePending = false;  // a hidden pop-up takes its skin size when shown
    SIZE minInfo = {0, 0};
    SIZE maxInfo = {0, 0};
    SIZE roundCorner = {0, 0};
    RECT sizeBox = {0, 0, 0, 0};
    RECT caption = {0, 0, 0, 0};

    POINT lastMouse = {-1, -1};
    CControlUI *focus = nullptr;
    CControlUI *hover = nullptr;
    CControlUI *click = nullptr;  // the control that took the button press
    bool mouseTracking = false;
    bool captured = false;
    bool focusCue = false;
    int wheelRest[2] = {0, 0};  // vertical, horizontal: delta short of a notch

    // Under Wine every InvalidateRect is a round trip to the server. A window invalidated
    // whole (shown, resized) is repainted whole: its layout then invalidates nothing more.
    bool wholeInvalidated = false;  // since the last BeginPaint
    bool invalidateMuted = false;   // during such a layout

    HWND toolTip = nullptr;  // created on the first hover over a control with a tooltip
    bool toolTipShown = false;

    HDC offscreenDC = nullptr;
    HBITMAP offscreenBitmap = nullptr;
    DWORD *offscreenBits = nullptr;  // offscreenBitmap's pixels, top-down
    HGDIOBJ offscreenOld = nullptr;
    SIZE offscreenSize = {0, 0};

    std::map<int, TFontInfo> fonts;
    TFontInfo defaultFont;
    DWORD defaultFontColor = 0xFF000000;
    DWORD defaultDisabledColor = 0xFFA7A6AA;

    std::map<CDuiString, const TImageInfo *> images;     // shared (UIImageCache); null: could not be loaded
    std::map<CDuiString, CDuiString> defaultAttributes;  // key: lower-case class name
    std::unordered_map<CDuiString, std::vector<CControlUI *>> names;
    std::map<CDuiString, std::vector<CControlUI *>> optionGroups;

    std::vector<INotifyUI *> notifiers;
    std::vector<IMessageFilterUI *> preFilters;
    std::vector<IMessageFilterUI *> filters;
    std::vector<TNotifyUI> asyncNotify;

    std::vector<CControlUI *> delayedCleanup;  // detached, destroyed when dispatch ends
    int dispatchDepth = 0;

    // Raises the dispatch depth for its lifetime: controls removed meanwhile are destroyed
    // when the outermost scope ends.
    class DispatchScope {
    public:
        explicit DispatchScope(Impl &impl) : m_impl(impl) { ++m_impl.dispatchDepth; }
        ~DispatchScope() {
            if (--m_impl.dispatchDepth == 0) m_impl.FlushCleanup();
        }
        DispatchScope(const DispatchScope &) = delete;
        DispatchScope &operator=(const DispatchScope &) = delete;
    private:
        Impl &m_impl;
    };

    std::vector<ControlTimer> timers;

    // Accessible ids of controls, shared with the objects clients hold (they outlive the
    // manager); made by the first WM_GETOBJECT or event.
    std::shared_ptr<uilib::AccRegistry> access;
    // Answers WM_GETOBJECT and the posted default action; false for other messages.
    bool AccessMessage(CPaintManagerUI *self, UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT &lRes);

    // Helpers used across the implementation files.
    void RegisterNames(CControlUI *subtreeRoot);
    void ForgetSubtree(CControlUI *subtreeRoot);
    void ForgetControl(CControlUI *control);
    void FlushCleanup();
    void DispatchEvent(CControlUI *control, TEventUI &event);
    // Makes an event of type for control and dispatches it.
    void SendEvent(int type, CControlUI *control, POINT pt, WPARAM wParam, LPARAM lParam);
    // A key event (down, up, char) for the focused control, when there is one.
    void SendKey(int type, WPARAM wParam, LPARAM lParam);
    // The control at pt when it belongs to this manager's tree, else null.
    static CControlUI *OwnControlAt(CPaintManagerUI *self, POINT pt);
    // Offers a message to the filters (a copy: a filter may remove itself); true when one
    // handled it, its result in lRes.
    static bool RunFilters(std::vector<IMessageFilterUI *> filters, UINT uMsg, WPARAM wParam, LPARAM lParam,
                           LRESULT &lRes);
    void EnsureLayout(CPaintManagerUI *self);
    // Whether the whole client area waits for paint.
    bool WholeClientPending() const;
    // showing: from WM_SHOWWINDOW, the window about to appear.
    void ApplyInitSize(bool showing = false);
    // Shown by SetWindowPos, which sends no WM_SHOWWINDOW: the skin size goes with the show.
    void SizeAsShown(WINDOWPOS &pos);
    // Makes every font again at the current DPI (their sizes are skin pixels).
    void RescaleFonts();
    // WM_DPICHANGED: the new scale, then the rectangle Windows suggests.
    void OnDpiChanged(CPaintManagerUI *self, WPARAM wParam, LPARAM lParam);
    void FreeOffscreen();
    void ShowToolTip(CControlUI *control);
    void HideToolTip();
    // The focus frame over the focused control, while the focus cue shows.
    void PaintFocusFrame(HDC hDC);
    // Paints the tree's part in rcPaint into target through the back buffer.
    void PaintThroughBuffer(HDC target, const RECT &rcPaint);
};

namespace uilib {
// Pre-order walk of a control tree (every control, hidden ones too).
void ForEachControl(CControlUI *root, const std::function<void(CControlUI *)> &fn);
// Whether control is root or one of its descendants.
bool IsAttached(const CControlUI *control, const CControlUI *root);
// The registered message that delivers asynchronous notifications.
UINT AsyncNotifyMessage();
}  // namespace uilib
