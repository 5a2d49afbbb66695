// Playback progress as the playback window shows it: the elapsed/total time text and the
// slider's percentage. Positions are frames of 20 ms.
#pragma once

#include <cstddef>

const size_t kPlayTimeTextSize = 128;
const unsigned kMsPerFrame = 20;

// "h:m:s:ms/h:m:s:ms" of the current and total positions, no zero padding. Frames are
// taken as unsigned 32-bit values and turned into milliseconds modulo 2^32.
void FormatPlayTime(int currentFrames, int totalFrames, char (&out)[kPlayTimeTextSize]);

// current * 100 / total, truncated toward zero, computed in 64 bits so that long files
// do not overflow. total must not be 0.
int PlayPercent(int currentFrames, int totalFrames);
