#include "cli/CommandSupport.h"

#include <cstdio>

#include <QFileInfo>
#include <QLocale>

namespace CommandSupport {

bool japanese()
{
    return QLocale::system().language() == QLocale::Japanese;
}

int fail(int status, const QString &message)
{
    std::fprintf(stderr, "zepa: %s\n", qPrintable(message));
    return status;
}

void tell(const QString &path, const QStringList &changes)
{
    for (const QString &change : changes)
        std::fprintf(stderr, "zepa: %s: %s\n", qPrintable(path), qPrintable(change));
}

std::optional<MelodyRead> readInput(const QString &path, const CommandOptions &options, bool needsNotes)
{
    MelodyReadOptions reading;
    reading.track = options.track;
    reading.channel = options.channel;
    const MelodyRead read = readMelodyFile(path, reading);
    switch (read.status) {
    case MelodyRead::Status::Read:
        break;
    case MelodyRead::Status::Unreadable:
        fail(ExitStatus::WorkFailed, QStringLiteral("%1: cannot read: %2").arg(path, read.systemError));
        return std::nullopt;
    case MelodyRead::Status::NoSuchVoice: {
        QStringList voices;
        for (const MidiVoice &candidate : read.voices)
            voices << QStringLiteral("--track %1 --channel %2 (%3 notes)")
                          .arg(candidate.track)
                          .arg(candidate.channel)
                          .arg(candidate.notes.size());
        fail(ExitStatus::WorkFailed, QStringLiteral("%1: no notes in track %2 channel %3; notes are in %4")
                                         .arg(path, options.track ? QString::number(options.track) : QStringLiteral("any"),
                                              options.channel ? QString::number(options.channel) : QStringLiteral("any"),
                                              voices.join(QStringLiteral(", "))));
        return std::nullopt;
    }
    case MelodyRead::Status::Cancelled:
    case MelodyRead::Status::Refused: {
        QString place = path;
        if (read.line > 0)
            place += QStringLiteral(":%1").arg(read.line);
        if (read.column > 0)
            place += QStringLiteral(":%1").arg(read.column);
        fail(ExitStatus::WorkFailed, QStringLiteral("%1: %2").arg(place, read.error));
        return std::nullopt;
    }
    }
    if (needsNotes && !read.hasMelody()) {
        fail(ExitStatus::WorkFailed, QStringLiteral("%1: its notes cannot be told: %2").arg(path, read.melodyError));
        return std::nullopt;
    }
    tell(path, japanese() ? read.changesJapanese : read.changesEnglish);
    return read;
}

std::optional<TitledMelody> readTitledInput(const QString &path, const CommandOptions &options)
{
    const std::optional<MelodyRead> read = readInput(path, options, true);
    if (!read)
        return std::nullopt;
    TitledMelody titled{read->melody, options.title.isEmpty() ? QFileInfo(path).completeBaseName() : options.title};
    if (options.meter)
        titled.melody.meter = *options.meter;
    return titled;
}

int writeOutputFile(OutputKind kind, const OutputSource &source, const QString &path, const CommandOptions &options)
{
    const OutputResult result = writeOutput(
        kind, source, path, options.force ? UserFileWriter::Replace::Existing : UserFileWriter::Replace::Never);
    switch (result.status) {
    case OutputResult::Status::Written: {
        QStringList changes;
        for (const ExportChange &change : result.changes)
            changes << (japanese() ? change.japanese : change.english);
        tell(path, changes);
        return ExitStatus::Success;
    }
    case OutputResult::Status::Exists:
        return fail(ExitStatus::WorkFailed,
                    QStringLiteral("%1: exists already; not replaced (--force replaces it)").arg(path));
    case OutputResult::Status::TooLong:
        return fail(ExitStatus::WorkFailed,
                    QStringLiteral("%1: the melody is longer than a WAV file can hold (about 13.5 hours)").arg(path));
    case OutputResult::Status::NeedsNotes:
        return fail(ExitStatus::WorkFailed, QStringLiteral("%1: this needs the melody's notes").arg(path));
    case OutputResult::Status::Cancelled:
    case OutputResult::Status::Failed:
        break;
    }
    return fail(ExitStatus::WorkFailed, QStringLiteral("%1: cannot write: %2").arg(path, result.reason));
}

} // namespace CommandSupport
