#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "common/ExampleMelody.h"
#include "common/RecordingMessageService.h"
#include "nqc/NqcProgram.h"
#include "score/ScoreEditor.h"

namespace {

// Compiles a program for the RCX 2 with the real NQC compiler; an error text
// when it is refused or cannot be run.
QString compileError(const std::string &program)
{
    const QString nqc = QStandardPaths::findExecutable(QStringLiteral("nqc"));
    if (nqc.isEmpty())
        return QStringLiteral("the NQC compiler (Debian package nqc) is not installed");
    QTemporaryDir directory;
    const QString source = directory.filePath(QStringLiteral("music0.nqc"));
    QFile file(source);
    if (!file.open(QIODevice::WriteOnly)
        || file.write(program.data(), qint64(program.size())) != qint64(program.size()))
        return QStringLiteral("could not write the program");
    file.close();

    QProcess compiler;
    compiler.setProcessChannelMode(QProcess::MergedChannels);
    compiler.start(
        nqc,
        {QStringLiteral("-TRCX2"), QStringLiteral("-O") + directory.filePath(QStringLiteral("music0.rcx")), source});
    if (!compiler.waitForFinished(120000))
        return QStringLiteral("nqc did not finish");
    const QString output = QString::fromLocal8Bit(compiler.readAll()).trimmed();
    if (compiler.exitStatus() != QProcess::NormalExit || compiler.exitCode() != 0 || !output.isEmpty())
        return QStringLiteral("nqc refused the program (exit %1): %2").arg(compiler.exitCode()).arg(output.left(2000));
    return QString();
}

void compiles(const ScoreEditor &editor)
{
    const std::string program = nqcProgramText(editor.state().notes());
    const QString error = compileError(program);
    QVERIFY2(error.isEmpty(), qPrintable(error));
}

} // namespace

class NqcCompilerTest : public QObject {
    Q_OBJECT

private slots:
    void compilesTheExample();
    void compilesEveryLengthInEveryArticulation_data();
    void compilesEveryLengthInEveryArticulation();
    void compilesEveryToneName();
    void compilesAFullScore();
};

void NqcCompilerTest::compilesTheExample()
{
    RecordingMessageService messages;
    ScoreEditor editor(60, messages);
    composeExampleMelody(editor);
    compiles(editor);
}

void NqcCompilerTest::compilesEveryLengthInEveryArticulation_data()
{
    QTest::addColumn<int>("tempo");
    // 93 and 94 give whole notes of 258 and 255 ticks, on both sides of a split.
    for (int tempo : {60, 93, 94, 240})
        QTest::addRow("tempo %d", tempo) << tempo;
}

void NqcCompilerTest::compilesEveryLengthInEveryArticulation()
{
    QFETCH(int, tempo);
    RecordingMessageService messages;
    ScoreEditor editor(qint16(tempo), messages);
    for (Articulation articulation : {Articulation::Normal, Articulation::Staccato, Articulation::SlurOrTie}) {
        editor.chooseArticulation(articulation);
        for (const NoteLengthEntry &entry : noteLengthTable()) {
            editor.chooseLength(entry.length);
            editor.choosePitch(7);
            editor.confirm();
            editor.rest();
            editor.confirm();
        }
    }
    QCOMPARE(editor.state().noteCount, qint16(78));
    compiles(editor);
}

void NqcCompilerTest::compilesEveryToneName()
{
    RecordingMessageService messages;
    ScoreEditor editor(120, messages);
    for (Octave octave : {Octave::Lowest, Octave::Low, Octave::Middle, Octave::High, Octave::Highest}) {
        editor.chooseOctave(octave);
        for (int pitch = 0; pitch < 12; ++pitch) {
            editor.choosePitch(pitch);
            editor.confirm();
        }
    }
    QCOMPARE(editor.state().noteCount, qint16(60));
    compiles(editor);
}

void NqcCompilerTest::compilesAFullScore()
{
    RecordingMessageService messages;
    ScoreEditor editor(60, messages);
    editor.chooseLength(NoteLength::Whole);
    for (int i = 0; i < ComposerState::ScoreCapacity; ++i) {
        if (i % 5 == 4) {
            editor.rest();
        } else {
            editor.choosePitch(i % 12);
        }
        if (i == ComposerState::LastScoreIndex)
            messages.expect();
        editor.confirm();
    }
    QVERIFY(editor.state().scoreFull);
    compiles(editor);
}

QTEST_GUILESS_MAIN(NqcCompilerTest)
#include "tst_nqc_compiler.moc"
