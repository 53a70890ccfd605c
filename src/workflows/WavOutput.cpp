// The melody as the brick sounds it, sample by sample, streamed to the file.
#include <QCoreApplication>

#include "sound/ToneTimeline.h"
#include "sound/WavFile.h"
#include "workflows/Outputs.h"

namespace {

class WavOutput : public OutputWriter {
public:
    OutputFormat format() const override
    {
        OutputFormat format;
        format.id = OutputId::Wav;
        format.commandName = QStringLiteral("render");
        format.menuText = QCoreApplication::translate("Outputs", "WAVファイルに書き出す(&W)...");
        format.description
            = QCoreApplication::translate("Outputs", "ブロックが鳴らすとおりの音をWAVファイルに書き出します。");
        format.dialogTitle = QCoreApplication::translate("Outputs", "WAVファイルに書き出す");
        format.fileFilter = QCoreApplication::translate("Outputs", "WAVファイル (*.wav)");
        format.nameEnding = QStringLiteral(".wav");
        format.progressWords = QCoreApplication::translate("Outputs", "WAVファイルに書き出しています…");
        return format;
    }

    // Made from the statements alone, so a program read back can be heard.
    OutputResult fits(const OutputSource &source) const override
    {
        const qint64 ticks = toneTimeline(source.events).totalTicks;
        if (WavFile::fits(ticks * BrickSound::SamplesPerTick))
            return {OutputResult::Status::Written, QString(), {}};
        return {OutputResult::Status::TooLong,
                QCoreApplication::translate("Outputs",
                                            "曲が長すぎるため、WAVファイルに書き出せません。\n"
                                            "WAVファイルに入るのは約13時間半までです（この曲は%1）。")
                    .arg(minutesAndSeconds(ticks)),
                {}};
    }

    OutputResult write(const OutputSource &source, const QString &path, UserFileWriter::Replace replace,
                       const OutputProgress &progress) const override
    {
        SoundRenderer renderer(toneTimeline(source.events));
        const WavFile::Progress told = [&progress](qint64 written, qint64 total) {
            return !progress || progress(int(written * 1000 / std::max<qint64>(total, 1)), QString());
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
};

} // namespace

std::unique_ptr<OutputWriter> makeWavOutput()
{
    return std::make_unique<WavOutput>();
}
