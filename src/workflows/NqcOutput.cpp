// The RCX's own program, from the melody or, for a program read back, from
// its statements.
#include <QCoreApplication>

#include "nqc/NqcProgram.h"
#include "workflows/Outputs.h"

namespace {

class NqcOutput : public OutputWriter {
public:
    OutputFormat format() const override
    {
        OutputFormat format;
        format.id = OutputId::Nqc;
        format.commandName = QStringLiteral("nqc");
        format.menuText = QCoreApplication::translate("Outputs", "NQCプログラムを書き出す(&C)");
        format.description = QCoreApplication::translate(
            "Outputs", "終わらずに、NQCプログラムを次に空いている musicN.nqc として書き出します。");
        format.dialogTitle = QCoreApplication::translate("Outputs", "NQCプログラムを書き出す");
        format.fileFilter = QCoreApplication::translate("Outputs", "NQCプログラム (*.nqc)");
        format.nameEnding = QStringLiteral(".nqc");
        return format;
    }

    OutputResult fits(const OutputSource &) const override { return {OutputResult::Status::Written, QString(), {}}; }

    OutputResult write(const OutputSource &source, const QString &path, UserFileWriter::Replace replace,
                       const OutputProgress &) const override
    {
        return fromWrite(UserFileWriter::write(
            path,
            [&source](const UserFileWriter::Sink &sink) {
                const bool done = source.melody ? composeNqcProgram(source.melody->notes, sink)
                                                : sink(nqcProgramText(source.events));
                return done ? UserFileWriter::Produced::Done : UserFileWriter::Produced::Failed;
            },
            replace));
    }
};

} // namespace

std::unique_ptr<OutputWriter> makeNqcOutput()
{
    return std::make_unique<NqcOutput>();
}
