#include "controller/FinishComposing.h"

#include <QCoreApplication>
#include <QDir>

namespace {

QString finishWords(const char *text)
{
    return QCoreApplication::translate("FinishComposing", text);
}

} // namespace

FinishResult finishComposing(const ComposerState &state, MessageService &messages, FileSystem &files)
{
    if (state.noteTotal() == 0) {
        const MessageAnswer answer = messages.show(
            Message::question(finishWords(QT_TRANSLATE_NOOP("FinishComposing", "何も作成せずに終了します")),
                              finishWords(QT_TRANSLATE_NOOP("FinishComposing", "終了"))));
        return answer == MessageAnswer::Ok ? FinishResult::EndProgram : FinishResult::ReturnToComposer;
    }
    DialogProgramPort port(messages, DialogProgramPort::Notice::BeforeWriting);
    return WriteProgram(port, files).run(state.notes()).isEmpty() ? FinishResult::ReturnToComposer
                                                                  : FinishResult::EndProgram;
}

DialogProgramPort::DialogProgramPort(MessageService &messages, Notice notice,
                                     std::function<void(const QString &)> status)
    : m_messages(messages)
    , m_notice(notice)
    , m_status(std::move(status))
{ }

void DialogProgramPort::beforeWriting(bool tooLargeForRcx)
{
    if (m_notice != Notice::BeforeWriting)
        return;
    QString notice = finishWords(QT_TRANSLATE_NOOP(
        "FinishComposing",
        "書き込みに数分かかる場合がありますが、強制終了は絶対にしないでください。「OK」を押すと書き込みを始めます。"));
    if (tooLargeForRcx)
        notice += finishWords(
            QT_TRANSLATE_NOOP("FinishComposing", "\nこのプログラムは大きすぎて、RCXに全部は転送できません。"));
    m_messages.show(Message::notice(notice, finishWords(QT_TRANSLATE_NOOP("FinishComposing", "注意"))));
}

void DialogProgramPort::written(const QString &path, bool tooLargeForRcx)
{
    if (!m_status)
        return;
    const QString shown = QDir::toNativeSeparators(path);
    m_status(tooLargeForRcx ? finishWords(QT_TRANSLATE_NOOP("FinishComposing",
                                                            "%1 に書き出しました（RCXに全部は送れない大きさです）"))
                                  .arg(shown)
                            : finishWords(QT_TRANSLATE_NOOP("FinishComposing", "%1 に書き出しました")).arg(shown));
}

void DialogProgramPort::failed(const SaveResult &result, const QString &folder)
{
    const QString title = finishWords(QT_TRANSLATE_NOOP("FinishComposing", "書き込みエラー"));
    switch (result.status) {
    case SaveResult::Status::NoFreeName:
        m_messages.show(Message::refusal(
            finishWords(QT_TRANSLATE_NOOP("FinishComposing", "保存できるファイル名がありません。")), title));
        return;
    case SaveResult::Status::FolderMissing:
        m_messages.show(
            Message::refusal(finishWords(QT_TRANSLATE_NOOP("FinishComposing", "フォルダ「%1」がありません。\n%2"))
                                 .arg(folder, result.reason),
                             title));
        return;
    case SaveResult::Status::Saved:
    case SaveResult::Status::Failed:
        break;
    }
    m_messages.show(Message::refusal(
        finishWords(QT_TRANSLATE_NOOP("FinishComposing", "ファイル「%1」を書き込めませんでした。\nフォルダ：%2\n%3"))
            .arg(result.fileName, folder, result.reason),
        title));
}
