// Player: one voice file at a time. The clock (PlayerClock) is the reference for the
// position; a SoundSink, when given, plays the same samples on a sound device and is told
// of every start, pause, resume, seek and stop. Thread-safe.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "standin/core/PlayerClock.h"

namespace standin {

class SoundSink {
public:
    virtual ~SoundSink() = default;
    // Plays samples (8 kHz 16-bit mono) from sample `from`; replaces what was playing.
    virtual void Play(const std::vector<int16_t> &samples, size_t from) = 0;
    virtual void Pause() = 0;
    virtual void Resume() = 0;
    virtual void Stop() = 0;
};

class Player {
public:
    explicit Player(TimeSource now, std::unique_ptr<SoundSink> sink = nullptr);

    // Loads and starts (unpaused). False when the file cannot be read; nothing is loaded.
    bool Play(const std::wstring &path);
    void Exit();
    int TotalFrames();
    int CurrentFrame();
    int StopFlag();  // 1 while paused, 0 otherwise
    void SetStopFlag(int paused);
    void Seek(int percent);

private:
    void SyncEnd();  // stops the sound once the clock has unloaded

    std::mutex m_mutex;
    PlayerClock m_clock;
    std::unique_ptr<SoundSink> m_sink;
    std::vector<int16_t> m_samples;
};

}  // namespace standin
