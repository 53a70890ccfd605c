// The melody as a MIDI file: on the beat grid a sequencer shows, or timed by
// the brick's own ticks, a choice of the same dialog.
#include <QCoreApplication>

#include "midi/MidiWriter.h"
#include "workflows/Outputs.h"

namespace {

class MidiOutput : public OutputWriter {
public:
    explicit MidiOutput(MidiFile::Timing timing)
        : m_timing(timing)
    { }

    OutputFormat format() const override
    {
        OutputFormat format;
        format.dialogTitle = QCoreApplication::translate("Outputs", "MIDIファイルに書き出す");
        format.nameEnding = QStringLiteral(".mid");
        if (m_timing == MidiFile::Timing::Grid) {
            format.id = OutputId::Midi;
            format.commandName = QStringLiteral("midi");
            format.menuText = QCoreApplication::translate("Outputs", "MIDIファイルに書き出す(&M)...");
            format.description = QCoreApplication::translate("Outputs", "曲をスタンダードMIDIファイルに書き出します。");
            format.fileFilter = QCoreApplication::translate("Outputs", "MIDIファイル（拍に合わせる） (*.mid)");
        } else {
            format.id = OutputId::MidiAsPlayed;
            format.commandName = QStringLiteral("midi --as-played");
            format.fileFilter
                = QCoreApplication::translate("Outputs", "MIDIファイル（ブロックが鳴らす時間のまま） (*.mid)");
            format.place = OutputPlace::WithAnother;
            format.offeredWith = OutputId::Midi;
        }
        return format;
    }

    OutputResult write(const OutputSource &source, const QString &path, UserFileWriter::Replace replace,
                       const OutputProgress &) const override
    {
        return fromWrite(UserFileWriter::write(
            path, MidiFile::write(source.melody->notes, source.melody->tempo, m_timing), replace));
    }

private:
    MidiFile::Timing m_timing;
};

} // namespace

std::unique_ptr<OutputWriter> makeMidiOutput()
{
    return std::make_unique<MidiOutput>(MidiFile::Timing::Grid);
}

std::unique_ptr<OutputWriter> makeMidiAsPlayedOutput()
{
    return std::make_unique<MidiOutput>(MidiFile::Timing::AsPlayed);
}
