// Names of a call row's buttons: "ItemBtn", the row number on the page and a suffix
// (ItemBtn3Text0, ItemBtn12Delete). A click is traced back to its row by the number that
// follows "ItemBtn" and to its action by the name's suffix.
#pragma once

#include <cstddef>

const size_t kRowNameSize = 100;

extern const char kRowNamePrefix[];  // "ItemBtn"
extern const char kRowNameText[];    // "Text0": the voice file name
extern const char kRowNameId[];      // "Text1": the record id
extern const char kRowNamePlay[];    // "Play"
extern const char kRowNameLocate[];  // "Locate"
extern const char kRowNameDelete[];  // "Delete"

// "%s%d%s" of "ItemBtn", row and suffix, cut to fit out.
void MakeRowName(int row, const char *suffix, char (&out)[kRowNameSize]);

// The row number of a row button's name: every digit after the first "ItemBtn" (atoi
// rules). False when the name does not contain "ItemBtn".
bool ParseRowNumber(const char *name, int &row);

enum class RowAction { None, Play, Locate, Delete };

// The action of a clicked row button, tested in the order Play, Locate, Delete; None for
// the name and id buttons.
RowAction RowActionOf(const char *name);
