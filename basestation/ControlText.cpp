#include "basestation/ControlText.h"

#include "basestation/BsControlText.h"
#include "basestation/BsText.h"
#include "uilib/UIlib.h"

void ReadControlText(CControlUI *control, char *out, size_t outSize) {
    if (out == nullptr || outSize == 0) return;
    out[0] = '\0';
    if (control == nullptr) return;
    const CDuiString text = control->GetText();
    bs::WideToOem(text.c_str(), out, outSize);
}

void ReadControlInt(CControlUI *control, int &dest) {
    char buffer[kControlTextSize];
    ReadControlText(control, buffer, sizeof buffer);
    dest = bs::ParseDecimal(buffer);
}
