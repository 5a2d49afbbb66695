#include "standin/core/Recorder.h"

#include <windows.h>

#include <algorithm>

#include "standin/core/CallStore.h"
#include "standin/core/Diag.h"
#include "standin/core/ToneGen.h"

namespace standin {

Recorder::Recorder(CallStore &store, std::function<int64_t()> localSeconds)
    : m_store(store), m_localSeconds(std::move(localSeconds)) {}

void Recorder::SetTiming(const RecorderTiming &timing) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_timing = timing;
}

void Recorder::SetOn(bool on, int64_t now) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (on && !m_on) m_nextStart = now + m_timing.firstDelayMs;
    if (!on && m_writer.IsOpen()) {
        WriteUpTo(now);
        FinishCall();
    }
    m_on = on;
}

bool Recorder::On() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_on;
}

std::string Recorder::Recording() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_name;
}

void Recorder::Tick(int64_t now) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_writer.IsOpen()) {
        WriteUpTo(now);
        if (now - m_callStart >= m_timing.lengthMs) FinishCall();
    }
    if (m_on && !m_writer.IsOpen() && now >= m_nextStart) {
        m_nextStart = now + std::max<int64_t>(1, m_timing.intervalMs);
        StartCall(now);
    }
}

void Recorder::StartCall(int64_t now) {
    if (!m_store.IsOpen()) return;
    int64_t start = m_localSeconds();
    std::string name = m_store.NewFileName(start);
    m_store.SetInUse(name, true);
    if (!m_writer.Open(m_store.PathOf(name))) {
        Warn("recorder: cannot create %s", name.c_str());
        m_store.SetInUse(name, false);
        return;
    }
    int32_t id = 0;
    if (m_store.AddCall(start, name, &id) != kOk) {
        Warn("recorder: cannot index %s", name.c_str());
        m_writer.Close();
        DeleteFileW(m_store.PathOf(name).c_str());
        m_store.SetInUse(name, false);
        return;
    }
    m_name = name;
    m_seed = static_cast<uint32_t>(id);
    m_callStart = now;
    m_written = 0;
}

void Recorder::WriteUpTo(int64_t now) {
    int64_t ms = std::min(now - m_callStart, m_timing.lengthMs);
    size_t target = static_cast<size_t>(std::max<int64_t>(0, ms) * kSampleRate / 1000);
    if (target <= m_written) return;
    std::vector<int16_t> chunk = ToneSamples(m_seed, m_written, target - m_written);
    if (!m_writer.Append(chunk.data(), chunk.size())) Warn("recorder: write to %s failed", m_name.c_str());
    m_written = target;
}

void Recorder::FinishCall() {
    if (!m_writer.Close()) Warn("recorder: closing %s failed", m_name.c_str());
    m_store.SetInUse(m_name, false);
    m_name.clear();
}

}  // namespace standin
