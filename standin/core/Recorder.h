// Recorder: while recording is on, each call on the simulated network becomes a new voice
// file in the call store. A call starts `firstDelay` after recording is switched on and
// then every `interval`; it lasts `length`. Its record is indexed when it starts and its
// file is in use (VoiceFileIsUsing) until it ends; audio is written as time passes, so a
// crash leaves a readable file cut short. Switching off ends the call in progress.
// Time is passed in (monotonic ms). Thread-safe.
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

#include "standin/core/WavFile.h"

namespace standin {

class CallStore;

struct RecorderTiming {
    int64_t firstDelayMs = 2000;
    int64_t intervalMs = 30000;
    int64_t lengthMs = 10000;
};

class Recorder {
public:
    // localSeconds: wall-clock start times for new calls (see DateText.h).
    Recorder(CallStore &store, std::function<int64_t()> localSeconds);

    void SetTiming(const RecorderTiming &timing);
    void SetOn(bool on, int64_t now);
    bool On() const;
    void Tick(int64_t now);
    std::string Recording() const;  // name of the file being recorded, or empty

private:
    void StartCall(int64_t now);
    void WriteUpTo(int64_t now);
    void FinishCall();

    mutable std::mutex m_mutex;
    CallStore &m_store;
    std::function<int64_t()> m_localSeconds;
    RecorderTiming m_timing;
    bool m_on = false;
    int64_t m_nextStart = 0;
    // The call being recorded.
    WavWriter m_writer;
    std::string m_name;
    uint32_t m_seed = 0;
    int64_t m_callStart = 0;
    size_t m_written = 0;  // samples
};

}  // namespace standin
