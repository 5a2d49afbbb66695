#include "standin/SoundOut.h"

#include <mmsystem.h>

#include "standin/core/WavFile.h"

namespace standin {

std::unique_ptr<SoundSink> SoundOut::Create() { return std::unique_ptr<SoundSink>(new SoundOut()); }

SoundOut::~SoundOut() { Stop(); }

void SoundOut::Play(const std::vector<int16_t> &samples, size_t from) {
    Stop();
    if (from >= samples.size()) return;
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 1;
    format.nSamplesPerSec = kSampleRate;
    format.wBitsPerSample = 16;
    format.nBlockAlign = 2;
    format.nAvgBytesPerSec = kSampleRate * 2;
    if (waveOutOpen(&m_out, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR) {
        m_out = nullptr;
        return;
    }
    m_buffer.assign(samples.begin() + from, samples.end());
    m_header = WAVEHDR{};
    m_header.lpData = reinterpret_cast<LPSTR>(m_buffer.data());
    m_header.dwBufferLength = static_cast<DWORD>(m_buffer.size() * 2);
    if (waveOutPrepareHeader(m_out, &m_header, sizeof m_header) != MMSYSERR_NOERROR ||
        waveOutWrite(m_out, &m_header, sizeof m_header) != MMSYSERR_NOERROR)
        Stop();
}

void SoundOut::Pause() {
    if (m_out) waveOutPause(m_out);
}

void SoundOut::Resume() {
    if (m_out) waveOutRestart(m_out);
}

void SoundOut::Stop() {
    if (!m_out) return;
    waveOutReset(m_out);
    waveOutUnprepareHeader(m_out, &m_header, sizeof m_header);
    waveOutClose(m_out);
    m_out = nullptr;
    m_buffer.clear();
}

}  // namespace standin
