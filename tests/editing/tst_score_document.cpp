#include <QRandomGenerator>
#include <QTest>

#include "common/NoteBuilders.h"
#include "common/RecordingMessageService.h"
#include "editing/ScoreDocument.h"
#include "nqc/NqcProgram.h"

namespace {

// The score as a plain list, edited the obvious way.
struct PlainModel {
    std::vector<NoteRecord> notes;
    int tempo = 120;

    void retick()
    {
        for (NoteRecord &note : notes)
            note.ticks = lengthTicks(note.length, tempo);
    }
};

std::vector<NoteRecord> scoreOf(ScoreDocument &document)
{
    const std::span<const NoteRecord> notes = document.editor().state().notes();
    return {notes.begin(), notes.end()};
}

void composeNote(ScoreDocument &document, const NoteRecord &note)
{
    document.chooseOctave(note.octave);
    document.chooseArticulation(note.articulation);
    document.chooseLength(note.length);
    if (note.isRest())
        document.rest();
    else
        document.choosePitch(note.pitch);
}

} // namespace

class ScoreDocumentTest : public QObject {
    Q_OBJECT

private slots:
    void undoAndRedoRetraceEveryStep();
    void editsAtTheLimits();
    void tempoChangeRoundTrip();
};

void ScoreDocumentTest::undoAndRedoRetraceEveryStep()
{
    QRandomGenerator random(20261207);
    for (int round = 0; round < 20; ++round) {
        RecordingMessageService messages;
        ScoreDocument document(120, messages);
        const ScoreEditor &editor = document.editor();
        PlainModel model;
        std::vector<std::vector<NoteRecord>> history{scoreOf(document)};
        std::vector<int> tempos{120};
        for (int step = 0; step < 60; ++step) {
            const int total = int(model.notes.size());
            const NoteRecord note = randomNote(random, model.tempo);
            const int kind = int(random.bounded(8));
            bool recorded = true;
            if (kind <= 2 || total == 0) {
                composeNote(document, note);
                document.confirm();
                model.notes.push_back(note);
            } else if (kind == 3) {
                document.clearPrevious();
                model.notes.pop_back();
            } else if (kind == 4) {
                const int at = int(random.bounded(total));
                document.replace(at, note);
                model.notes[std::size_t(at)] = note;
            } else if (kind == 5) {
                const int at = int(random.bounded(total + 1));
                document.insertBefore(at, note);
                model.notes.insert(model.notes.begin() + at, note);
            } else if (kind == 6) {
                const int first = int(random.bounded(total));
                const int count = 1 + int(random.bounded(std::min(3, total - first)));
                const int by = random.bounded(2) == 0 ? -1 : 1;
                recorded = document.move(first, count, by);
                if (recorded) {
                    const auto begin = model.notes.begin() + first;
                    if (by < 0)
                        std::rotate(begin - 1, begin, begin + count);
                    else
                        std::rotate(begin, begin + count, begin + count + 1);
                }
            } else {
                const int semitones = int(random.bounded(-3, 4));
                bool fits = true;
                for (const NoteRecord &n : model.notes) {
                    const int place = int(n.octave) * 12 + n.pitch + semitones;
                    fits = fits && (n.isRest() || (place >= 0 && place < 60));
                }
                if (!fits)
                    messages.expect();
                recorded = document.transpose(semitones) && semitones != 0;
                QCOMPARE(recorded, fits && semitones != 0);
                if (recorded) {
                    for (NoteRecord &n : model.notes) {
                        if (!n.isRest()) {
                            const int place = int(n.octave) * 12 + n.pitch + semitones;
                            n.octave = Octave(place / 12);
                            n.pitch = place % 12;
                        }
                    }
                }
            }
            if (random.bounded(10) == 0) {
                model.tempo = int(random.bounded(60, 241));
                document.changeTempo(model.tempo);
                model.retick();
                recorded = true;
            }
            QCOMPARE(nqcProgramText(scoreOf(document)), nqcProgramText(model.notes));
            QVERIFY(scoreOf(document) == model.notes);
            QCOMPARE(editor.state().noteTotal(), int(model.notes.size()));
            history.push_back(scoreOf(document));
            tempos.push_back(editor.tempo());
        }
        const std::vector<NoteRecord> end = scoreOf(document);
        const int endTempo = editor.tempo();
        while (document.undoStack().canUndo())
            document.undoStack().undo();
        QVERIFY(scoreOf(document).empty());
        QCOMPARE(editor.tempo(), 120);
        QCOMPARE(editor.historyCaption(), QString());
        while (document.undoStack().canRedo())
            document.undoStack().redo();
        QVERIFY(scoreOf(document) == end);
        QCOMPARE(editor.tempo(), endTempo);
        QVERIFY(messages.allAnswered());
    }
}

void ScoreDocumentTest::editsAtTheLimits()
{
    RecordingMessageService messages;
    ScoreDocument document(120, messages);
    const ScoreEditor &editor = document.editor();
    std::vector<NoteRecord> full(ComposerState::ScoreCapacity);
    for (std::size_t i = 0; i < full.size(); ++i) {
        full[i].pitch = int(i % 12);
        full[i].ticks = lengthTicks(full[i].length, 120);
    }
    document.open(Melody{120, full}, QString(), false);
    QVERIFY(editor.state().scoreFull);
    QVERIFY(!editor.confirmEnabled());

    // Inserting into a full score is refused with a box.
    document.choosePitch(3);
    messages.expect();
    QVERIFY(!document.insertBefore(0, editor.state().currentNote));
    QCOMPARE(messages.last().shownTitle(), QStringLiteral("整数の限界"));
    QCOMPARE(editor.state().noteTotal(), ComposerState::ScoreCapacity);

    // Deleting from a full score lets the user confirm again; undo fills it.
    document.remove(100, 1);
    QVERIFY(!editor.state().scoreFull);
    QCOMPARE(editor.state().noteCount, qint16(32766));
    QVERIFY(editor.confirmEnabled());
    document.undoStack().undo();
    QVERIFY(editor.state().scoreFull);
    QCOMPARE(editor.state().noteCount, qint16(32766));
    QVERIFY(!editor.confirmEnabled());
    QCOMPARE(editor.state().currentNote.pitch, 3); // the note being composed stays

    // Transposing past the highest B is refused and names how many and the first.
    std::vector<NoteRecord> high(3);
    high[0].pitch = NoteRecord::Rest;
    high[1].pitch = 10;
    high[1].octave = Octave::Highest;
    high[2].pitch = 11;
    high[2].octave = Octave::Highest;
    document.open(Melody{120, high}, QString(), false);
    messages.expect();
    QVERIFY(!document.transpose(2));
    QCOMPARE(messages.last().text,
             QStringLiteral("移調すると、最低音から最高音の外に出る音が2個あります（最初は2番目の音）。"));
    QVERIFY(document.transpose(1 - 12 * 4));
    QCOMPARE(editor.state().notes()[2].octave, Octave::Low); // 47 semitones down from the highest B
    QCOMPARE(editor.state().notes()[2].pitch, 0);
    QCOMPARE(document.undoStack().undoText(), QStringLiteral("移調"));
}

void ScoreDocumentTest::tempoChangeRoundTrip()
{
    RecordingMessageService messages;
    ScoreDocument document(120, messages);
    const ScoreEditor &editor = document.editor();
    for (const NoteLengthEntry &entry : noteLengthTable()) {
        document.chooseLength(entry.length);
        document.choosePitch(0);
        document.confirm();
    }
    const std::vector<NoteRecord> at120 = scoreOf(document);
    document.changeTempo(93);
    for (std::size_t i = 0; i < at120.size(); ++i)
        QCOMPARE(scoreOf(document)[i].ticks, lengthTicks(at120[i].length, 93));
    QCOMPARE(editor.state().currentNote.ticks, lengthTicks(editor.state().currentNote.length, 93));
    document.changeTempo(120);
    QVERIFY(scoreOf(document) == at120);
}

QTEST_GUILESS_MAIN(ScoreDocumentTest)
#include "tst_score_document.moc"
