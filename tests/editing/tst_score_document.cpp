#include <array>
#include <functional>

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include "common/NoteBuilders.h"
#include "common/RecordingMessageService.h"
#include "editing/ScoreDocument.h"
#include "journal/RecoveryJournal.h"
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

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What the journal should hold of the document now.
JournalDocument expectedJournal(const ScoreDocument &document)
{
    JournalDocument expected;
    expected.tempo = document.tempo();
    expected.meter = document.meter();
    expected.melodyFile = document.melodyFile();
    expected.unsaved = document.isModified();
    expected.notes.assign(document.notes().begin(), document.notes().end());
    return expected;
}

// The journal as a program killed now would leave it, read back.
std::optional<JournalDocument> journalRead(const QByteArray &text)
{
    const std::optional<RecoveryJournal::Recovered> read = RecoveryJournal::parse(text);
    return read ? std::optional(read->document) : std::nullopt;
}

} // namespace

class ScoreDocumentTest : public QObject {
    Q_OBJECT

private slots:
    void undoAndRedoRetraceEveryStep();
    void editsAtTheLimits();
    void tempoChangeRoundTrip();
    void oneThingOfChosenNotesIsOneStep();
    void aJournalThatCannotBeWrittenIsSaidOnce();
};

void ScoreDocumentTest::undoAndRedoRetraceEveryStep()
{
    QRandomGenerator random(20261207);
    int cuts = 0;
    for (int round = 0; round < 8; ++round) {
        RecordingMessageService messages;
        QTemporaryDir folder;
        RecoveryJournal journal(folder.path());
        ScoreDocument document(120, &journal);
        const ScoreEditor &editor = document.editor();
        PlainModel model;
        std::vector<std::vector<NoteRecord>> history{scoreOf(document)};
        std::vector<int> tempos{120};
        // After every step the journal holds the document (notes, tempo,
        // meter, file, unsaved mark); cut anywhere in what the step added
        // (a kill while writing it), it is still read, and cut within its
        // last record it holds what it held before that record.
        QByteArray journalBefore = fileBytes(journal.path());
        const auto checkJournal = [&] {
            const QByteArray text = fileBytes(journal.path());
            const JournalDocument now = expectedJournal(document);
            QVERIFY2(journalRead(text) == now, qPrintable(QStringLiteral("round %1").arg(round)));
            if (text.startsWith(journalBefore) && text.size() > journalBefore.size()) {
                // Where the last record starts: a line that is not a note an edit brings.
                qsizetype last = text.size() - 1;
                do
                    last = text.lastIndexOf('\n', last - 2) + 1;
                while (last > 0 && text.mid(last, 2) == "n ");
                const std::optional<JournalDocument> withoutLast = journalRead(text.left(last));
                QVERIFY(withoutLast);
                for (int cut : {int(journalBefore.size() + random.bounded(text.size() - journalBefore.size())),
                                int(last + random.bounded(text.size() - last)), int(text.size()) - 1}) {
                    const std::optional<JournalDocument> left = journalRead(text.left(cut));
                    QVERIFY(left);
                    if (cut > last)
                        QVERIFY(*left == *withoutLast); // the record in flight is all that is lost
                    ++cuts;
                }
            }
            journalBefore = text;
        };
        for (int step = 0; step < 150; ++step) {
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
                recorded = document.move(first, count, by).done();
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
                recorded = document.transpose(semitones).done() && semitones != 0;
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
            if (random.bounded(12) == 0)
                document.changeMeter(std::array{0, 2, 3, 4}[random.bounded(4)]);
            if (random.bounded(25) == 0)
                document.markSaved(folder.filePath(QStringLiteral("song %1.mml").arg(step)));
            checkJournal();
            QCOMPARE(nqcProgramText(scoreOf(document)), nqcProgramText(model.notes));
            QVERIFY(scoreOf(document) == model.notes);
            QCOMPARE(editor.state().noteTotal(), int(model.notes.size()));
            history.push_back(scoreOf(document));
            tempos.push_back(editor.tempo());
        }
        const std::vector<NoteRecord> end = scoreOf(document);
        const int endTempo = editor.tempo();
        while (document.undoStack().canUndo()) {
            document.undoStack().undo();
            checkJournal();
        }
        QVERIFY(scoreOf(document).empty());
        QCOMPARE(editor.tempo(), 120);
        while (document.undoStack().canRedo()) {
            document.undoStack().redo();
            checkJournal();
        }
        QVERIFY(scoreOf(document) == end);
        QCOMPARE(editor.tempo(), endTempo);
        QVERIFY(messages.allAnswered());
    }
    QVERIFY(cuts > 1000);
}

// A journal whose folder cannot be made (a file stands where it should be):
// said once with the folder and the reason however many edits follow, and
// composing goes on.
void ScoreDocumentTest::aJournalThatCannotBeWrittenIsSaidOnce()
{
    QTemporaryDir parent;
    QFile blocker(parent.filePath(QStringLiteral("data")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    RecoveryJournal journal(parent.filePath(QStringLiteral("data/journals")));
    QStringList said;
    journal.setFailureListener([&](const QString &folder, const QString &reason) { said << folder + u' ' + reason; });
    RecordingMessageService messages;
    ScoreDocument document(120, &journal);
    for (int i = 0; i < 50; ++i) {
        composeNote(document, toneNote(i % 12, Octave::Middle, 0));
        document.confirm();
    }
    document.insertBefore(0, toneNote(3, Octave::Middle, 0));
    QCOMPARE(said.size(), 1);
    QVERIFY2(said.front().startsWith(parent.filePath(QStringLiteral("data/journals "))), qPrintable(said.front()));
    QVERIFY(journal.isFailing());
    QCOMPARE(document.editor().state().noteTotal(), 51);
    QVERIFY(!QFile::exists(journal.path()));
}

void ScoreDocumentTest::editsAtTheLimits()
{
    RecordingMessageService messages;
    ScoreDocument document(120);
    const ScoreEditor &editor = document.editor();
    std::vector<NoteRecord> full(ComposerState::ScoreCapacity);
    for (std::size_t i = 0; i < full.size(); ++i) {
        full[i].pitch = int(i % 12);
        full[i].ticks = lengthTicks(full[i].length, 120);
    }
    document.open(Melody{120, full}, QString(), false);
    QVERIFY(editor.state().scoreFull);
    QVERIFY(!editor.confirmEnabled());

    // Inserting into a full score is refused.
    document.choosePitch(3);
    QCOMPARE(document.insertBefore(0, editor.state().currentNote).status, EditResult::Status::ScoreFull);
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
    const EditResult refused = document.transpose(2);
    QCOMPARE(refused.status, EditResult::Status::LeavesRange);
    QCOMPARE(refused.count, 2);
    QCOMPARE(refused.first, 1);
    QVERIFY(document.transpose(1 - 12 * 4));
    QCOMPARE(editor.state().notes()[2].octave, Octave::Low); // 47 semitones down from the highest B
    QCOMPARE(editor.state().notes()[2].pitch, 0);
    QCOMPARE(document.undoStack().undoText(), QStringLiteral("移調"));
}

void ScoreDocumentTest::tempoChangeRoundTrip()
{
    RecordingMessageService messages;
    ScoreDocument document(120);
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

void ScoreDocumentTest::oneThingOfChosenNotesIsOneStep()
{
    // ド（低音） 4分, 8分休符, ミ スタッカート 2分, シ（高音） スラー 16分, ソ（最高音） 全音符.
    auto melody = [] {
        std::vector<NoteRecord> notes{
            toneNote(0, Octave::Low, 0), restNote(0), toneNote(4, Octave::Middle, 0, Articulation::Staccato),
            toneNote(11, Octave::High, 0, Articulation::SlurOrTie), toneNote(7, Octave::Highest, 0)};
        const NoteLength lengths[]
            = {NoteLength::Quarter, NoteLength::Eighth, NoteLength::Half, NoteLength::Sixteenth, NoteLength::Whole};
        for (std::size_t i = 0; i < notes.size(); ++i) {
            notes[i].length = lengths[i];
            notes[i].ticks = lengthTicks(lengths[i], 100);
        }
        return notes;
    };
    using Notes = std::vector<NoteRecord>;
    struct Row {
        const char *name;
        std::function<void(ScoreDocument &)> edit;
        QString caption; // of the last step; empty: none made
        std::function<void(Notes &)> expected;
        int meter = 0;
    };
    const std::vector<Row> rows{
        {"a pitch, a rest becoming that note", [](ScoreDocument &d) { d.changePitch(1, 3, 9); },
         QStringLiteral("音の高さの変更"), [](Notes &n) { n[1].pitch = n[2].pitch = n[3].pitch = 9; }},
        {"a semitone up, across an octave, rests alone", [](ScoreDocument &d) { d.shiftPitch(1, 3, 1); },
         QStringLiteral("半音上げる"),
         [](Notes &n) {
             n[2].pitch = 5;
             n[3] = toneNote(0, Octave::Highest, n[3].ticks, Articulation::SlurOrTie);
             n[3].length = NoteLength::Sixteenth;
         }},
        {"a semitone down from the lowest ド is refused whole",
         [](ScoreDocument &d) {
             d.shiftOctave(0, 1, -1);
             d.shiftPitch(0, 3, -1);
         },
         QStringLiteral("オクターブ下げる"), [](Notes &n) { n[0].octave = Octave::Lowest; }},
        {"an octave above the highest is refused", [](ScoreDocument &d) { d.shiftOctave(3, 2, 1); }, QString(),
         [](Notes &) {}},
        {"every length, the rest's too, in the tempo's ticks",
         [](ScoreDocument &d) { d.changeLength(0, 5, NoteLength::EighthTriplet); }, QStringLiteral("長さの変更"),
         [](Notes &n) {
             for (NoteRecord &note : n) {
                 note.length = NoteLength::EighthTriplet;
                 note.ticks = lengthTicks(NoteLength::EighthTriplet, 100);
             }
         }},
        {"articulation of notes, never of a rest",
         [](ScoreDocument &d) { d.changeArticulation(0, 3, Articulation::SlurOrTie); }, QStringLiteral("音間の変更"),
         [](Notes &n) { n[0].articulation = n[2].articulation = Articulation::SlurOrTie; }},
        {"rests keep their length", [](ScoreDocument &d) { d.makeRest(2, 3); }, QStringLiteral("休符にする"),
         [](Notes &n) { n[2].pitch = n[3].pitch = n[4].pitch = NoteRecord::Rest; }},
        {"the meter, the notes as they were", [](ScoreDocument &d) { d.changeMeter(3); }, QStringLiteral("拍子の変更"),
         [](Notes &) {}, 3},
    };
    for (const Row &row : rows) {
        RecordingMessageService messages;
        ScoreDocument document(100);
        for (const NoteRecord &note : melody()) {
            composeNote(document, note);
            document.confirm();
        }
        const int steps = document.undoStack().index();
        const Notes before = scoreOf(document);
        Notes after = before;
        row.expected(after);
        row.edit(document);
        QVERIFY2(scoreOf(document) == after, row.name);
        QCOMPARE(document.meter(), row.meter);
        QVERIFY2(messages.allAnswered(), row.name);
        if (row.caption.isEmpty()) {
            QCOMPARE(document.undoStack().index(), steps);
            continue;
        }
        QCOMPARE(document.undoStack().undoText(), row.caption);
        QVERIFY(document.isModified());
        while (document.undoStack().index() > steps) // one step each, back to the melody as composed
            document.undoStack().undo();
        QVERIFY2(scoreOf(document) == before, row.name);
        QCOMPARE(document.meter(), 0);
        while (document.undoStack().canRedo())
            document.undoStack().redo();
        QVERIFY2(scoreOf(document) == after, row.name);
        QCOMPARE(document.meter(), row.meter);
    }
}

QTEST_GUILESS_MAIN(ScoreDocumentTest)
#include "tst_score_document.moc"
