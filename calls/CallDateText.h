// The date-range texts of a call query, built from the two date pickers' values. Only
// the date fields count: the range always spans whole days.
#pragma once

#include <windows.h>

const size_t kCallDateTextSize = 100;

// "%04d-%02d-%02d 00:00:00" of start's year, month and day.
void FormatCallRangeStart(const SYSTEMTIME &start, char (&out)[kCallDateTextSize]);
// "%04d-%02d-%02d 23:59:59" of end's year, month and day.
void FormatCallRangeEnd(const SYSTEMTIME &end, char (&out)[kCallDateTextSize]);
