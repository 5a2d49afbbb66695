// Reading one page of call records from the service library: DbGetCallFirst for the
// window (offset, count) of the date range, then DbGetCallNext after each record shown.
// At most 16 records are shown; a 17th delivered one is the look-ahead record.
#pragma once

#include <functional>

#include "calls/CallPaging.h"

// Receives each record shown: its row number on the page (0..15), the voice file name
// and the record id as decimal text.
using CallRowSink = std::function<void(int row, const char *name, const char *idText)>;

CallPageFill ReadCallPage(const char *startText, const char *endText, int offset, int count, const CallRowSink &addRow);
