// Private to the library but for PrepareBackBuffer: a window's back buffer made ahead, on
// another thread. Under Wine the first write to each page of a new bitmap costs a page
// fault: for the 800 x 572 main window, about half a millisecond of its first paint.
#pragma once

#include <windows.h>

namespace uilib {

// Any thread: makes a back buffer of width x height device pixels and touches its memory.
void PrepareBackBuffer(int width, int height);

// UI thread: the buffer made ahead when it is width x height (handed over once), else
// null. Its pixels, all zero as a new bitmap's, in *bits. A buffer of a size asked for
// before it was ready is not kept.
HBITMAP TakePreparedBackBuffer(int width, int height, DWORD **bits);
void FreePreparedBackBuffer();

}  // namespace uilib
