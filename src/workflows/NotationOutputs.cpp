// The notation programs' files, written as ZEPA's staff shows the melody,
// under its title.
#include <QCoreApplication>

#include "base/ProgramInfo.h"
#include "notation/LilyPondWriter.h"
#include "notation/MusicXmlWriter.h"
#include "workflows/Outputs.h"

namespace {

class MusicXmlOutput : public OutputWriter {
public:
    OutputFormat format() const override
    {
        OutputFormat format;
        format.id = OutputId::MusicXml;
        format.commandName = QStringLiteral("musicxml");
        format.menuText = QCoreApplication::translate("Outputs", "MusicXMLに書き出す(&U)...");
        format.description
            = QCoreApplication::translate("Outputs", "楽譜ソフトで開けるMusicXMLに、五線譜のとおりに書き出します。");
        format.dialogTitle = QCoreApplication::translate("Outputs", "MusicXMLに書き出す");
        format.fileFilter = QCoreApplication::translate("Outputs", "MusicXMLファイル (*.musicxml)");
        format.nameEnding = QStringLiteral(".musicxml");
        return format;
    }

    OutputResult write(const OutputSource &source, const QString &path, UserFileWriter::Replace replace,
                       const OutputProgress &) const override
    {
        const MusicXmlText xml
            = musicXmlText(*source.melody, source.title, QStringLiteral("ZEPA %1").arg(programVersionText()));
        OutputResult result = fromWrite(UserFileWriter::write(path, xml.bytes, replace));
        if (xml.barsDropped)
            result.changes << ExportChange{
                QCoreApplication::translate("Outputs", "%1/4拍子に合わない長さがあるため、小節線を見せずに書きました。")
                    .arg(source.melody->meter)};
        return result;
    }
};

class LilyPondOutput : public OutputWriter {
public:
    OutputFormat format() const override
    {
        OutputFormat format;
        format.id = OutputId::LilyPond;
        format.commandName = QStringLiteral("lilypond");
        format.menuText = QCoreApplication::translate("Outputs", "LilyPondに書き出す(&L)...");
        format.description = QCoreApplication::translate("Outputs", "LilyPondの楽譜に、五線譜のとおりに書き出します。");
        format.dialogTitle = QCoreApplication::translate("Outputs", "LilyPondに書き出す");
        format.fileFilter = QCoreApplication::translate("Outputs", "LilyPondファイル (*.ly)");
        format.nameEnding = QStringLiteral(".ly");
        return format;
    }

    OutputResult write(const OutputSource &source, const QString &path, UserFileWriter::Replace replace,
                       const OutputProgress &) const override
    {
        return fromWrite(UserFileWriter::write(path, lilyPondText(writeMelody(*source.melody), source.title), replace));
    }
};

} // namespace

std::unique_ptr<OutputWriter> makeMusicXmlOutput()
{
    return std::make_unique<MusicXmlOutput>();
}

std::unique_ptr<OutputWriter> makeLilyPondOutput()
{
    return std::make_unique<LilyPondOutput>();
}
