#include "uilib/core/UIAttr.h"
#include "uilib/render/UIRender.h"

DWORD ParseColor(LPCTSTR pstrValue) { return uilib::ParseColorValue(pstrValue); }

bool ParseRect(LPCTSTR pstrValue, RECT &rc) {
    long v[4];
    if (!uilib::ParseInts(pstrValue, v, 4)) return false;
    rc = {v[0], v[1], v[2], v[3]};
    return true;
}

bool ParseSize(LPCTSTR pstrValue, SIZE &sz) {
    long v[2];
    if (!uilib::ParseInts(pstrValue, v, 2)) return false;
    sz = {v[0], v[1]};
    return true;
}
