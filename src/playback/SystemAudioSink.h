#pragma once

#include <memory>

#include <QtGlobal>

class QIODevice;

// The system's sound output, as playing needs it: the default device pulling
// 16-bit mono samples. It is Qt Multimedia's sink, in the module "audio"
// (src/base/LateModule.h), so that only playing loads the sound server's client.
class SystemAudioSink {
public:
    virtual ~SystemAudioSink() = default;
    // Starts pulling samples from source, which stays the caller's; false when the device refuses.
    virtual bool start(QIODevice *source) = 0;
    virtual void stop() = 0;
    // The device failed or went away while playing.
    virtual bool hasFailed() const = 0;
    // How much of the sound the device has played, in microseconds.
    virtual qint64 processedMicroseconds() const = 0;
};

// The default output device at sampleRate, or null when there is none, it
// cannot play 16-bit mono at that rate, or the module cannot be loaded.
std::unique_ptr<SystemAudioSink> openSystemAudioSink(int sampleRate);

// The module's entry, resolved by name: a new sink, or null as above.
using OpenSystemAudioSink = SystemAudioSink *(int sampleRate);
inline constexpr const char *OpenSystemAudioSinkSymbol = "zepa_open_system_audio_sink";
