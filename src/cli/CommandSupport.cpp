#include <cstdio>

#include <QCoreApplication>
#include <QFileInfo>

#include "cli/CommandSupport.h"

#include "base/ShownText.h"

#include "controller/ExportMelody.h"
#include "controller/ReadMelody.h"

namespace CommandSupport {

int fail(int status, const QString &message)
{
    std::fprintf(stderr, "zepa: %s\n", qPrintable(shownWhole(message)));
    return status;
}

void tell(const QString &path, const QStringList &changes)
{
    for (const QString &change : changes)
        std::fprintf(stderr, "zepa: %s: %s\n", qPrintable(shownWhole(path)), qPrintable(shownWhole(change)));
}

namespace {

// The reasons an input cannot be used, each a line on standard error.
class ReadRefusals : public ReadPort {
public:
    explicit ReadRefusals(const VoiceOptions &voice)
        : m_voice(voice)
    { }

    void refused(const QString &path, const MelodyRead &read) override
    {
        switch (read.status) {
        case MelodyRead::Status::Read:
            fail(ExitStatus::WorkFailed,
                 QCoreApplication::translate("CommandLine", "%1: 音がわかりません: %2").arg(path, read.melodyError));
            return;
        case MelodyRead::Status::Unreadable:
            if (!QFileInfo::exists(path))
                fail(ExitStatus::WorkFailed,
                     QCoreApplication::translate("CommandLine",
                                                 "%1: このファイルはありません。名前と場所を確かめてください")
                         .arg(path));
            else
                fail(ExitStatus::WorkFailed,
                     QCoreApplication::translate("CommandLine", "%1: 読めません: %2").arg(path, read.error));
            return;
        case MelodyRead::Status::NoSuchVoice:
            noSuchVoice(path, read);
            return;
        case MelodyRead::Status::Cancelled:
        case MelodyRead::Status::Refused:
            break;
        }
        QString place = path;
        if (read.line > 0)
            place += QStringLiteral(":%1").arg(read.line);
        if (read.column > 0)
            place += QStringLiteral(":%1").arg(read.column);
        fail(ExitStatus::WorkFailed, QStringLiteral("%1: %2").arg(place, read.error));
    }

private:
    void noSuchVoice(const QString &path, const MelodyRead &read) const
    {
        QStringList voices;
        for (const MidiVoice &candidate : read.voices)
            voices << QCoreApplication::translate("CommandLine", "--track %1 --channel %2（%n 音）", nullptr,
                                                  int(candidate.notes.size()))
                          .arg(candidate.track)
                          .arg(candidate.channel);
        const QString any = QCoreApplication::translate("CommandLine", "どれでも");
        fail(ExitStatus::WorkFailed,
             QCoreApplication::translate("CommandLine",
                                         "%1: トラック %2 チャンネル %3 には音がありません。音があるのは %4 です")
                 .arg(path, m_voice.track ? QString::number(m_voice.track) : any,
                      m_voice.channel ? QString::number(m_voice.channel) : any, voices.join(QStringLiteral(", "))));
    }

    const VoiceOptions &m_voice;
};

// The output's file is the argument, --force decides about one that is there,
// and what became of it is a line on standard error and the exit status.
class ExportToArgument : public ExportPort {
public:
    ExportToArgument(const QString &id, const QString &path, const ForceOption &force)
        : m_id(id)
        , m_path(path)
        , m_force(force)
    { }

    int status() const { return m_status; }

    std::optional<QString> title(const OutputFormat &, const QString &offered) override { return offered; }

    QString destination(const std::vector<OutputFormat> &offered, std::size_t &chosen) override
    {
        for (std::size_t i = 0; i < offered.size(); ++i) {
            if (offered[i].id == m_id)
                chosen = i;
        }
        return m_path;
    }

    UserFileWriter::Replace replace() const override { return m_force.replace(); }
    OutputProgress progress(const OutputFormat &) override { return {}; }

    void finished(const OutputFormat &, const QString &, const OutputResult &result) override
    {
        using Status = OutputResult::Status;
        m_status = ExitStatus::WorkFailed;
        switch (result.status) {
        case Status::Written: {
            QStringList changes;
            for (const ExportChange &change : result.changes)
                changes << change.text;
            tell(m_path, changes);
            m_status = ExitStatus::Success;
            return;
        }
        case Status::Exists:
            fail(m_status,
                 QCoreApplication::translate("CommandLine",
                                             "%1: もうあるので置き換えませんでした（--force を付けると置き換えます）")
                     .arg(m_path));
            return;
        case Status::TooLong:
        case Status::NeedsNotes:
            fail(m_status, QStringLiteral("%1: %2").arg(m_path, result.reason.split(u'\n').join(u' ')));
            return;
        case Status::Cancelled:
        case Status::Failed:
            break;
        }
        fail(m_status, QCoreApplication::translate("CommandLine", "%1: 書き込めません: %2").arg(m_path, result.reason));
    }

private:
    QString m_id;
    QString m_path;
    const ForceOption &m_force;
    int m_status = ExitStatus::WorkFailed;
};

} // namespace

std::optional<MelodyRead> readInput(const QString &path, const VoiceOptions &voice, bool needsNotes)
{
    ReadRefusals refusals(voice);
    std::optional<MelodyRead> read = ReadMelody(refusals).run(path, voice.reading(), needsNotes);
    if (read)
        tell(path, read->changes);
    return read;
}

std::optional<TitledMelody> readTitledInput(const QString &path, const SheetOptions &sheet)
{
    const std::optional<MelodyRead> read = readInput(path, VoiceOptions{}, true);
    if (!read)
        return std::nullopt;
    // The title asked for, else the one the file gives its melody, else the file's name.
    const QString title = !sheet.title.isEmpty() ? sheet.title
        : !read->title.isEmpty()                 ? read->title
                                                 : QFileInfo(path).completeBaseName();
    TitledMelody titled{read->melody, title};
    if (sheet.meter)
        titled.melody.meter = *sheet.meter;
    return titled;
}

int writeOutputFile(const QString &id, const OutputSource &source, const QString &path, const ForceOption &force)
{
    ExportToArgument port(id, path, force);
    ExportMelody(port).run(id, source);
    return port.status();
}

} // namespace CommandSupport
