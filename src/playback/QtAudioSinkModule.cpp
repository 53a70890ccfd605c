// The module "audio": Qt Multimedia's sink behind SystemAudioSink. Only this
// file links Qt Multimedia, and with it the sound server's client.
#include <memory>

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>

#include "playback/SystemAudioSink.h"

namespace {

class QtAudioSink : public SystemAudioSink {
public:
    QtAudioSink(const QAudioDevice &device, const QAudioFormat &format)
        : m_sink(device, format)
    { }

    bool start(QIODevice *source) override
    {
        m_sink.start(source);
        return m_sink.error() == QAudio::NoError;
    }

    void stop() override { m_sink.stop(); }

    bool hasFailed() const override
    {
        const QAudio::Error error = m_sink.error();
        return error == QAudio::OpenError || error == QAudio::FatalError || error == QAudio::IOError;
    }

    qint64 processedMicroseconds() const override { return m_sink.processedUSecs(); }

private:
    QAudioSink m_sink;
};

} // namespace

extern "C" Q_DECL_EXPORT SystemAudioSink *zepa_open_system_audio_sink(int sampleRate)
{
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull())
        return nullptr;
    QAudioFormat format;
    format.setSampleRate(sampleRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!device.isFormatSupported(format))
        return nullptr;
    return new QtAudioSink(device, format);
}
