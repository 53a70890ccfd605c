#include "sound/WavFile.h"

#include <vector>

#include <QtEndian>


namespace WavFile {
namespace {

void appendLittleEndian32(QByteArray &out, quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

void appendLittleEndian16(QByteArray &out, quint16 value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

} // namespace

bool fits(qint64 samples)
{
    return samples >= 0 && samples * 2 <= MaximumDataBytes;
}

QByteArray header(qint64 samples)
{
    Q_ASSERT(fits(samples));
    const auto dataBytes = quint32(samples * 2);
    QByteArray out;
    out.append("RIFF");
    appendLittleEndian32(out, 36 + dataBytes);
    out.append("WAVEfmt ");
    appendLittleEndian32(out, 16); // size of the format chunk
    appendLittleEndian16(out, 1); // PCM
    appendLittleEndian16(out, 1); // mono
    appendLittleEndian32(out, BrickSound::SampleRate); // samples a second
    appendLittleEndian32(out, BrickSound::SampleRate * 2); // bytes a second
    appendLittleEndian16(out, 2); // bytes a sample
    appendLittleEndian16(out, 16); // bits a sample
    out.append("data");
    appendLittleEndian32(out, dataBytes);
    return out;
}

Streamed stream(SoundRenderer &renderer, const Sink &sink, const Progress &progress)
{
    const qint64 total = renderer.totalSamples() - renderer.position();
    Q_ASSERT(fits(total));
    const QByteArray head = header(total);
    if (!sink(std::string_view(head.constData(), std::size_t(head.size()))))
        return Streamed::Failed;

    std::vector<qint16> block(64 * 1024);
    qint64 written = 0;
    while (!renderer.atEnd()) {
        const qsizetype count = renderer.render(block);
        if constexpr (Q_BYTE_ORDER == Q_BIG_ENDIAN) {
            for (qsizetype i = 0; i < count; ++i)
                block[std::size_t(i)] = qToLittleEndian(block[std::size_t(i)]);
        }
        if (!sink(std::string_view(reinterpret_cast<const char *>(block.data()), std::size_t(count) * 2)))
            return Streamed::Failed;
        written += count;
        if (progress && !progress(written, total))
            return Streamed::Cancelled;
    }
    return Streamed::Done;
}

} // namespace WavFile
