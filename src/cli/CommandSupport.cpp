#include <cstdio>

#include <QCoreApplication>
#include <QFileInfo>

#include "cli/CommandSupport.h"

namespace CommandSupport {

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
        if (!QFileInfo::exists(path))
            fail(
                ExitStatus::WorkFailed,
                QCoreApplication::translate("CommandLine", "%1: このファイルはありません。名前と場所を確かめてください")
                    .arg(path));
        else
            fail(ExitStatus::WorkFailed,
                 QCoreApplication::translate("CommandLine", "%1: 読めません: %2").arg(path, read.error));
        return std::nullopt;
    case MelodyRead::Status::NoSuchVoice: {
        QStringList voices;
        for (const MidiVoice &candidate : read.voices)
            voices << QCoreApplication::translate("CommandLine", "--track %1 --channel %2（%3 音）")
                          .arg(candidate.track)
                          .arg(candidate.channel)
                          .arg(candidate.notes.size());
        fail(ExitStatus::WorkFailed,
             QCoreApplication::translate("CommandLine",
                                         "%1: トラック %2 チャンネル %3 には音がありません。音があるのは %4 です")
                 .arg(path,
                      options.track ? QString::number(options.track)
                                    : QCoreApplication::translate("CommandLine", "どれでも"),
                      options.channel ? QString::number(options.channel)
                                      : QCoreApplication::translate("CommandLine", "どれでも"),
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
        fail(ExitStatus::WorkFailed,
             QCoreApplication::translate("CommandLine", "%1: 音がわかりません: %2").arg(path, read.melodyError));
        return std::nullopt;
    }
    tell(path, read.changes);
    return read;
}

std::optional<TitledMelody> readTitledInput(const QString &path, const CommandOptions &options)
{
    const std::optional<MelodyRead> read = readInput(path, options, true);
    if (!read)
        return std::nullopt;
    // The title asked for, else the one the file gives its melody, else the file's name.
    const QString title = !options.title.isEmpty() ? options.title
        : !read->title.isEmpty()                   ? read->title
                                                   : QFileInfo(path).completeBaseName();
    TitledMelody titled{read->melody, title};
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
            changes << change.text;
        tell(path, changes);
        return ExitStatus::Success;
    }
    case OutputResult::Status::Exists:
        return fail(ExitStatus::WorkFailed,
                    QCoreApplication::translate(
                        "CommandLine", "%1: もうあるので置き換えませんでした（--force を付けると置き換えます）")
                        .arg(path));
    case OutputResult::Status::TooLong:
        return fail(
            ExitStatus::WorkFailed,
            QCoreApplication::translate("CommandLine", "%1: 曲がWAVファイルに入る長さ（約 13.5 時間）を超えています")
                .arg(path));
    case OutputResult::Status::NeedsNotes:
        return fail(ExitStatus::WorkFailed,
                    QCoreApplication::translate("CommandLine", "%1: これには曲の音が要ります").arg(path));
    case OutputResult::Status::Cancelled:
    case OutputResult::Status::Failed:
        break;
    }
    return fail(ExitStatus::WorkFailed,
                QCoreApplication::translate("CommandLine", "%1: 書き込めません: %2").arg(path, result.reason));
}

} // namespace CommandSupport
