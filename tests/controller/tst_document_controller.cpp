#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPdfWriter>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "common/RecordingMessageService.h"
#include "common/SoundDoubles.h"
#include "common/TestFiles.h"
#include "controller/ComposingSession.h"
#include "files/PosixFileSystem.h"
#include "midi/MidiWriter.h"
#include "mml/MmlReader.h"
#include "mml/MmlWriter.h"
#include "notation/MusicXmlWriter.h"
#include "nqc/NqcProgram.h"

namespace {

const QString SaveQuestion = QStringLiteral("作曲中の曲を保存しますか？");

QList<int> pitchesOf(const ScoreDocument &document)
{
    QList<int> pitches;
    for (const NoteRecord &note : document.notes())
        pitches << note.pitch;
    return pitches;
}

// A session as the composer window holds one, with doubles for every box,
// dialog and sound, writing its programs into a folder of the test's own.
struct Session {
    explicit Session(const QString &folder)
        : programFolder(folder)
        , session(120,
                  {messages, dialogs, programFolder, [] { return std::make_unique<RecordingSoundOutput>(); }, nullptr})
    { }

    ScoreDocument &document() { return session.document(); }
    DocumentController &controller() { return session.controller(); }
    void compose(std::initializer_list<int> pitches)
    {
        for (int pitch : pitches) {
            document().choosePitch(pitch);
            document().confirm();
        }
    }

    RecordingMessageService messages;
    ScriptedDialogs dialogs;
    PosixFileSystem programFolder;
    ComposingSession session;
};

} // namespace

class DocumentControllerTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { QSettings().clear(); }
    void openingAnotherSongStartsItsOwnHistory();
    void aNewMelodyAsksToSaveThenForATempo();
    void everyFileZepaWritesOpens_data();
    void everyFileZepaWritesOpens();
    void importIsOneStepThatGivesTheFileBack();
    void recentFilesKeepEightAndForgetTheGone();
    void everyOutputIsOfferedUnderTheMelodysName_data();
    void everyOutputIsOfferedUnderTheMelodysName();
    void sheetMusicPrintsAndBecomesAPdf();
    void whatAMusicXmlScoreLosesIsSaidOnce();
};

void DocumentControllerTest::openingAnotherSongStartsItsOwnHistory()
{
    QTemporaryDir directory;
    const QString songA = directory.filePath(QStringLiteral("a.mml"));
    const QString songB = directory.filePath(QStringLiteral("b.mml"));
    writeFile(songA, "T100 c d e");
    writeFile(songB, "T90 g a");
    Session user(directory.path());
    QVERIFY(user.controller().openFile(songA));
    user.compose({11}); // A changed, not saved

    // Open B: the question first, then B as a document of its own.
    user.dialogs.toOpen = songB;
    user.messages.expect(MessageAnswer::Discard);
    user.controller().open();
    QCOMPARE(user.messages.last().text, SaveQuestion);
    QCOMPARE(pitchesOf(user.document()), (QList<int>{7, 9}));
    QCOMPARE(user.document().tempo(), 90);
    QVERIFY(!user.document().undoStack().canUndo()); // no 「元に戻す: 開く」 to bring A back
    QVERIFY(!user.document().isModified());
    QCOMPARE(user.document().fileName(), QStringLiteral("b.mml"));

    // Ctrl+S writes B's notes into B; A stays as it was on the disk.
    user.compose({0});
    QVERIFY(user.controller().save());
    QCOMPARE(readMml(contents(songB)).melody.notes.size(), std::size_t(3));
    QCOMPARE(readMml(contents(songB)).melody.tempo, 90);
    QCOMPARE(contents(songA), QByteArray("T100 c d e"));
    QVERIFY(user.messages.allAnswered());
}

void DocumentControllerTest::aNewMelodyAsksToSaveThenForATempo()
{
    QTemporaryDir directory;
    const QString song = directory.filePath(QStringLiteral("a.mml"));
    writeFile(song, "T100 c d e");
    Session user(directory.path());
    QVERIFY(user.controller().openFile(song));
    user.compose({5});

    // Cancelled at the question: nothing changes.
    user.messages.expect(MessageAnswer::Cancel);
    user.controller().newMelody();
    QCOMPARE(user.document().notes().size(), std::size_t(4));
    QVERIFY(user.dialogs.asked.isEmpty());

    // A tempo out of range is refused as the tempo window refuses it, and asked again.
    user.messages.expect(MessageAnswer::Discard);
    user.messages.expect();
    user.dialogs.typedInTurn = {QStringLiteral("300"), QStringLiteral("９５")};
    user.controller().newMelody();
    QCOMPARE(user.messages.shown()[2].text, QStringLiteral("テンポは６０から２４０の間に設定してください。"));
    QCOMPARE(user.messages.shown()[2].shownTitle(), QStringLiteral("注意"));
    QCOMPARE(user.dialogs.asked.size(), 2);
    QCOMPARE(user.dialogs.shownText, QStringLiteral("300")); // the refused text stays for another try
    QVERIFY(user.document().notes().empty());
    QCOMPARE(user.document().tempo(), 95);
    QVERIFY(user.document().melodyFile().isEmpty());
    QVERIFY(!user.document().undoStack().canUndo());
    QCOMPARE(user.document().state().currentNote.ticks, lengthTicks(NoteLength::Quarter, 95));

    // Saving the new melody asks for a name: the old song is never replaced.
    user.compose({0, 2});
    user.dialogs.answer.clear(); // the user cancels the dialog
    QVERIFY(!user.controller().save());
    QVERIFY(user.dialogs.suggested.endsWith(QStringLiteral("/melody.mml")));
    QCOMPARE(contents(song), QByteArray("T100 c d e"));
    QVERIFY(user.messages.allAnswered());
}

void DocumentControllerTest::everyFileZepaWritesOpens_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("keptInIt"); // saving writes back to it
    Melody melody;
    melody.tempo = 100;
    for (int pitch : {0, 4, 7}) {
        NoteRecord note;
        note.pitch = pitch;
        note.ticks = lengthTicks(note.length, melody.tempo);
        melody.notes.push_back(note);
    }
    QTest::newRow("melody file") << "kaeru.mml" << mmlText(melody) << true;
    QTest::newRow("program ZEPA wrote") << "music0.nqc" << QByteArray::fromStdString(nqcProgramText(melody.notes))
                                        << false;
    QTest::newRow("MIDI file") << "kaeru.mid" << MidiFile::write(melody.notes, melody.tempo) << false;
    QTest::newRow("MusicXML") << "kaeru.musicxml"
                              << musicXmlText(melody, QStringLiteral("kaeru"), QStringLiteral("ZEPA")).bytes << false;
}

void DocumentControllerTest::everyFileZepaWritesOpens()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, keptInIt);
    QTemporaryDir directory;
    const QString path = directory.filePath(name);
    writeFile(path, bytes);
    Session user(directory.path());
    QVERIFY(user.controller().openFile(path));
    QCOMPARE(pitchesOf(user.document()), (QList<int>{0, 4, 7}));
    QCOMPARE(user.document().tempo(), 100);
    QCOMPARE(user.document().fileName(), name);
    QCOMPARE(user.document().melodyFile().isEmpty(), !keptInIt);
    // Saving never writes a melody file over a program or a MIDI file: it
    // offers the melody's own name as a melody file.
    user.dialogs.answer.clear();
    user.controller().saveAs();
    QCOMPARE(QFileInfo(user.dialogs.suggested).fileName(), QFileInfo(name).completeBaseName() + ".mml");
    QCOMPARE(contents(path), bytes);
    QVERIFY(user.messages.shown().empty());
}

void DocumentControllerTest::importIsOneStepThatGivesTheFileBack()
{
    QTemporaryDir directory;
    const QString song = directory.filePath(QStringLiteral("a.mml"));
    writeFile(song, "T100 c d e");
    const QString midi = directory.filePath(QStringLiteral("b.mid"));
    Melody imported;
    imported.tempo = 150;
    imported.notes
        = {NoteRecord{9, Octave::Middle, Articulation::Normal, NoteLength::Half, lengthTicks(NoteLength::Half, 150)}};
    writeFile(midi, MidiFile::write(imported.notes, imported.tempo));
    Session user(directory.path());
    QVERIFY(user.controller().openFile(song));

    user.dialogs.toOpen = midi;
    user.messages.expect(MessageAnswer::Ok); // replace the three notes
    user.controller().importMidi();
    QCOMPARE(pitchesOf(user.document()), QList<int>{9});
    QVERIFY(user.document().melodyFile().isEmpty()); // Ctrl+S cannot overwrite a.mml with it
    QCOMPARE(user.document().undoStack().undoText(), QStringLiteral("MIDIの取り込み"));

    user.document().undoStack().undo();
    QCOMPARE(pitchesOf(user.document()), (QList<int>{0, 2, 4}));
    QCOMPARE(user.document().tempo(), 100);
    QCOMPARE(user.document().fileName(), QStringLiteral("a.mml"));
    QVERIFY(!user.document().isModified());
    QVERIFY(user.messages.allAnswered());
}

void DocumentControllerTest::recentFilesKeepEightAndForgetTheGone()
{
    QTemporaryDir directory;
    QStringList opened;
    Session user(directory.path());
    for (int i = 0; i < 10; ++i) {
        opened.prepend(directory.filePath(QStringLiteral("song%1.mml").arg(i)));
        writeFile(opened.front(), "c");
        QVERIFY(user.controller().openFile(opened.front()));
    }
    QCOMPARE(user.controller().recentFiles(), opened.mid(0, 8));
    // Opened again, a file moves to the front, once.
    QVERIFY(user.controller().openFile(opened[3]));
    QCOMPARE(user.controller().recentFiles().front(), opened[3]);
    QCOMPARE(user.controller().recentFiles().count(opened[3]), 1);
    // Kept for the next run.
    Session next(directory.path());
    QCOMPARE(next.controller().recentFiles(), user.controller().recentFiles());

    // A file that has gone is said so, and dropped from the list.
    QFile::remove(opened[1]);
    next.messages.expect();
    next.controller().openRecent(opened[1]);
    QCOMPARE(next.messages.last().text,
             QStringLiteral("ファイル「%1」がありません。\n最近使ったファイルの一覧から外します。").arg(opened[1]));
    QVERIFY(!next.controller().recentFiles().contains(opened[1]));
    QVERIFY(next.document().notes().empty());
}

void DocumentControllerTest::everyOutputIsOfferedUnderTheMelodysName_data()
{
    QTest::addColumn<QString>("kind");
    for (const OutputFormat &format : outputFormats()) {
        // The program is written as the next free musicN.nqc, without a dialog;
        // sheet music asks its title first (sheetMusicPrintsAndBecomesAPdf).
        if (format.id != OutputId::Nqc && !format.titled)
            QTest::newRow(qPrintable(format.commandName)) << format.id;
    }
}

void DocumentControllerTest::everyOutputIsOfferedUnderTheMelodysName()
{
    QFETCH(QString, kind);
    QTemporaryDir directory;
    const QString song = directory.filePath(QStringLiteral("ふるさと.mml"));
    writeFile(song, "T100 c d e Q4 f");
    Session user(directory.path());
    QVERIFY(user.controller().openFile(song));
    const QString path = directory.filePath(QStringLiteral("out"));
    user.dialogs.answer = path;
    const OutputResult expected
        = writeOutput(kind, OutputSource::of(user.document().melody(), QStringLiteral("ふるさと")),
                      directory.filePath(QStringLiteral("expected")), UserFileWriter::Replace::Never);
    if (!expected.changes.isEmpty())
        user.messages.expect(); // what the platform changes
    QSignalSpy status(&user.controller(), &DocumentController::status);
    user.controller().exportTo(kind);
    QCOMPARE(user.dialogs.suggested, directory.filePath(suggestedOutputName(kind, QStringLiteral("ふるさと"))));
    QCOMPARE(contents(path), contents(directory.filePath(QStringLiteral("expected"))));
    QCOMPARE(status.back().front().toString(), QDir::toNativeSeparators(path) + QStringLiteral(" に書き出しました"));
    QCOMPARE(user.dialogs.progressTitles.isEmpty(), outputFormat(kind).progressWords.isEmpty());
    QVERIFY(user.messages.allAnswered());

    // Where it cannot be written: a box naming the file, the melody unchanged.
    user.dialogs.answer = directory.filePath(QStringLiteral("gone/out"));
    user.messages.expect();
    user.controller().exportTo(kind);
    QCOMPARE(user.messages.last().text,
             QStringLiteral("ファイル「%1」を書き込めませんでした。\nファイルまたはフォルダがありません。")
                 .arg(user.dialogs.answer));
    QCOMPARE(user.document().notes().size(), std::size_t(4));
}

void DocumentControllerTest::sheetMusicPrintsAndBecomesAPdf()
{
    QTemporaryDir directory;
    Session user(directory.path());
    QSignalSpy status(&user.controller(), &DocumentController::status);
    user.controller().print(); // nothing to print: no dialog
    QCOMPARE(user.dialogs.asked, QStringList());
    QCOMPARE(status.back().front().toString(), QStringLiteral("楽譜にする音がありません"));

    const QString song = directory.filePath(QStringLiteral("ふるさと.mml"));
    writeFile(song, "// meter 3/4\nT100 c d e Q4 f2.");
    QVERIFY(user.controller().openFile(song));
    // The title starts as the melody's name; the pages go to the printer the user chose.
    QByteArray printed;
    QBuffer printer(&printed);
    QVERIFY(printer.open(QIODevice::WriteOnly));
    QPdfWriter device(&printer);
    user.dialogs.printDevice = &device;
    user.dialogs.typed = QStringLiteral(" 三年 ふるさと ");
    user.controller().print();
    QCOMPARE(user.dialogs.shownText, QStringLiteral("ふるさと"));
    QCOMPARE(user.dialogs.printTitles, QStringList{QStringLiteral("三年 ふるさと")});
    QCOMPARE(status.back().front().toString(), QStringLiteral("印刷しました"));
    printer.close();
    QVERIFY(printed.startsWith("%PDF-"));

    // A printer that cannot be drawn on is said so, never reported as printed.
    QPdfWriter broken(directory.filePath(QStringLiteral("gone/printer.pdf")));
    user.dialogs.printDevice = &broken;
    user.messages.expect();
    user.controller().print();
    QCOMPARE(user.messages.last().text, QStringLiteral("印刷できませんでした。プリンターの設定を確かめてください。"));

    // The PDF under the melody's name, its pages counted in the progress;
    // stopped part way, no file at all.
    const QString pdf = directory.filePath(QStringLiteral("sheet.pdf"));
    user.dialogs.answer = pdf;
    user.dialogs.cancelProgressAt = 0;
    user.controller().exportPdf();
    QCOMPARE(user.dialogs.suggested, directory.filePath(QStringLiteral("ふるさと.pdf")));
    QCOMPARE(status.back().front().toString(), QStringLiteral("書き出しを取りやめました"));
    QVERIFY(!QFileInfo::exists(pdf));
    user.dialogs.cancelProgressAt = -1;
    user.controller().exportPdf();
    // The title typed for printing is offered again, not asked from the start.
    QCOMPARE(user.dialogs.shownText, QStringLiteral("三年 ふるさと"));
    QCOMPARE(user.dialogs.progressTitles.back(), QStringLiteral("PDFに書き出す"));
    QCOMPARE(user.dialogs.progressLabels.back(), QStringLiteral("楽譜をPDFにしています…（1 / 1 ページ）"));
    QCOMPARE(status.back().front().toString(), QDir::toNativeSeparators(pdf) + QStringLiteral(" に書き出しました"));
    QVERIFY(contents(pdf).startsWith("%PDF-"));
    QVERIFY(user.messages.allAnswered());
}

void DocumentControllerTest::whatAMusicXmlScoreLosesIsSaidOnce()
{
    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("duet.musicxml"));
    writeFile(path,
              "<?xml version=\"1.0\"?><score-partwise version=\"3.0\"><part-list><score-part id=\"A\"/>"
              "<score-part id=\"B\"/></part-list><part id=\"A\"><measure number=\"1\"><attributes>"
              "<divisions>2</divisions></attributes><direction><direction-type><dynamics><f/></dynamics>"
              "</direction-type></direction><note><grace/><pitch><step>D</step><octave>5</octave></pitch></note>"
              "<note><pitch><step>C</step><octave>5</octave></pitch><duration>2</duration></note>"
              "<note><pitch><step>E</step><octave>5</octave></pitch><duration>4</duration></note></measure>"
              "</part><part id=\"B\"><measure number=\"1\"><note><pitch><step>G</step><octave>3</octave>"
              "</pitch><duration>6</duration></note></measure></part></score-partwise>");
    Session user(directory.path());
    user.messages.expect();
    QVERIFY(user.controller().openFile(path));
    QCOMPARE(pitchesOf(user.document()), (QList<int>{0, 4}));
    QCOMPARE(user.messages.shown().size(), std::size_t(1));
    QCOMPARE(user.messages.last().text,
             QStringLiteral(
                 "読み込みのとき、次のところを変えました。\n・ほかの1パートは読まず、最初のパートだけを読みました。\n"
                 "・装飾音1個は読みませんでした。\n・強弱記号1個は読みませんでした（音の大きさはいつも同じです）。"));
}

// Pages are painted with Qt's painting, offscreen.
QTEST_MAIN(DocumentControllerTest)
#include "tst_document_controller.moc"
