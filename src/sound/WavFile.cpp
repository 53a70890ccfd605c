#include "sound/WavFile.h"

#include <cerrno>
#include <vector>

#include <QSaveFile>
#include <QtEndian>

#include "base/SystemReasons.h"

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

// The system's reason for the last failure, in the program's words where it
// has them.
QString reasonOf(const QSaveFile &file)
{
    return errno != 0 ? systemReasonText(errno) : file.errorString();
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

Result write(const QString &path, SoundRenderer &renderer, const Progress &progress)
{
    const qint64 total = renderer.totalSamples() - renderer.position();
    if (!fits(total))
        return {Result::Status::TooLong, QString()};
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly) || file.write(header(total)) < 0)
        return {Result::Status::Failed, reasonOf(file)};

    std::vector<qint16> block(64 * 1024);
    qint64 written = 0;
    while (!renderer.atEnd()) {
        const qsizetype count = renderer.render(block);
        if constexpr (Q_BYTE_ORDER == Q_BIG_ENDIAN) {
            for (qsizetype i = 0; i < count; ++i)
                block[std::size_t(i)] = qToLittleEndian(block[std::size_t(i)]);
        }
        const qint64 bytes = qint64(count) * 2;
        if (file.write(reinterpret_cast<const char *>(block.data()), bytes) != bytes)
            return {Result::Status::Failed, reasonOf(file)};
        written += count;
        if (progress && !progress(written, total)) {
            file.cancelWriting();
            return {Result::Status::Cancelled, QString()};
        }
    }
    if (!file.commit())
        return {Result::Status::Failed, reasonOf(file)};
    return {Result::Status::Written, QString()};
}

} // namespace WavFile
