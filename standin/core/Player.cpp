#include "standin/core/Player.h"

#include "standin/core/Diag.h"
#include "standin/core/WavFile.h"

namespace standin {

Player::Player(TimeSource now, std::unique_ptr<SoundSink> sink) : m_clock(std::move(now)), m_sink(std::move(sink)) {}

bool Player::Play(const std::wstring &path) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_clock.Unload();
    if (m_sink) m_sink->Stop();
    m_samples.clear();
    std::string error;
    bool truncated = false;
    std::vector<int16_t> samples;
    if (!ReadWavFile(path, &samples, &error, &truncated)) {
        Warn("VoicePlayFile: %ls: %s", path.c_str(), error.c_str());
        return false;
    }
    if (truncated) Warn("VoicePlayFile: %ls is cut short; playing what is there", path.c_str());
    if (samples.empty()) {
        Warn("VoicePlayFile: %ls holds no samples", path.c_str());
        return false;
    }
    m_samples.swap(samples);
    m_clock.Load(FramesOf(m_samples.size()));
    if (m_sink) m_sink->Play(m_samples, 0);
    return true;
}

void Player::Exit() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_clock.Unload();
    if (m_sink) m_sink->Stop();
    m_samples.clear();
}

void Player::SyncEnd() {
    if (!m_samples.empty() && m_clock.Total() == 0) {
        if (m_sink) m_sink->Stop();
        m_samples.clear();
    }
}

int Player::TotalFrames() {
    std::lock_guard<std::mutex> lock(m_mutex);
    SyncEnd();
    return m_clock.Total();
}

int Player::CurrentFrame() {
    std::lock_guard<std::mutex> lock(m_mutex);
    SyncEnd();
    return m_clock.Current();
}

int Player::StopFlag() {
    std::lock_guard<std::mutex> lock(m_mutex);
    SyncEnd();
    return m_clock.Paused() ? 1 : 0;
}

void Player::SetStopFlag(int paused) {
    std::lock_guard<std::mutex> lock(m_mutex);
    SyncEnd();
    bool was = m_clock.Paused();
    m_clock.SetPaused(paused != 0);
    bool now = m_clock.Paused();
    if (m_sink && was != now) {
        if (now)
            m_sink->Pause();
        else
            m_sink->Resume();
    }
}

void Player::Seek(int percent) {
    std::lock_guard<std::mutex> lock(m_mutex);
    SyncEnd();
    if (m_clock.Total() == 0) return;
    m_clock.Seek(percent);
    SyncEnd();
    if (m_sink && m_clock.Total() > 0) {
        size_t from = static_cast<size_t>(m_clock.Current()) * kSamplesPerFrame;
        m_sink->Play(m_samples, from);
        if (m_clock.Paused()) m_sink->Pause();
    }
}

}  // namespace standin
