#pragma once

#include <memory>

#include "playback/SoundOutput.h"

class QTimer;
class RenderedSound;
class SystemAudioSink;

// Plays through Qt Multimedia (on Debian, the PulseAudio server or PipeWire's
// Pulse server). A fresh sink can lose its first few milliseconds and reports
// idle when its source runs dry, not when the sound has been heard, so the
// melody is led by 100 ms of silence and followed by 300 ms, and playing ends
// only when the time the sink has processed reaches the end.
class SpeakerOutput : public SoundOutput {
    Q_OBJECT

public:
    explicit SpeakerOutput(QObject *parent = nullptr);
    ~SpeakerOutput() override;

    bool play(std::vector<BrickEvent> events) override;
    void stop() override;
    bool isPlaying() const override { return m_sink != nullptr; }

private:
    void poll();
    void end();

    std::unique_ptr<SystemAudioSink> m_sink;
    std::unique_ptr<RenderedSound> m_source;
    QTimer *m_poll;
    qint64 m_totalTicks = 0;
    qint64 m_lastProcessed = -1;
    int m_stalledPolls = 0;
};
