#include "controller/EditMessages.h"

#include <QCoreApplication>

namespace {

QString words(const char *text)
{
    return QCoreApplication::translate("EditMessages", text);
}

} // namespace

std::optional<Message> editMessage(const EditResult &result)
{
    using Status = EditResult::Status;
    switch (result.status) {
    case Status::Done:
    case Status::Unchanged:
        return std::nullopt;
    case Status::DoneScoreNowFull:
        return Message::notice(
            words(QT_TRANSLATE_NOOP("EditMessages", "これ以上は作成できなくなりますので、終了処理をしてください。")),
            words(QT_TRANSLATE_NOOP("EditMessages", "整数の限界")));
    case Status::NothingChosen:
        return Message::refusal(words(QT_TRANSLATE_NOOP("EditMessages", "音が入力されていません")),
                                words(QT_TRANSLATE_NOOP("EditMessages", "注意")));
    case Status::NothingToClear:
        return Message::refusal(words(QT_TRANSLATE_NOOP("EditMessages", "クリアする音がありません")),
                                words(QT_TRANSLATE_NOOP("EditMessages", "クリア不可")));
    case Status::NoPreviousNote:
        return Message::refusal(words(QT_TRANSLATE_NOOP("EditMessages", "前の音はありません")),
                                words(QT_TRANSLATE_NOOP("EditMessages", "前音なし")));
    case Status::ScoreFull:
        return Message::refusal(words(QT_TRANSLATE_NOOP("EditMessages", "楽譜がいっぱいのため、挿入できません。")),
                                words(QT_TRANSLATE_NOOP("EditMessages", "整数の限界")));
    case Status::LeavesRange:
        return Message::refusal(
            QCoreApplication::translate("EditMessages",
                                        "移調すると、最低音から最高音の外に出る音が%n個あります（最初は%2番目の音）。",
                                        nullptr, result.count)
                .arg(result.first + 1),
            words(QT_TRANSLATE_NOOP("EditMessages", "移調できません")));
    }
    return std::nullopt;
}

bool tellEdit(MessageService &messages, const EditResult &result)
{
    if (const std::optional<Message> message = editMessage(result))
        messages.show(*message);
    return result.done();
}
