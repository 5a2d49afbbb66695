#include "calls/CallRowName.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

const char kRowNamePrefix[] = "ItemBtn";
const char kRowNameText[] = "Text0";
const char kRowNameId[] = "Text1";
const char kRowNamePlay[] = "Play";
const char kRowNameLocate[] = "Locate";
const char kRowNameDelete[] = "Delete";

void MakeRowName(int row, const char *suffix, char (&out)[kRowNameSize]) {
    snprintf(out, sizeof out, "%s%d%s", kRowNamePrefix, row, suffix);
}

bool ParseRowNumber(const char *name, int &row) {
    const char *at = strstr(name, kRowNamePrefix);
    if (!at) return false;
    row = atoi(at + strlen(kRowNamePrefix));
    return true;
}

RowAction RowActionOf(const char *name) {
    if (strstr(name, kRowNamePlay)) return RowAction::Play;
    if (strstr(name, kRowNameLocate)) return RowAction::Locate;
    if (strstr(name, kRowNameDelete)) return RowAction::Delete;
    return RowAction::None;
}
