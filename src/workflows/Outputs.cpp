#include "workflows/Outputs.h"

#include <QCoreApplication>

#include "base/ProgramInfo.h"
#include "base/UiLanguage.h"
#include "midi/MidiWriter.h"
#include "notation/LilyPondWriter.h"
#include "notation/MusicXmlWriter.h"
#include "nqc/NqcProgram.h"
#include "sound/WavFile.h"

namespace {

std::array<OutputFormat, 10> translatedFormats()
{
    return {{
        {OutputKind::Nqc, QStringLiteral("nqc"), QCoreApplication::translate("Outputs", "NQCプログラムを書き出す(&C)"),
         QCoreApplication::translate("Outputs", "NQCプログラムを書き出す"),
         QCoreApplication::translate("Outputs", "NQCプログラム (*.nqc)"), QStringLiteral(".nqc"), std::nullopt},
        {OutputKind::Wav, QStringLiteral("render"),
         QCoreApplication::translate("Outputs", "WAVファイルに書き出す(&W)..."),
         QCoreApplication::translate("Outputs", "WAVファイルに書き出す"),
         QCoreApplication::translate("Outputs", "WAVファイル (*.wav)"), QStringLiteral(".wav"), std::nullopt},
        {OutputKind::Midi, QStringLiteral("midi"),
         QCoreApplication::translate("Outputs", "MIDIファイルに書き出す(&M)..."),
         QCoreApplication::translate("Outputs", "MIDIファイルに書き出す"),
         QCoreApplication::translate("Outputs", "MIDIファイル（拍に合わせる） (*.mid)"), QStringLiteral(".mid"),
         std::nullopt},
        {OutputKind::Nxc, QStringLiteral("nxc"), QCoreApplication::translate("Outputs", "NXT（NXC）(&X)..."),
         QCoreApplication::translate("Outputs", "ほかのブロック用に書き出す"),
         QCoreApplication::translate("Outputs", "NXCプログラム (*.nxc)"), QStringLiteral(".nxc"), ExportTarget::Nxc},
        {OutputKind::Pybricks, QStringLiteral("pybricks"),
         QCoreApplication::translate("Outputs", "Pybricks（SPIKE・EV3・Powered Up）(&P)..."),
         QCoreApplication::translate("Outputs", "ほかのブロック用に書き出す"),
         QCoreApplication::translate("Outputs", "Pythonプログラム (*.py)"), QStringLiteral("_pybricks.py"),
         ExportTarget::Pybricks},
        {OutputKind::Microbit, QStringLiteral("microbit"),
         QCoreApplication::translate("Outputs", "micro:bit（MicroPython）(&M)..."),
         QCoreApplication::translate("Outputs", "ほかのブロック用に書き出す"),
         QCoreApplication::translate("Outputs", "Pythonプログラム (*.py)"), QStringLiteral("_microbit.py"),
         ExportTarget::Microbit},
        {OutputKind::Ev3dev, QStringLiteral("ev3dev"),
         QCoreApplication::translate("Outputs", "EV3（ev3dev の Python）(&E)..."),
         QCoreApplication::translate("Outputs", "ほかのブロック用に書き出す"),
         QCoreApplication::translate("Outputs", "Pythonプログラム (*.py)"), QStringLiteral("_ev3dev.py"),
         ExportTarget::Ev3dev},
        {OutputKind::MidiAsPlayed, QStringLiteral("midi --as-played"), QString(),
         QCoreApplication::translate("Outputs", "MIDIファイルに書き出す"),
         QCoreApplication::translate("Outputs", "MIDIファイル（ブロックが鳴らす時間のまま） (*.mid)"),
         QStringLiteral(".mid"), std::nullopt},
        {OutputKind::MusicXml, QStringLiteral("musicxml"),
         QCoreApplication::translate("Outputs", "MusicXMLに書き出す(&U)..."),
         QCoreApplication::translate("Outputs", "MusicXMLに書き出す"),
         QCoreApplication::translate("Outputs", "MusicXMLファイル (*.musicxml)"), QStringLiteral(".musicxml"),
         std::nullopt},
        {OutputKind::LilyPond, QStringLiteral("lilypond"),
         QCoreApplication::translate("Outputs", "LilyPondに書き出す(&L)..."),
         QCoreApplication::translate("Outputs", "LilyPondに書き出す"),
         QCoreApplication::translate("Outputs", "LilyPondファイル (*.ly)"), QStringLiteral(".ly"), std::nullopt},
    }};
}

} // namespace

// One table a language, made when first asked for in it: the references
// handed out stay valid, and the texts follow the language installed.
const std::array<OutputFormat, 10> &outputFormats()
{
    static std::optional<std::array<OutputFormat, 10>> tables[2];
    std::optional<std::array<OutputFormat, 10>> &table = tables[int(UiLanguages::language())];
    if (!table)
        table = translatedFormats();
    return *table;
}

const OutputFormat &outputFormat(OutputKind kind)
{
    return outputFormats()[static_cast<std::size_t>(kind)];
}

std::optional<OutputKind> brickOutputNamed(const QString &name)
{
    for (const OutputFormat &format : outputFormats()) {
        if (format.brick && format.commandName == name)
            return format.kind;
    }
    return std::nullopt;
}

QString suggestedOutputName(OutputKind kind, const QString &melodyName)
{
    return suggestedFileName(melodyName, outputFormat(kind).nameEnding);
}

QString suggestedFileName(const QString &melodyName, const QString &ending)
{
    return (melodyName.isEmpty() ? QStringLiteral("melody") : melodyName) + ending;
}

OutputSource OutputSource::of(Melody melody, const QString &title)
{
    OutputSource source;
    source.title = title;
    source.events = brickEvents(melody.notes);
    source.melody = std::move(melody);
    return source;
}

namespace {

OutputResult fromWrite(const UserFileWriter::Result &written)
{
    switch (written.status) {
    case UserFileWriter::Result::Status::Written:
        return {OutputResult::Status::Written, QString(), {}};
    case UserFileWriter::Result::Status::Exists:
        return {OutputResult::Status::Exists, QString(), {}};
    case UserFileWriter::Result::Status::Cancelled:
        return {OutputResult::Status::Cancelled, QString(), {}};
    case UserFileWriter::Result::Status::Failed:
        break;
    }
    return {OutputResult::Status::Failed, written.reason, {}};
}

OutputResult writeWav(const OutputSource &source, const QString &path, UserFileWriter::Replace replace,
                      const OutputProgress &progress)
{
    SoundRenderer renderer(toneTimeline(source.events));
    const WavFile::Progress told = [&progress](qint64 written, qint64 total) {
        return !progress || progress(int(written * 1000 / std::max<qint64>(total, 1)));
    };
    return fromWrite(UserFileWriter::write(
        path,
        [&](const UserFileWriter::Sink &sink) {
            switch (WavFile::stream(renderer, sink, told)) {
            case WavFile::Streamed::Done:
                return UserFileWriter::Produced::Done;
            case WavFile::Streamed::Cancelled:
                return UserFileWriter::Produced::Cancelled;
            case WavFile::Streamed::Failed:
                break;
            }
            return UserFileWriter::Produced::Failed;
        },
        replace));
}

OutputResult writeNqc(const OutputSource &source, const QString &path, UserFileWriter::Replace replace)
{
    return fromWrite(UserFileWriter::write(
        path,
        [&source](const UserFileWriter::Sink &sink) {
            const bool done
                = source.melody ? composeNqcProgram(source.melody->notes, sink) : sink(nqcProgramText(source.events));
            return done ? UserFileWriter::Produced::Done : UserFileWriter::Produced::Failed;
        },
        replace));
}

} // namespace

OutputResult::Status outputFits(OutputKind kind, const OutputSource &source)
{
    switch (kind) {
    case OutputKind::Nqc:
        return OutputResult::Status::Written;
    case OutputKind::Wav:
        return WavFile::fits(toneTimeline(source.events).totalTicks * BrickSound::SamplesPerTick)
            ? OutputResult::Status::Written
            : OutputResult::Status::TooLong;
    default:
        return source.melody ? OutputResult::Status::Written : OutputResult::Status::NeedsNotes;
    }
}

OutputResult writeOutput(OutputKind kind, const OutputSource &source, const QString &path,
                         UserFileWriter::Replace replace, const OutputProgress &progress)
{
    const OutputResult::Status fits = outputFits(kind, source);
    if (fits != OutputResult::Status::Written)
        return {fits, QString(), {}};
    switch (kind) {
    case OutputKind::Nqc:
        return writeNqc(source, path, replace);
    case OutputKind::Wav:
        return writeWav(source, path, replace, progress);
    case OutputKind::Midi:
    case OutputKind::MidiAsPlayed:
        return fromWrite(UserFileWriter::write(
            path,
            MidiFile::write(source.melody->notes, source.melody->tempo,
                            kind == OutputKind::Midi ? MidiFile::Timing::Grid : MidiFile::Timing::AsPlayed),
            replace));
    case OutputKind::MusicXml: {
        const MusicXmlText xml
            = musicXmlText(*source.melody, source.title, QStringLiteral("ZEPA %1").arg(programVersionText()));
        OutputResult result = fromWrite(UserFileWriter::write(path, xml.bytes, replace));
        if (xml.barsDropped)
            result.changes << ExportChange{
                QCoreApplication::translate("Outputs", "%1/4拍子に合わない長さがあるため、小節線を見せずに書きました。")
                    .arg(source.melody->meter)};
        return result;
    }
    case OutputKind::LilyPond:
        return fromWrite(UserFileWriter::write(path, lilyPondText(writeMelody(*source.melody), source.title), replace));
    case OutputKind::Nxc:
    case OutputKind::Pybricks:
    case OutputKind::Microbit:
    case OutputKind::Ev3dev:
        break;
    }
    const ExportedProgram program
        = exportProgram(*outputFormat(kind).brick, source.melody->notes, source.melody->tempo);
    OutputResult result = fromWrite(UserFileWriter::write(path, program.text, replace));
    result.changes = program.changes;
    return result;
}
