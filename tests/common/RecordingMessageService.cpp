#include "common/RecordingMessageService.h"

#include <QTest>

MessageAnswer RecordingMessageService::show(const Message &message)
{
    m_shown.push_back(message);
    if (whileShown)
        whileShown(message);
    if (m_answers.empty()) {
        const QByteArray text = ("unexpected message box: " + message.shownTitle() + " / " + message.text).toUtf8();
        QTest::qFail(text.constData(), __FILE__, __LINE__);
        return MessageAnswer::Ok;
    }
    const MessageAnswer answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}
