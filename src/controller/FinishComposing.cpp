#include "controller/FinishComposing.h"

#include <QCoreApplication>

#include "nqc/ProgramSize.h"

namespace {

QString WriteErrorTitle()
{
    return QCoreApplication::translate("FinishComposing", "書き込みエラー");
}

} // namespace

FinishResult finishComposing(const ComposerState &state, MessageService &messages, FileSystem &files)
{
    if (state.noteTotal() == 0) {
        const MessageAnswer answer
            = messages.show(Message::question(QCoreApplication::translate("FinishComposing", "何も作成せずに終了します"),
                                              QCoreApplication::translate("FinishComposing", "終了")));
        return answer == MessageAnswer::Ok ? FinishResult::EndProgram : FinishResult::ReturnToComposer;
    }

    return writeProgramFile(state, messages, files).isEmpty() ? FinishResult::ReturnToComposer
                                                              : FinishResult::EndProgram;
}

QString writeProgramFile(const ComposerState &state, MessageService &messages, FileSystem &files)
{
    QString notice = QCoreApplication::translate(
        "FinishComposing",
        "書き込みに数分かかる場合がありますが、強制終了は絶対にしないでください。「OK」を押すと書き込みを始めます。");
    // The file is written all the same: the user may shorten it, or download it in parts.
    if (ProgramSize::bytes(state.notes()) > ProgramSize::RcxProgramMemory)
        notice += QCoreApplication::translate("FinishComposing",
                                              "\nこのプログラムは大きすぎて、RCXに全部は転送できません。");
    messages.show(Message::notice(notice, QCoreApplication::translate("FinishComposing", "注意")));

    const SaveResult saved = saveProgram(files, state.notes());
    switch (saved.status) {
    case SaveResult::Status::Saved:
        return saved.fileName;
    case SaveResult::Status::NoFreeName:
        messages.show(Message::refusal(
            QCoreApplication::translate("FinishComposing", "保存できるファイル名がありません。"), WriteErrorTitle()));
        return QString();
    case SaveResult::Status::FolderMissing:
        messages.show(Message::refusal(QCoreApplication::translate("FinishComposing", "フォルダ「%1」がありません。\n%2")
                                           .arg(files.folderPath(), saved.reason),
                                       WriteErrorTitle()));
        return QString();
    case SaveResult::Status::Failed:
        break;
    }
    messages.show(Message::refusal(
        QCoreApplication::translate("FinishComposing", "ファイル「%1」を書き込めませんでした。\nフォルダ：%2\n%3")
            .arg(saved.fileName, files.folderPath(), saved.reason),
        WriteErrorTitle()));
    return QString();
}
