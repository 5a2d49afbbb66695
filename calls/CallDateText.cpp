#include "calls/CallDateText.h"

#include <cstdio>

void FormatCallRangeStart(const SYSTEMTIME &start, char (&out)[kCallDateTextSize]) {
    snprintf(out, sizeof out, "%04d-%02d-%02d 00:00:00", start.wYear, start.wMonth, start.wDay);
}

void FormatCallRangeEnd(const SYSTEMTIME &end, char (&out)[kCallDateTextSize]) {
    snprintf(out, sizeof out, "%04d-%02d-%02d 23:59:59", end.wYear, end.wMonth, end.wDay);
}
