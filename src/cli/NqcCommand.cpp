#include <cstdio>

#include <QCoreApplication>

#include "cli/CommandSupport.h"
#include "cli/Commands.h"
#include "files/PosixFileSystem.h"
#include "workflows/ProgramSaving.h"

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
    const SaveResult saved = saveProgram(here, read->melody.notes);
    switch (saved.status) {
    case SaveResult::Status::Saved:
        std::printf("%s\n", qPrintable(saved.fileName));
        return ExitStatus::Success;
    case SaveResult::Status::NoFreeName:
        return CommandSupport::fail(
            ExitStatus::WorkFailed,
            QCoreApplication::translate(
                "CommandLine",
                "ここでは music0.nqc から music32767.nqc "
                "までがすべて使われています。ほかのフォルダで書き出すか、出力のファイル名を指定してください"));
    case SaveResult::Status::FolderMissing:
    case SaveResult::Status::Failed:
        break;
    }
    return CommandSupport::fail(
        ExitStatus::WorkFailed,
        QCoreApplication::translate("CommandLine", "%1: 書き込めません: %2").arg(saved.fileName, saved.reason));
}
