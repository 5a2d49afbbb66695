#include "calls/PlayProgress.h"

#include <cstdint>
#include <cstdio>

namespace {

struct Clock {
    unsigned h, m, s, ms;
};

Clock SplitMs(unsigned ms) { return {ms / 3600000u, (ms % 3600000u) / 60000u, (ms % 60000u) / 1000u, ms % 1000u}; }

}  // namespace

void FormatPlayTime(int currentFrames, int totalFrames, char (&out)[kPlayTimeTextSize]) {
    const Clock c = SplitMs(static_cast<unsigned>(currentFrames) * kMsPerFrame);
    const Clock t = SplitMs(static_cast<unsigned>(totalFrames) * kMsPerFrame);
    snprintf(out, sizeof out, "%u:%u:%u:%u/%u:%u:%u:%u", c.h, c.m, c.s, c.ms, t.h, t.m, t.s, t.ms);
}

int PlayPercent(int currentFrames, int totalFrames) {
    return static_cast<int>(static_cast<int64_t>(currentFrames) * 100 / totalFrames);
}
