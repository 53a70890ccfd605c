#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "common/NoteBuilders.h"

#include "common/ExampleMelody.h"
#include "common/NqcCompiler.h"
#include "common/RecordingMessageService.h"
#include "nqc/NqcProgram.h"
#include "nqc/ProgramSize.h"
#include "score/ScoreEditor.h"

namespace {

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
    void predictedSizeIsTheCompilersTotal();
};

void NqcCompilerTest::compilesTheExample()
{
    RecordingMessageService messages;
    ScoreEditor editor(60);
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
    ScoreEditor editor{qint16(tempo)};
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
    ScoreEditor editor(120);
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
    ScoreEditor editor(60);
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

void NqcCompilerTest::predictedSizeIsTheCompilersTotal()
{
    QRandomGenerator random(20261207);
    for (int round = 0; round < 8; ++round) {
        std::vector<NoteRecord> notes;
        const int tempo = int(random.bounded(60, 241));
        for (int i = 0; i < 40; ++i) {
            notes.push_back(randomNote(random, tempo, 5));
        }
        QString error;
        const qint64 listed = compiledSize(nqcProgramText(notes), error);
        QVERIFY2(listed > 0, qPrintable(error));
        QCOMPARE(ProgramSize::bytes(notes), listed);
        QCOMPARE(ProgramSize::bytes(brickEvents(notes)), listed);
    }
}

QTEST_GUILESS_MAIN(NqcCompilerTest)
#include "tst_nqc_compiler.moc"
