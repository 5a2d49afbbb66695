// SoundOut: plays the player's samples on the default wave-out device, opened at each play
// (the wave-out library is loaded at the first one, not with the service). A play without
// a device, like any other failure, is silent: the player's clock stays the reference,
// sound or not.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "standin/core/Player.h"

namespace standin {

class SoundOut : public SoundSink {
public:
    static std::unique_ptr<SoundSink> Create();
    ~SoundOut() override;

    void Play(const std::vector<int16_t> &samples, size_t from) override;
    void Pause() override;
    void Resume() override;
    void Stop() override;

private:
    SoundOut() = default;

    HWAVEOUT m_out = nullptr;
    WAVEHDR m_header{};
    std::vector<int16_t> m_buffer;  // owned while the device plays it
};

}  // namespace standin
