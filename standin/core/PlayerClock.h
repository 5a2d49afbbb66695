// PlayerClock: the player's position in frames of 20 ms, driven by a millisecond time
// source (injected, so tests step time by hand). The position advances while loaded and
// not paused; reaching the last frame unloads (total 0), as the console expects at the
// end of a file. Not thread-safe: Player serialises access.
#pragma once

#include <cstdint>
#include <functional>

namespace standin {

using TimeSource = std::function<int64_t()>;  // monotonic milliseconds

// GetTickCount64-based source for the real libraries.
TimeSource SystemTime();

class PlayerClock {
public:
    explicit PlayerClock(TimeSource now) : m_now(std::move(now)) {}

    void Load(int totalFrames);  // position 0, playing
    void Unload();
    // Each getter first checks for the end of the file.
    int Total();
    int Current();
    bool Paused();
    void SetPaused(bool paused);
    // percent clamped to 0..100; frame = total * percent / 100. 100 reaches the end.
    void Seek(int percent);
    // Milliseconds of audio from the current position (for the sound device).
    int64_t PositionMs();

private:
    int64_t Elapsed() const;  // frames since m_baseTime while playing
    void CheckEnd();

    TimeSource m_now;
    int m_total = 0;
    bool m_paused = false;
    int64_t m_baseFrame = 0;  // position at m_baseTime
    int64_t m_baseTime = 0;
};

}  // namespace standin
