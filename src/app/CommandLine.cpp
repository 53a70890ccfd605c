#include "app/CommandLine.h"

#include <cstdio>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <QSaveFile>

#include "mml/MelodyFromEvents.h"
#include "mml/MmlReader.h"
#include "mml/MmlWriter.h"
#include "nqc/MusicFileSaver.h"
#include "nqc/NqcProgram.h"
#include "nqc/NqcReader.h"
#include "nqc/PosixFileSystem.h"
#include "playback/SpeakerOutput.h"
#include "sound/WavFile.h"

namespace {

constexpr int Success = 0;
constexpr int WorkFailed = 1;
constexpr int UsageError = 2;

const char *const Usage
    = "Usage: zepa [COMMAND ARGUMENTS]\n"
      "Without a command, ZEPA opens its windows.\n"
      "\n"
      "Commands:\n"
      "  render INPUT OUTPUT.wav  write the melody of INPUT as a WAV file\n"
      "                           (44100 Hz, mono, 16-bit), e.g. zepa render music0.nqc melody.wav\n"
      "  play INPUT               play the melody of INPUT and end when it has been heard\n"
      "                           (Ctrl+C stops it), e.g. zepa play music0.nqc\n"
      "  --help                   show this text\n"
      "\n"
      "INPUT is an NQC program that ZEPA wrote (music0.nqc, ...).\n";

int fail(int status, const QString &message)
{
    std::fprintf(stderr, "zepa: %s\n", qPrintable(message));
    return status;
}

bool isMelodyFile(const QString &path)
{
    return QFileInfo(path).suffix().compare(QStringLiteral("mml"), Qt::CaseInsensitive) == 0;
}

bool readFile(const QString &path, QByteArray &bytes, QString &message)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        message = QStringLiteral("%1: cannot read: %2").arg(path, file.errorString());
        return false;
    }
    bytes = file.readAll();
    return true;
}

bool readMelodyFile(const QString &path, Melody &melody, QString &message)
{
    QByteArray bytes;
    if (!readFile(path, bytes, message))
        return false;
    const MmlReadResult read = readMml(bytes);
    if (!read.ok()) {
        message = QStringLiteral("%1:%2:%3: %4").arg(path).arg(read.line).arg(read.column).arg(read.error);
        return false;
    }
    melody = read.melody;
    return true;
}

// The events of the melody in INPUT, a melody file or a program ZEPA wrote,
// or a one-line message why not.
bool readMelody(const QString &path, std::vector<BrickEvent> &events, QString &message)
{
    if (isMelodyFile(path)) {
        Melody melody;
        if (!readMelodyFile(path, melody, message))
            return false;
        events = brickEvents(melody.notes);
        return true;
    }
    QByteArray bytes;
    if (!readFile(path, bytes, message))
        return false;
    const NqcReadResult read = readNqcProgram(bytes);
    if (!read.ok()) {
        message = QStringLiteral("%1:%2: %3").arg(path).arg(read.errorLine).arg(read.error);
        return false;
    }
    events = read.events;
    return true;
}

int render(const QStringList &arguments)
{
    if (arguments.size() != 2)
        return fail(UsageError, QStringLiteral("render takes INPUT and OUTPUT.wav; see zepa --help"));
    std::vector<BrickEvent> events;
    QString message;
    if (!readMelody(arguments[0], events, message))
        return fail(WorkFailed, message);
    const QString &output = arguments[1];
    if (QFileInfo::exists(output) || QFileInfo(output).isSymLink())
        return fail(WorkFailed, QStringLiteral("%1: exists already; not replaced").arg(output));
    SoundRenderer renderer(toneTimeline(events));
    const WavFile::Result result = WavFile::write(output, renderer);
    switch (result.status) {
    case WavFile::Result::Status::Written:
        return Success;
    case WavFile::Result::Status::TooLong:
        return fail(
            WorkFailed,
            QStringLiteral("%1: the melody is longer than a WAV file can hold (about 13.5 hours)").arg(arguments[0]));
    case WavFile::Result::Status::Cancelled:
    case WavFile::Result::Status::Failed:
        break;
    }
    return fail(WorkFailed, QStringLiteral("%1: cannot write: %2").arg(output, result.reason));
}

int play(const QStringList &arguments)
{
    if (arguments.size() != 1)
        return fail(UsageError, QStringLiteral("play takes one INPUT; see zepa --help"));
    std::vector<BrickEvent> events;
    QString message;
    if (!readMelody(arguments[0], events, message))
        return fail(WorkFailed, message);
    SpeakerOutput speaker;
    int status = Success;
    QObject::connect(&speaker, &SoundOutput::finished, [] { QCoreApplication::exit(Success); });
    QObject::connect(&speaker, &SoundOutput::failed, [&status] {
        status = fail(WorkFailed, QStringLiteral("the sound output device went away while playing"));
        QCoreApplication::exit(status);
    });
    if (!speaker.play(std::move(events)))
        return fail(WorkFailed,
                    QStringLiteral("no sound output device found; 'zepa render' writes the melody as "
                                   "a WAV file instead"));
    QCoreApplication::exec();
    return status;
}

bool exists(const QString &path)
{
    return QFileInfo::exists(path) || QFileInfo(path).isSymLink();
}

int writeNqc(const QStringList &arguments)
{
    if (arguments.isEmpty() || arguments.size() > 2)
        return fail(UsageError, QStringLiteral("nqc takes INPUT.mml and, if you like, OUTPUT.nqc; see zepa --help"));
    Melody melody;
    QString message;
    if (!readMelodyFile(arguments[0], melody, message))
        return fail(WorkFailed, message);
    const ContentsWriter program = [&melody](OutputFile &file, QString &reason) {
        return composeNqcProgram(melody.notes, [&](std::string_view piece) { return file.write(piece, reason); });
    };
    if (arguments.size() == 1) {
        PosixFileSystem here;
        const SaveResult saved = saveMusicFile(here, program);
        if (saved.status == SaveResult::Status::Saved) {
            std::printf("%s\n", qPrintable(saved.fileName));
            return Success;
        }
        if (saved.status == SaveResult::Status::NoFreeName)
            return fail(WorkFailed, QStringLiteral("music0.nqc to music32767.nqc are all taken here"));
        return fail(WorkFailed, QStringLiteral("%1: cannot write: %2").arg(saved.fileName, saved.reason));
    }
    // A named output: complete or not there, and never in place of a file.
    const QFileInfo output(arguments[1]);
    if (exists(arguments[1]))
        return fail(WorkFailed, QStringLiteral("%1: exists already; not replaced").arg(arguments[1]));
    PosixFileSystem folder(output.absolutePath());
    FileSystem::CreateResult created = folder.createUnnamed();
    QString reason = created.reason;
    if (created.status == FileSystem::CreateStatus::Created && program(*created.file, reason)
        && created.file->flush(reason)) {
        switch (created.file->giveName(output.fileName(), reason)) {
        case OutputFile::NameResult::Named:
            return Success;
        case OutputFile::NameResult::Taken:
            return fail(WorkFailed, QStringLiteral("%1: exists already; not replaced").arg(arguments[1]));
        case OutputFile::NameResult::Failed:
            break;
        }
    }
    return fail(WorkFailed, QStringLiteral("%1: cannot write: %2").arg(arguments[1], reason));
}

int writeMml(const QStringList &arguments)
{
    if (arguments.size() != 2)
        return fail(UsageError, QStringLiteral("mml takes INPUT.nqc and OUTPUT.mml; see zepa --help"));
    std::vector<BrickEvent> events;
    QString message;
    if (!readMelody(arguments[0], events, message))
        return fail(WorkFailed, message);
    const MelodyFromEventsResult melody = melodyFromEvents(events);
    if (!melody.ok())
        return fail(WorkFailed, QStringLiteral("%1: cannot be made a melody file: %2").arg(arguments[0], melody.error));
    if (exists(arguments[1]))
        return fail(WorkFailed, QStringLiteral("%1: exists already; not replaced").arg(arguments[1]));
    QSaveFile file(arguments[1]);
    const QByteArray text = mmlText(melody.melody);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
        return fail(WorkFailed, QStringLiteral("%1: cannot write: %2").arg(arguments[1], file.errorString()));
    return Success;
}

} // namespace

bool isCommandLine(int argc, char *argv[])
{
    Q_UNUSED(argv);
    return argc > 1;
}

int runCommandLine(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QStringList arguments = QCoreApplication::arguments().mid(1);
    const QString command = arguments.takeFirst();
    if (command == QStringLiteral("--help") || command == QStringLiteral("-h")) {
        std::fputs(Usage, stdout);
        return Success;
    }
    if (command == QStringLiteral("render"))
        return render(arguments);
    if (command == QStringLiteral("play"))
        return play(arguments);
    if (command == QStringLiteral("nqc"))
        return writeNqc(arguments);
    if (command == QStringLiteral("mml"))
        return writeMml(arguments);
    return fail(UsageError, QStringLiteral("unknown command \"%1\"; see zepa --help").arg(command));
}
