#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>

#include "common/NoteBuilders.h"
#include "controller/ExportMelody.h"
#include "score/ComposerState.h"

namespace {

// A port that answers as told and writes down, in order, what it was asked.
class RecordingPort : public ExportPort {
public:
    QStringList asked;
    std::optional<QString> titleAnswer = QStringLiteral("題");
    QString path;
    QString chooseId; // of the formats offered; empty: the first
    std::vector<QString> offeredIds;
    OutputResult::Status finishedWith = OutputResult::Status::Failed;

    std::optional<QString> title(const OutputFormat &, const QString &) override
    {
        asked << QStringLiteral("title");
        return titleAnswer;
    }
    QString destination(const std::vector<OutputFormat> &offered, std::size_t &chosen) override
    {
        asked << QStringLiteral("destination");
        for (std::size_t i = 0; i < offered.size(); ++i) {
            offeredIds.push_back(offered[i].id);
            if (offered[i].id == chooseId)
                chosen = i;
        }
        return path;
    }
    UserFileWriter::Replace replace() const override { return UserFileWriter::Replace::Never; }
    OutputProgress progress(const OutputFormat &) override
    {
        asked << QStringLiteral("progress");
        return {};
    }
    void finished(const OutputFormat &format, const QString &, const OutputResult &result) override
    {
        asked << QStringLiteral("finished ") + format.id;
        finishedWith = result.status;
    }
};

} // namespace

class ExportMelodyTest : public QObject {
    Q_OBJECT

private slots:
    void eachFormatIsAskedForInTheOrderAUserMeetsIt();
};

// The order of the questions is the use case: a melody that cannot be written
// is refused before a name is asked; sheet music asks its title first; a
// dialog offers the kindred formats; stopping at any question writes nothing
// and says nothing.
void ExportMelodyTest::eachFormatIsAskedForInTheOrderAUserMeetsIt()
{
    Melody tune{120, {toneNote(0, Octave::Middle, 50), toneNote(4, Octave::Middle, 50)}};
    Melody endless{60, std::vector<NoteRecord>(ComposerState::ScoreCapacity, toneNote(0, Octave::Middle, 400))};
    OutputSource statementsOnly;
    statementsOnly.events = OutputSource::of(tune).events;
    struct Row {
        const char *name;
        QString id;
        OutputSource source;
        std::optional<QString> title;
        QString path; // empty: the user stops at the file dialog
        QString choose;
        QStringList asked;
        OutputResult::Status status;
        std::vector<QString> offered;
    };
    const Row rows[] = {
        {"a WAV file",
         OutputId::Wav,
         OutputSource::of(tune),
         {},
         "out.wav",
         {},
         {"destination", "progress", "finished wav"},
         OutputResult::Status::Written,
         {OutputId::Wav}},
        {"too long for WAV: refused before a name",
         OutputId::Wav,
         OutputSource::of(endless),
         {},
         "x.wav",
         {},
         {"finished wav"},
         OutputResult::Status::TooLong,
         {}},
        {"no notes for MusicXML: refused before a name",
         OutputId::MusicXml,
         statementsOnly,
         {},
         "x.musicxml",
         {},
         {"finished musicxml"},
         OutputResult::Status::NeedsNotes,
         {}},
        {"MIDI offers the file timed as played",
         OutputId::Midi,
         OutputSource::of(tune),
         {},
         "out.mid",
         OutputId::MidiAsPlayed,
         {"destination", "progress", "finished midi-as-played"},
         OutputResult::Status::Written,
         {OutputId::Midi, OutputId::MidiAsPlayed}},
        {"sheet music asks its title first",
         OutputId::Pdf,
         OutputSource::of(tune),
         QStringLiteral("題"),
         "out.pdf",
         {},
         {"title", "destination", "progress", "finished pdf"},
         OutputResult::Status::Written,
         {OutputId::Pdf}},
        {"no title, nothing more asked",
         OutputId::Pdf,
         OutputSource::of(tune),
         std::nullopt,
         "out.pdf",
         {},
         {"title"},
         OutputResult::Status::Failed,
         {}},
        {"no file, nothing said",
         OutputId::LilyPond,
         OutputSource::of(tune),
         {},
         QString(),
         {},
         {"destination"},
         OutputResult::Status::Failed,
         {OutputId::LilyPond}},
    };
    for (const Row &row : rows) {
        QTemporaryDir folder;
        RecordingPort port;
        port.titleAnswer = row.title;
        port.path = row.path.isEmpty() ? QString() : folder.filePath(row.path);
        port.chooseId = row.choose;
        const OutputResult result = ExportMelody(port).run(row.id, row.source);
        QCOMPARE(port.asked, row.asked);
        QCOMPARE(port.finishedWith, row.status);
        QVERIFY2(port.offeredIds == row.offered, row.name);
        const bool written = result.status == OutputResult::Status::Written;
        QCOMPARE(written, row.status == OutputResult::Status::Written);
        QCOMPARE(QFileInfo::exists(port.path), written);
    }
}

QTEST_MAIN(ExportMelodyTest)
#include "tst_export_melody.moc"
