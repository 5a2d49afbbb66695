#include <windows.h>

#include "standin/core/DateText.h"

namespace standin {

int64_t LocalNowSeconds() {
    SYSTEMTIME st;
    GetLocalTime(&st);
    return SecondsFromCivil(CivilTime{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond});
}

}  // namespace standin
