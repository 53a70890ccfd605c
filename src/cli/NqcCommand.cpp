#include <cstdio>

#include <QCoreApplication>
#include <QFileInfo>

#include "cli/CommandSupport.h"
#include "cli/Commands.h"
#include "controller/WriteProgram.h"
#include "files/PosixFileSystem.h"

namespace {

// The program's name on standard output, for scripts; a failure on standard error.
class ProgramToStandardOutput : public ProgramPort {
public:
    void beforeWriting(bool) override { }
    void written(const QString &path, bool) override { std::printf("%s\n", qPrintable(QFileInfo(path).fileName())); }
    void failed(const SaveResult &saved, const QString &) override
    {
        if (saved.status == SaveResult::Status::NoFreeName)
            m_status = CommandSupport::fail(
                ExitStatus::WorkFailed,
                QCoreApplication::translate(
                    "CommandLine",
                    "ここでは music0.nqc から music32767.nqc "
                    "までがすべて使われています。ほかのフォルダで書き出すか、出力のファイル名を指定してください"));
        else
            m_status = CommandSupport::fail(
                ExitStatus::WorkFailed,
                QCoreApplication::translate("CommandLine", "%1: 書き込めません: %2").arg(saved.fileName, saved.reason));
    }
    int status() const { return m_status; }

private:
    int m_status = ExitStatus::WorkFailed;
};

} // namespace

Command::Help NqcCommand::help() const
{
    return {QStringLiteral("nqc"),
            QStringLiteral("INPUT.mml [OUTPUT.nqc]"),
            1,
            2,
            QCoreApplication::translate("NqcCommand",
                                        "NQCプログラムを書き出す（出力を省くと、ここに空いている musicN.nqc として）"),
            QStringLiteral("zepa nqc furusato.mml")};
}

std::optional<QString> NqcCommand::readOptions(const QCommandLineParser &parser)
{
    m_force.read(parser);
    return std::nullopt;
}

int NqcCommand::run(const QStringList &arguments)
{
    const std::optional<MelodyRead> read = CommandSupport::readInput(arguments[0], VoiceOptions{}, true);
    if (!read)
        return ExitStatus::WorkFailed;
    if (arguments.size() == 2)
        return CommandSupport::writeOutputFile(OutputId::Nqc, OutputSource::of(read->melody), arguments[1], m_force);
    // As the finish button writes it: the first free musicN.nqc here.
    PosixFileSystem here;
    ProgramToStandardOutput port;
    return WriteProgram(port, here).run(read->melody.notes).isEmpty() ? port.status() : ExitStatus::Success;
}
