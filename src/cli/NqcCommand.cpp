#include <cstdio>

#include "cli/Commands.h"
#include "cli/CommandSupport.h"
#include "files/PosixFileSystem.h"
#include "workflows/FinishWorkflow.h"

Command::Help NqcCommand::help() const
{
    return {QStringLiteral("nqc"),
            QStringLiteral("INPUT.mml [OUTPUT.nqc]"),
            1,
            2,
            true,
            QStringLiteral("write the NQC program, by default as the next free musicN.nqc here"),
            QStringLiteral("NQCプログラムを書き出す（出力を省くと、ここに空いている musicN.nqc として）"),
            QStringLiteral("zepa nqc furusato.mml"),
            {}};
}

int NqcCommand::run(const QStringList &arguments, const CommandOptions &options)
{
    const std::optional<MelodyRead> read = CommandSupport::readInput(arguments[0], options, true);
    if (!read)
        return ExitStatus::WorkFailed;
    if (arguments.size() == 2)
        return CommandSupport::writeOutputFile(OutputKind::Nqc, OutputSource::of(read->melody), arguments[1], options);
    // As the finish button writes it: the first free musicN.nqc here.
    PosixFileSystem here;
    const SaveResult saved = saveProgram(here, read->melody.notes);
    switch (saved.status) {
    case SaveResult::Status::Saved:
        std::printf("%s\n", qPrintable(saved.fileName));
        return ExitStatus::Success;
    case SaveResult::Status::NoFreeName:
        return CommandSupport::fail(ExitStatus::WorkFailed,
                                    QStringLiteral("music0.nqc to music32767.nqc are all taken here"));
    case SaveResult::Status::FolderMissing:
    case SaveResult::Status::Failed:
        break;
    }
    return CommandSupport::fail(ExitStatus::WorkFailed,
                                QStringLiteral("%1: cannot write: %2").arg(saved.fileName, saved.reason));
}
