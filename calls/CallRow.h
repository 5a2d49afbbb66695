// One row of the call list: the voice file name, the record id and three image buttons
// (play, locate, delete). The row's buttons are named "ItemBtn" n suffix so that a click
// leads back to row n; their texts are the only copy of the record in the console.
// Every control is created here and owned by its parent from then on.
#pragma once

class CListUI;

// Appends row n (0..15, its position on the page) with the voice file name and the
// record id text (both 8-bit, ANSI code page).
void AddCallRow(CListUI *list, int n, const char *name, const char *idText);
