#include "uilib/gallery/GalleryWindow.h"

#include <cstdio>

namespace {

const wchar_t kOnline[] = L"在线 online";
const wchar_t kOffline[] = L"离线 offline";
const wchar_t *const kNotes[] = {L"主楼楼顶", L"Relay north", L"地下车库 B2", L"临时站点", L"Gate 3"};
const wchar_t kStatusClick[] = L"点击 Click: ";
const wchar_t kStatusSelect[] = L"选中 Selected: ";
const wchar_t kStatusDouble[] = L"双击 Double-click: ";
const wchar_t kStatusText[] = L"输入 Text: ";
const wchar_t kStatusDate[] = L"日期 Date: ";
const wchar_t kStatusDeleted[] = L"已删除 Deleted: ";
const wchar_t kCountFormat[] = L"%d 行 rows";
const wchar_t kVolumeFormat[] = L"%d%%";

CButtonUI *MakeRowButton(LPCTSTR name, LPCTSTR text, LPCTSTR image, int x, int width) {
    auto *button = new CButtonUI;
    if (text != nullptr) button->SetAttribute(L"text", text);
    if (image != nullptr) button->SetAttribute(L"normalimage", image);
    button->SetAttribute(L"name", name);
    button->SetAttribute(L"float", L"true");
    wchar_t pos[32];
    swprintf(pos, 32, L"%d,0,0,0", x);
    button->SetAttribute(L"pos", pos);
    wchar_t w[16];
    swprintf(w, 16, L"%d", width);
    button->SetAttribute(L"width", w);
    button->SetAttribute(L"height", L"30");
    if (text != nullptr) {
        button->SetAttribute(L"align", L"left");
        button->SetAttribute(L"textpadding", L"10,0,4,0");
    } else {
        button->SetAttribute(L"hotbkcolor", L"#FFDCE6FD");
        button->SetAttribute(L"borderround", L"15,15");
    }
    return button;
}

}  // namespace

DUI_BEGIN_MESSAGE_MAP(CGalleryWnd, WindowImplBase)
DUI_ON_MSGTYPE(DUI_MSGTYPE_CLICK, CGalleryWnd::OnClick)
DUI_ON_MSGTYPE(DUI_MSGTYPE_SELECTCHANGED, CGalleryWnd::OnSelectChanged)
DUI_ON_MSGTYPE(DUI_MSGTYPE_ITEMSELECT, CGalleryWnd::OnItemSelect)
DUI_ON_MSGTYPE(DUI_MSGTYPE_DBCLICK, CGalleryWnd::OnDoubleClick)
DUI_ON_MSGTYPE(DUI_MSGTYPE_VALUECHANGED, CGalleryWnd::OnValueChanged)
DUI_ON_MSGTYPE(DUI_MSGTYPE_TEXTCHANGED, CGalleryWnd::OnTextChanged)
DUI_END_MESSAGE_MAP()

LPCTSTR CGalleryWnd::GetWindowClassName() const { return L"UIGalleryFrame"; }
CDuiString CGalleryWnd::GetSkinFolder() { return L"gallery\\"; }
CDuiString CGalleryWnd::GetSkinFile() { return L"gallery.xml"; }

void CGalleryWnd::InitWindow() {
    FillStations();
    FillCalls();
    UpdateCount();
}

LRESULT CGalleryWnd::OnDestroy(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL &bHandled) {
    if (m_bQuitOnDestroy) ::PostQuitMessage(0);
    return WindowImplBase::OnDestroy(uMsg, wParam, lParam, bHandled);
}

void CGalleryWnd::OnFinalMessage(HWND hWnd) {
    WindowImplBase::OnFinalMessage(hWnd);
    delete this;
}

void CGalleryWnd::FillStations() {
    auto *list = static_cast<CListUI *>(m_PaintManager.FindControl(L"StationList"));
    if (list == nullptr) return;
    for (int i = 0; i < kStationRows; ++i) {
        auto *row = new CListTextElementUI;
        list->Add(row);
        wchar_t text[64];
        swprintf(text, 64, L"BS-%04d", 1001 + i);
        row->SetText(0, text);
        swprintf(text, 64, L"%d", 1 + (i * 7) % 200);
        row->SetText(1, text);
        swprintf(text, 64, L"10.0.%d.%d", i / 250, 1 + i % 250);
        row->SetText(2, text);
        row->SetText(3, i % 5 == 3 ? kOffline : kOnline);
        row->SetText(4, kNotes[i % 5]);
    }
}

void CGalleryWnd::AddCallRow(int n) {
    auto *list = static_cast<CListUI *>(m_PaintManager.FindControl(L"CallList"));
    if (list == nullptr) return;
    auto *row = new CListContainerElementUI;
    row->SetAttribute(L"height", L"30");
    list->Add(row);
    auto *line = new CHorizontalLayoutUI;
    row->Add(line);
    const int widths[] = {250, 120, 150};
    CVerticalLayoutUI *columns[3];
    for (int c = 0; c < 3; ++c) {
        columns[c] = new CVerticalLayoutUI;
        wchar_t w[16];
        swprintf(w, 16, L"%d", widths[c]);
        columns[c]->SetAttribute(L"width", w);
        line->Add(columns[c]);
    }
    wchar_t name[48], text[64];
    swprintf(name, 48, L"ItemBtn%dText0", n);
    swprintf(text, 64, L"录音_%02d_call-%04d.wav", n % 28 + 1, 5000 + n);
    columns[0]->Add(MakeRowButton(name, text, nullptr, 0, 250));
    swprintf(name, 48, L"ItemBtn%dText1", n);
    swprintf(text, 64, L"%d", 5000 + n);
    columns[1]->Add(MakeRowButton(name, text, nullptr, 0, 120));
    swprintf(name, 48, L"ItemBtn%dPlay", n);
    columns[2]->Add(MakeRowButton(name, nullptr, L"file='gallery/icon_call.png' dest='3,3,27,27'", 0, 30));
    swprintf(name, 48, L"ItemBtn%dDelete", n);
    columns[2]->Add(MakeRowButton(name, nullptr, L"file='gallery/icon_record.png' dest='3,3,27,27'", 30, 30));
}

void CGalleryWnd::FillCalls() {
    for (int n = 0; n < kCallRows; ++n) AddCallRow(n);
}

void CGalleryWnd::ShowStatus(const CDuiString &text) {
    if (CControlUI *label = m_PaintManager.FindControl(L"StatusLabel")) label->SetText(text.c_str());
}

void CGalleryWnd::UpdateCount() {
    auto *tabs = static_cast<CTabLayoutUI *>(m_PaintManager.FindControl(L"ListTabs"));
    auto *list = tabs != nullptr ? static_cast<CListUI *>(tabs->GetItemAt(tabs->GetCurSel())) : nullptr;
    CControlUI *label = m_PaintManager.FindControl(L"CountLabel");
    if (list == nullptr || label == nullptr) return;
    wchar_t text[64];
    swprintf(text, 64, kCountFormat, list->GetCount());
    label->SetText(text);
}

void CGalleryWnd::OnClick(TNotifyUI &msg) {
    const CDuiString name = msg.pSender->GetName();
    if (name == L"closebtn") {
        Close();
        return;
    }
    if (name == L"minbtn") {
        SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
        return;
    }
    // A row's delete button removes its own row while this click is being dispatched.
    if (name.find(L"ItemBtn") == 0 && name.find(L"Delete") != CDuiString::npos) {
        CControlUI *row = msg.pSender;
        while (row != nullptr && row->GetInterface(L"ListContainerElement") == nullptr) row = row->GetParent();
        auto *list = static_cast<CListUI *>(m_PaintManager.FindControl(L"CallList"));
        if (row != nullptr && list != nullptr) {
            const CDuiString nameText = name.substr(0, name.size() - 6) + L"Text0";
            CControlUI *file = m_PaintManager.FindControl(nameText.c_str());
            ShowStatus(kStatusDeleted + (file != nullptr ? file->GetText() : name));
            list->Remove(row);
            UpdateCount();
        }
        return;
    }
    ShowStatus(kStatusClick + name + L" " + msg.pSender->GetText());
}

void CGalleryWnd::OnSelectChanged(TNotifyUI &msg) {
    const CDuiString name = msg.pSender->GetName();
    auto *tabs = static_cast<CTabLayoutUI *>(m_PaintManager.FindControl(L"ListTabs"));
    if (tabs != nullptr && (name == L"StationsTab" || name == L"CallsTab")) {
        tabs->SelectItem(name == L"StationsTab" ? 0 : 1);
        UpdateCount();
    }
    ShowStatus(kStatusClick + name + L" " + msg.pSender->GetText());
}

void CGalleryWnd::OnItemSelect(TNotifyUI &msg) {
    wchar_t index[16];
    swprintf(index, 16, L" #%d", static_cast<int>(msg.wParam));
    ShowStatus(kStatusSelect + msg.pSender->GetName() + index + L" " + msg.pSender->GetText());
}

void CGalleryWnd::OnDoubleClick(TNotifyUI &msg) {
    CDuiString what = msg.pSender->GetInspectText();
    for (wchar_t &c : what) {
        if (c == L'\x1F') c = L' ';
    }
    ShowStatus(kStatusDouble + what);
}

void CGalleryWnd::OnValueChanged(TNotifyUI &msg) {
    const CDuiString name = msg.pSender->GetName();
    if (name == L"VolumeSlider") {
        const int value = static_cast<CSliderUI *>(msg.pSender)->GetValue();
        if (auto *progress = static_cast<CProgressUI *>(m_PaintManager.FindControl(L"LoadProgress")))
            progress->SetValue(value);
        wchar_t text[16];
        swprintf(text, 16, kVolumeFormat, value);
        if (CControlUI *label = m_PaintManager.FindControl(L"VolumeLabel")) label->SetText(text);
        ShowStatus(kStatusClick + name + L" " + text);
    } else if (name == L"StartDate") {
        ShowStatus(kStatusDate + msg.pSender->GetText());
    }
}

void CGalleryWnd::OnTextChanged(TNotifyUI &msg) { ShowStatus(kStatusText + msg.pSender->GetText()); }
