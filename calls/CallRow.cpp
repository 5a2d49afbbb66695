#include "calls/CallRow.h"

#include "calls/CallRowName.h"
#include "basestation/BsControlText.h"
#include "uilib/UIlib.h"

namespace {

const wchar_t kPlayImage[] = L"/Button/Play.png";
const wchar_t kLocateImage[] = L"/Button/OpenFile.png";
const wchar_t kDeleteImage[] = L"/Button/Delete.png";
// What a screen reader calls the image buttons.
const wchar_t kPlayLabel[] = L"播放";
const wchar_t kLocateLabel[] = L"定位";
const wchar_t kDeleteLabel[] = L"删除";

void SetNarrowAttribute(CControlUI *control, LPCTSTR attribute, const char *text) {
    control->SetAttribute(attribute, bs::AnsiToWide(text).c_str());
}

void SetRowName(CControlUI *control, int n, const char *suffix) {
    char name[kRowNameSize];
    MakeRowName(n, suffix, name);
    SetNarrowAttribute(control, L"name", name);
}

CVerticalLayoutUI *AddColumn(CHorizontalLayoutUI *row, LPCTSTR width) {
    CVerticalLayoutUI *column = new CVerticalLayoutUI;
    column->SetAttribute(L"width", width);
    row->Add(column);
    return column;
}

// Name and id buttons: the text first, then the name, a floating 250 x 30 at the origin.
void AddTextButton(CVerticalLayoutUI *column, int n, const char *suffix, const char *text) {
    CButtonUI *button = new CButtonUI;
    SetNarrowAttribute(button, L"text", text);
    SetRowName(button, n, suffix);
    button->SetAttribute(L"float", L"true");
    button->SetAttribute(L"pos", L"0,0,0,0");
    button->SetAttribute(L"width", L"250");
    button->SetAttribute(L"height", L"30");
    column->Add(button);
}

// Image buttons: 30 x 30 at x; "pos" before the size so that the size holds.
void AddImageButton(CVerticalLayoutUI *column, int n, const char *suffix, LPCTSTR imageAttr, LPCTSTR image, LPCTSTR pos,
                    LPCTSTR label) {
    CButtonUI *button = new CButtonUI;
    button->SetAttribute(imageAttr, image);
    button->SetAttribute(L"float", L"true");
    button->SetAttribute(L"pos", pos);
    button->SetAttribute(L"width", L"30");
    button->SetAttribute(L"height", L"30");
    SetRowName(button, n, suffix);
    button->SetAttribute(L"accname", label);
    column->Add(button);
}

}  // namespace

void AddCallRow(CListUI *list, int n, const char *name, const char *idText) {
    CListContainerElementUI *element = new CListContainerElementUI;
    element->SetAttribute(L"height", L"30");
    element->SetIndex(1);
    list->Add(element);

    CHorizontalLayoutUI *row = new CHorizontalLayoutUI;
    element->Add(row);

    AddTextButton(AddColumn(row, L"250"), n, kRowNameText, name);
    AddTextButton(AddColumn(row, L"250"), n, kRowNameId, idText);

    CVerticalLayoutUI *actions = AddColumn(row, L"330");
    AddImageButton(actions, n, kRowNamePlay, L"normalimage", kPlayImage, L"0,0,0,0", kPlayLabel);
    // Enter on the row plays it, as its play button does.
    actions->GetItemAt(0)->SetAttribute(L"default", L"true");
    AddImageButton(actions, n, kRowNameLocate, L"bkimage", kLocateImage, L"30,0,0,0", kLocateLabel);
    AddImageButton(actions, n, kRowNameDelete, L"bkimage", kDeleteImage, L"60,0,0,0", kDeleteLabel);
}
