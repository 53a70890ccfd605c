#include <map>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "base/ProgramInfo.h"
#include "common/NoteBuilders.h"
#include "common/OutsideChecks.h"
#include "midi/MidiWriter.h"
#include "notation/LilyPondWriter.h"
#include "notation/MusicXmlWriter.h"
#include "nqc/NqcProgram.h"
#include "score/ComposerState.h"
#include "sound/WavFile.h"
#include "workflows/Outputs.h"

namespace {

Melody shortMelody()
{
    Melody melody;
    melody.tempo = 120;
    melody.notes
        = {toneNote(0, Octave::Middle, 50), restNote(25), toneNote(9, Octave::High, 400, Articulation::SlurOrTie)};
    for (NoteRecord &note : melody.notes)
        note.length = NoteLength::Quarter;
    return melody;
}

// What the layer below writes for the format, byte for byte.
QByteArray expectedBytes(const QString &kind, const Melody &melody)
{
    const OutputFormat &format = outputFormat(kind);
    if (format.brick)
        return exportProgram(*format.brick, melody.notes, melody.tempo).text;
    if (kind == OutputId::Nqc)
        return QByteArray::fromStdString(nqcProgramText(melody.notes));
    if (kind == OutputId::Midi)
        return MidiFile::write(melody.notes, melody.tempo);
    if (kind == OutputId::MidiAsPlayed)
        return MidiFile::write(melody.notes, melody.tempo, MidiFile::Timing::AsPlayed);
    if (kind == OutputId::MusicXml)
        return musicXmlText(melody, QString(), QStringLiteral("ZEPA %1").arg(programVersionText())).bytes;
    if (kind == OutputId::LilyPond)
        return lilyPondText(writeMelody(melody));
    return {};
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

// A PDF says when it was made, to the second: two writings a second apart
// differ there and nowhere else.
QByteArray withoutDate(QByteArray bytes)
{
    static const QRegularExpression date(QStringLiteral(R"(/CreationDate \(D:[^)]*\))"));
    return QString::fromLatin1(bytes).remove(date).toLatin1();
}

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace

class OutputsTest : public QObject {
    Q_OBJECT

private slots:
    void everyOutputIsWrittenWholeAndReplacesOnlyWhenAsked_data();
    void everyOutputIsWrittenWholeAndReplacesOnlyWhenAsked();
    void namesComeFromTheMelody_data();
    void namesComeFromTheMelody();
    void aProgramWithoutNotesGivesWhatItsStatementsCan();
    void wavReadersNotOursAgreeOnHeaderAndSamples();
    void wavTooLongIsRefusedWithoutWriting();
    void wavCancelledLeavesNothing();
};

void OutputsTest::everyOutputIsWrittenWholeAndReplacesOnlyWhenAsked_data()
{
    QTest::addColumn<QString>("kind");
    for (const OutputFormat &format : outputFormats())
        QTest::newRow(qPrintable(format.commandName)) << format.id;
}

void OutputsTest::everyOutputIsWrittenWholeAndReplacesOnlyWhenAsked()
{
    QFETCH(QString, kind);
    const Melody melody = shortMelody();
    const OutputSource source = OutputSource::of(melody);
    QTemporaryDir directory;
    const QString path = directory.filePath(suggestedOutputName(kind, QStringLiteral("曲")));

    OutputResult result = writeOutput(kind, source, path, UserFileWriter::Replace::Never);
    QCOMPARE(result.status, OutputResult::Status::Written);
    const QByteArray written = contents(path);
    if (kind == OutputId::Wav)
        QVERIFY(written.startsWith(WavFile::header((50 + 25 + 400) * 441)));
    else if (kind == OutputId::Pdf)
        QVERIFY(written.startsWith("%PDF-"));
    else
        QCOMPARE(written, expectedBytes(kind, melody));
    if (const std::optional<ExportTarget> brick = outputFormat(kind).brick)
        QVERIFY(result.changes == exportProgram(*brick, melody.notes, melody.tempo).changes);
    // What the EV3's file menu runs: its interpreter on the first line, lines
    // ended by LF alone, the execute bit; nothing else is made executable.
    const std::map<QString, QByteArray> interpreters{
        {QStringLiteral("ev3dev"), "#!/usr/bin/env python3\n"},
        {QStringLiteral("pybricks"), "#!/usr/bin/env pybricks-micropython\n"}};
    const auto runs = [&](const QString &file) {
        return QFileInfo(file).permissions().testFlags(QFile::ExeOwner | QFile::ReadOwner);
    };
    QCOMPARE(runs(path), interpreters.contains(kind));
    if (interpreters.contains(kind)) {
        QVERIFY(written.startsWith(interpreters.at(kind)));
        QVERIFY(!written.contains('\r'));
    }

    // Never: the file there stays as it is, and nothing else is left behind.
    QFile other(path);
    QVERIFY(other.open(QIODevice::WriteOnly) && other.write("someone else's") == 14);
    other.close();
    result = writeOutput(kind, source, path, UserFileWriter::Replace::Never);
    QCOMPARE(result.status, OutputResult::Status::Exists);
    QCOMPARE(contents(path), QByteArray("someone else's"));
    QCOMPARE(entries(directory.path()), QStringList{QFileInfo(path).fileName()});
    // Asked to replace: whole.
    QCOMPARE(writeOutput(kind, source, path, UserFileWriter::Replace::Existing).status, OutputResult::Status::Written);
    QCOMPARE(withoutDate(contents(path)), withoutDate(written));
    QCOMPARE(runs(path), interpreters.contains(kind));

    // A folder that is not there: the reason in the program's words, no file.
    for (UserFileWriter::Replace replace : {UserFileWriter::Replace::Never, UserFileWriter::Replace::Existing}) {
        const QString lost = directory.filePath(QStringLiteral("gone/") + QFileInfo(path).fileName());
        result = writeOutput(kind, source, lost, replace);
        QCOMPARE(result.status, OutputResult::Status::Failed);
        QCOMPARE(result.reason, QStringLiteral("ファイルまたはフォルダがありません。"));
    }
    QCOMPARE(entries(directory.path()), QStringList{QFileInfo(path).fileName()});
}

void OutputsTest::namesComeFromTheMelody_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("melodyName");
    QTest::addColumn<QString>("suggested");
    QTest::newRow("a named melody as WAV") << OutputId::Wav << "ふるさと"
                                           << "ふるさと.wav";
    QTest::newRow("a named melody for Pybricks") << QStringLiteral("pybricks") << "furusato"
                                                 << "furusato_pybricks.py";
    QTest::newRow("a new melody as MIDI") << OutputId::Midi << ""
                                          << "melody.mid";
    QTest::newRow("a new melody for ev3dev") << QStringLiteral("ev3dev") << ""
                                             << "melody_ev3dev.py";
}

void OutputsTest::namesComeFromTheMelody()
{
    QFETCH(QString, kind);
    QFETCH(QString, melodyName);
    QFETCH(QString, suggested);
    QCOMPARE(suggestedOutputName(kind, melodyName), suggested);
}

void OutputsTest::aProgramWithoutNotesGivesWhatItsStatementsCan()
{
    // Statements whose notes cannot be told: sound and program, not the rest.
    OutputSource source;
    source.events = {{BrickEvent::Kind::Tone, 12, 7}, {BrickEvent::Kind::Wait, 0, 13}};
    QTemporaryDir directory;
    for (const OutputFormat &format : outputFormats()) {
        const bool fromStatements = format.id == OutputId::Nqc || format.id == OutputId::Wav;
        const OutputResult result
            = writeOutput(format.id, source, directory.filePath(format.commandName), UserFileWriter::Replace::Never);
        QCOMPARE(result.status, fromStatements ? OutputResult::Status::Written : OutputResult::Status::NeedsNotes);
    }
    QCOMPARE(contents(directory.filePath(QStringLiteral("nqc"))),
             QByteArray::fromStdString(nqcProgramText(source.events)));
}

void OutputsTest::wavReadersNotOursAgreeOnHeaderAndSamples()
{
    ZEPA_OUTSIDE_CHECK();
    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("melody.wav"));
    QCOMPARE(writeOutput(OutputId::Wav, OutputSource::of(shortMelody()), path, UserFileWriter::Replace::Never).status,
             OutputResult::Status::Written);

    // Python's wave module: format, count, and the samples themselves.
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    QVERIFY2(!python.isEmpty(), "python3 (Debian package python3) is needed to read the file");
    QProcess reader;
    reader.start(python,
                 {QStringLiteral("-c"), QStringLiteral(R"(import sys, wave, array
w = wave.open(sys.argv[1])
a = array.array('h', w.readframes(w.getnframes()))
print(w.getnchannels(), w.getsampwidth(), w.getframerate(), w.getcomptype(), w.getnframes(), sum(1 for x in a if x))
)"),
                  path});
    QVERIFY(reader.waitForFinished(60000));
    QCOMPARE(reader.exitCode(), 0);
    const qint64 samples = (50 + 25 + 400) * 441;
    const qint64 sounding = (40 + 400) * 441;
    QCOMPARE(QString::fromLatin1(reader.readAllStandardOutput()).trimmed(),
             QStringLiteral("1 2 44100 NONE %1 %2").arg(samples).arg(sounding));

    // soxi, from the sox package, reads the same.
    const QString soxi = QStandardPaths::findExecutable(QStringLiteral("soxi"));
    QVERIFY2(!soxi.isEmpty(), "soxi (Debian package sox) is needed to read the file");
    QProcess sox;
    sox.start(soxi, {QStringLiteral("-s"), path});
    QVERIFY(sox.waitForFinished(60000));
    QCOMPARE(sox.readAllStandardOutput().trimmed(), QByteArray::number(samples));
    QCOMPARE(entries(directory.path()), QStringList{QStringLiteral("melody.wav")});
}

void OutputsTest::wavTooLongIsRefusedWithoutWriting()
{
    // The longest WAV holds 2 147 483 629 samples, 13 h 31 min at 44.1 kHz.
    QVERIFY(WavFile::fits(2147483629));
    QVERIFY(!WavFile::fits(2147483630));
    // A full score of whole notes at tempo 60 lasts 36 hours.
    Melody melody;
    melody.tempo = 60;
    melody.notes.assign(ComposerState::ScoreCapacity, toneNote(0, Octave::Middle, 400));
    const OutputSource source = OutputSource::of(melody);
    QCOMPARE(outputFits(OutputId::Wav, source), OutputResult::Status::TooLong);
    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("long.wav"));
    QCOMPARE(writeOutput(OutputId::Wav, source, path, UserFileWriter::Replace::Existing).status,
             OutputResult::Status::TooLong);
    QVERIFY(entries(directory.path()).isEmpty());
}

void OutputsTest::wavCancelledLeavesNothing()
{
    Melody melody;
    melody.notes.assign(400, toneNote(0, Octave::Middle, 400));
    QTemporaryDir directory;
    for (UserFileWriter::Replace replace : {UserFileWriter::Replace::Never, UserFileWriter::Replace::Existing}) {
        std::vector<int> told;
        const OutputResult result
            = writeOutput(OutputId::Wav, OutputSource::of(melody), directory.filePath(QStringLiteral("x.wav")), replace,
                          [&told](int permille, const QString &) {
                              told.push_back(permille);
                              return permille < 300;
                          });
        QCOMPARE(result.status, OutputResult::Status::Cancelled);
        QVERIFY(told.size() > 1 && std::is_sorted(told.begin(), told.end()));
        QVERIFY(entries(directory.path()).isEmpty());
    }
}

QTEST_MAIN(OutputsTest)
#include "tst_outputs.moc"
