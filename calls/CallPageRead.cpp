#include "calls/CallPageRead.h"

#include <cstdio>

#include "service/BmService.h"

namespace {
const size_t kNameSize = 100;
const size_t kIdTextSize = 100;
}  // namespace

CallPageFill ReadCallPage(const char *startText, const char *endText, int offset, int count,
                          const CallRowSink &addRow) {
    CallPageFill fill;
    char one = '1';
    int id = 0;
    char name[kNameSize] = {};
    if (DbGetCallFirst(0, &one, &id, name, startText, endText, offset, count) != 0) return fill;

    fill.ok = true;
    for (;;) {
        // The service fills the buffer; keep it terminated whatever it wrote.
        name[kNameSize - 1] = '\0';
        char idText[kIdTextSize];
        snprintf(idText, sizeof idText, "%d", id);
        addRow(fill.rows, name, idText);
        ++fill.rows;
        const int next = DbGetCallNext(name, &id);
        if (fill.rows == kCallsPerPage) {
            fill.lookAhead = next == 0;
            break;
        }
        if (next != 0) break;
    }
    return fill;
}
