#include "workflows/MelodyReader.h"

#include <algorithm>
#include <cerrno>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include "base/SystemReasons.h"
#include "midi/MidiImport.h"
#include "mml/MelodyFromEvents.h"
#include "mml/MmlReader.h"
#include "notation/MusicXmlReader.h"
#include "nqc/NqcReader.h"
#include "score/ComposerState.h"

namespace {

MelodyRead refused(MelodyRead::Status status, const QString &error, int line = 0, int column = 0)
{
    MelodyRead read;
    read.status = status;
    read.error = error;
    read.line = line;
    read.column = column;
    return read;
}

MelodyRead fromMelodyFile(const QByteArray &bytes)
{
    const MmlReadResult mml = readMml(bytes);
    if (!mml.ok())
        return refused(MelodyRead::Status::Refused, mml.error, mml.line, mml.column);
    MelodyRead read;
    read.status = MelodyRead::Status::Read;
    read.melody = mml.melody;
    read.events = brickEvents(read.melody.notes);
    read.changes = mml.changes;
    read.title = mml.title;
    return read;
}

MelodyRead fromProgram(const QByteArray &bytes)
{
    const NqcReadResult program = readNqcProgram(bytes);
    if (!program.ok())
        return refused(MelodyRead::Status::Refused, program.error, program.errorLine);
    MelodyRead read;
    read.status = MelodyRead::Status::Read;
    read.kind = MelodyKind::Program;
    read.events = program.events;
    MelodyFromEventsResult melody = melodyFromEvents(read.events);
    if (melody.ok())
        read.melody = std::move(melody.melody);
    else
        read.melodyError = melody.error;
    return read;
}

MelodyRead fromMidi(const QByteArray &bytes, const MelodyReadOptions &options)
{
    const MidiReadResult midi = readMidiFile(bytes);
    if (!midi.ok())
        return refused(MelodyRead::Status::Refused, midi.error);
    const std::vector<MidiVoice> &voices = midi.song.voices;
    const MidiVoice *voice = nullptr;
    if (options.chooseVoice && voices.size() > 1) {
        const std::optional<std::size_t> chosen = options.chooseVoice(voices);
        if (!chosen || *chosen >= voices.size())
            return refused(MelodyRead::Status::Cancelled, QString());
        voice = &voices[*chosen];
    } else {
        voice = findMidiVoice(midi.song, options.track, options.channel);
    }
    if (!voice) {
        MelodyRead read = refused(MelodyRead::Status::NoSuchVoice, QString());
        read.voices = voices;
        return read;
    }
    const MidiImport import = importMidiVoice(midi.song, *voice);
    if (!import.ok())
        return refused(MelodyRead::Status::Refused, import.error);
    MelodyRead read;
    read.status = MelodyRead::Status::Read;
    read.kind = MelodyKind::Midi;
    read.melody = import.melody;
    read.events = brickEvents(read.melody.notes);
    read.changes = import.changes();
    return read;
}

MelodyRead fromMusicXml(const QByteArray &bytes)
{
    const MusicXmlRead musicXml = readMusicXml(bytes);
    if (!musicXml.ok()) {
        MelodyRead read = refused(MelodyRead::Status::Refused, musicXml.error);
        read.kind = MelodyKind::MusicXml;
        return read;
    }
    MelodyRead read;
    read.status = MelodyRead::Status::Read;
    read.kind = MelodyKind::MusicXml;
    read.melody = musicXml.import.melody;
    read.events = brickEvents(read.melody.notes);
    read.changes = musicXml.leftOut + musicXml.import.changes();
    read.title = musicXml.title;
    return read;
}

} // namespace

QString MelodyRead::placedError() const
{
    if (line > 0 && column > 0)
        return QCoreApplication::translate("MelodyReader", "%1行目 %2文字目: %3").arg(line).arg(column).arg(error);
    if (line > 0)
        return QCoreApplication::translate("MelodyReader", "%1行目: %2").arg(line).arg(error);
    return error;
}

MelodyKind melodyKindOf(const QByteArray &bytes)
{
    if (bytes.startsWith("MThd") || isRiffMidi(bytes))
        return MelodyKind::Midi;
    if (bytes.startsWith("#define"))
        return MelodyKind::Program;
    // Another NQC (or NXC) program: its reader says it is none of ZEPA's,
    // rather than the melody reader stumbling on its first letter.
    static const QRegularExpression program(QStringLiteral("^\\s*task\\s+main\\s*\\("),
                                            QRegularExpression::MultilineOption);
    if (program.match(QString::fromLatin1(bytes.left(64 * 1024))).hasMatch())
        return MelodyKind::Program;
    if (looksLikeMusicXml(bytes))
        return MelodyKind::MusicXml;
    return MelodyKind::MelodyFile;
}

qint64 largestFileOf(MelodyKind kind)
{
    constexpr qint64 MiB = 1024 * 1024;
    switch (kind) {
    case MelodyKind::MelodyFile:
        return 8 * MiB;
    case MelodyKind::Program:
        return 32 * MiB;
    case MelodyKind::MusicXml:
        return 64 * MiB; // a full score is about 15 MB of MusicXML
    case MelodyKind::Midi:
        break;
    }
    return 8 * MiB;
}

namespace {

MelodyRead tooLarge(MelodyKind kind, qint64 size)
{
    constexpr double MB = 1024 * 1024;
    MelodyRead read
        = refused(MelodyRead::Status::Refused,
                  QCoreApplication::translate("MelodyReader",
                                              "%1 MB あり、ZEPAの曲（%2 音まで）のファイルとしては大きすぎます"
                                              "（%3 MB まで）。")
                      .arg(QString::number(double(size) / MB, 'f', 1))
                      .arg(ComposerState::ScoreCapacity)
                      .arg(largestFileOf(kind) / qint64(MB)));
    read.kind = kind;
    return read;
}

} // namespace

MelodyRead readMelodyBytes(const QByteArray &bytes, const MelodyReadOptions &options)
{
    const MelodyKind kind = melodyKindOf(bytes);
    if (bytes.size() > largestFileOf(kind))
        return tooLarge(kind, bytes.size());
    if (options.onlyKind && kind != *options.onlyKind) {
        // Each kind's own reader says what is missing, as it would for a broken file.
        if (*options.onlyKind == MelodyKind::Midi)
            return fromMidi(bytes, options);
        if (*options.onlyKind == MelodyKind::Program)
            return fromProgram(bytes);
        if (*options.onlyKind == MelodyKind::MusicXml)
            return fromMusicXml(bytes);
        return fromMelodyFile(bytes);
    }
    switch (kind) {
    case MelodyKind::Midi:
        return fromMidi(bytes, options);
    case MelodyKind::MusicXml:
        return fromMusicXml(bytes);
    case MelodyKind::Program:
        return fromProgram(bytes);
    case MelodyKind::MelodyFile:
        break;
    }
    return fromMelodyFile(bytes);
}

MelodyRead readMelodyFile(const QString &path, const MelodyReadOptions &options)
{
    QFile file(path);
    const auto unreadable = [&file](int error) {
        MelodyRead read = refused(MelodyRead::Status::Unreadable,
                                  error != 0 ? systemReasonText(error, FileAccess::Read) : file.errorString());
        read.systemError = file.errorString();
        return read;
    };
    if (QFileInfo(path).isDir())
        return unreadable(EISDIR);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly))
        return unreadable(errno);
    // A file larger than any kind may be is refused before it is read; a
    // device or a pipe, whose size is not known, is read only that far.
    const qint64 largest = std::max({largestFileOf(MelodyKind::MelodyFile), largestFileOf(MelodyKind::Program),
                                     largestFileOf(MelodyKind::Midi), largestFileOf(MelodyKind::MusicXml)});
    if (!file.isSequential() && file.size() > largest)
        return tooLarge(melodyKindOf(file.peek(64 * 1024)), file.size());
    QByteArray bytes;
    constexpr qint64 Chunk = 1024 * 1024;
    while (bytes.size() <= largest) {
        errno = 0;
        const QByteArray chunk = file.read(std::min(Chunk, largest + 1 - bytes.size()));
        if (file.error() != QFileDevice::NoError)
            return unreadable(errno);
        if (chunk.isEmpty())
            break;
        bytes += chunk;
    }
    return readMelodyBytes(bytes, options);
}
