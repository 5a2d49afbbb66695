#include "standin/core/PlayerClock.h"

#include <windows.h>

#include <algorithm>

#include "standin/core/WavFile.h"

namespace standin {
namespace {
const int64_t kFrameMs = 1000 * kSamplesPerFrame / kSampleRate;  // 20
}

TimeSource SystemTime() {
    return [] { return static_cast<int64_t>(GetTickCount64()); };
}

void PlayerClock::Load(int totalFrames) {
    m_total = std::max(0, totalFrames);
    m_paused = false;
    m_baseFrame = 0;
    m_baseTime = m_now();
}

void PlayerClock::Unload() {
    m_total = 0;
    m_baseFrame = 0;
    m_paused = false;
}

int64_t PlayerClock::Elapsed() const { return m_paused ? 0 : std::max<int64_t>(0, m_now() - m_baseTime) / kFrameMs; }

void PlayerClock::CheckEnd() {
    if (m_total > 0 && m_baseFrame + Elapsed() >= m_total) Unload();
}

int PlayerClock::Total() {
    CheckEnd();
    return m_total;
}

int PlayerClock::Current() {
    CheckEnd();
    return m_total > 0 ? static_cast<int>(m_baseFrame + Elapsed()) : 0;
}

bool PlayerClock::Paused() {
    CheckEnd();
    return m_paused;
}

void PlayerClock::SetPaused(bool paused) {
    CheckEnd();
    if (m_total == 0 || paused == m_paused) {
        m_paused = m_total > 0 && paused;
        return;
    }
    // Fold the time played so far into the base, keeping the part of a frame begun.
    int64_t now = m_now();
    if (paused) {
        int64_t ms = std::max<int64_t>(0, now - m_baseTime);
        m_baseFrame += ms / kFrameMs;
        m_baseTime = ms % kFrameMs;  // remembered remainder while paused
    } else {
        m_baseTime = now - m_baseTime;
    }
    m_paused = paused;
}

void PlayerClock::Seek(int percent) {
    CheckEnd();
    if (m_total == 0) return;
    int p = std::min(100, std::max(0, percent));
    m_baseFrame = static_cast<int64_t>(m_total) * p / 100;
    m_baseTime = m_paused ? 0 : m_now();
    CheckEnd();
}

int64_t PlayerClock::PositionMs() {
    int frame = Current();
    return static_cast<int64_t>(frame) * kFrameMs;
}

}  // namespace standin
