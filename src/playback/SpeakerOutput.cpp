#include "playback/SpeakerOutput.h"

#include <algorithm>

#include <QIODevice>
#include <QTimer>

#include "playback/SystemAudioSink.h"
#include "sound/SoundRenderer.h"

namespace {

constexpr qint64 LeadSamples = BrickSound::SampleRate / 10; // 100 ms
constexpr qint64 TailSamples = BrickSound::SampleRate * 3 / 10; // 300 ms
constexpr int PollMilliseconds = 50;
// A sink whose processed time stands still this long has nothing more to play.
constexpr int StalledPollsToGiveUp = 40;

} // namespace

// The melody as the sink pulls it: silence, the rendered melody, silence.
class RenderedSound : public QIODevice {
public:
    explicit RenderedSound(std::vector<BrickEvent> events)
        : m_renderer(toneTimeline(events))
    { }

    qint64 totalSamples() const { return LeadSamples + m_renderer.totalSamples() + TailSamples; }
    qint64 melodySamples() const { return m_renderer.totalSamples(); }

    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override { return (totalSamples() - m_position) * 2 + QIODevice::bytesAvailable(); }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        auto *out = reinterpret_cast<qint16 *>(data);
        const qint64 wanted = std::min(maxSize / 2, totalSamples() - m_position);
        qint64 done = 0;
        while (done < wanted) {
            const qint64 melodyStart = LeadSamples;
            const qint64 melodyEnd = LeadSamples + m_renderer.totalSamples();
            qint64 count = 0;
            if (m_position < melodyStart || m_position >= melodyEnd) {
                const qint64 silenceEnd = m_position < melodyStart ? melodyStart : totalSamples();
                count = std::min(wanted - done, silenceEnd - m_position);
                std::fill_n(out + done, count, qint16(0));
            } else {
                count = m_renderer.render(std::span(out + done, std::size_t(wanted - done)));
            }
            done += count;
            m_position += count;
        }
        return done * 2;
    }

    qint64 writeData(const char *, qint64) override { return -1; }

private:
    SoundRenderer m_renderer;
    qint64 m_position = 0;
};

SpeakerOutput::SpeakerOutput(QObject *parent)
    : SoundOutput(parent)
    , m_poll(new QTimer(this))
{
    m_poll->setInterval(PollMilliseconds);
    connect(m_poll, &QTimer::timeout, this, &SpeakerOutput::poll);
}

SpeakerOutput::~SpeakerOutput()
{
    stop();
}

bool SpeakerOutput::play(std::vector<BrickEvent> events)
{
    stop();
    m_sink = openSystemAudioSink(BrickSound::SampleRate);
    if (!m_sink)
        return false;
    m_source = std::make_unique<RenderedSound>(std::move(events));
    m_source->open(QIODevice::ReadOnly);
    m_totalTicks = m_source->melodySamples() / BrickSound::SamplesPerTick;
    if (!m_sink->start(m_source.get())) {
        m_sink.reset();
        m_source.reset();
        return false;
    }
    m_lastProcessed = -1;
    m_stalledPolls = 0;
    m_poll->start();
    return true;
}

void SpeakerOutput::stop()
{
    m_poll->stop();
    if (m_sink) {
        m_sink->stop();
        m_sink.reset();
    }
    m_source.reset();
}

void SpeakerOutput::poll()
{
    if (!m_sink)
        return;
    if (m_sink->hasFailed()) {
        stop();
        emit failed();
        return;
    }
    const qint64 processedSamples = m_sink->processedMicroseconds() * BrickSound::SampleRate / 1000000;
    const qint64 heard = std::clamp<qint64>(processedSamples - LeadSamples, 0, m_source->melodySamples());
    emit progressed(heard / BrickSound::SamplesPerTick, m_totalTicks);
    m_stalledPolls = processedSamples == m_lastProcessed ? m_stalledPolls + 1 : 0;
    m_lastProcessed = processedSamples;
    if (processedSamples >= m_source->totalSamples() || m_stalledPolls >= StalledPollsToGiveUp)
        end();
}

void SpeakerOutput::end()
{
    stop();
    emit finished();
}
