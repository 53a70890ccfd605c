// 「RCXに送る」: where to send, then the program sent with its progress shown.
#include <QCoreApplication>
#include <QSettings>
#include <QTimer>

#include "controller/DocumentController.h"
#include "nqc/ProgramSize.h"
#include "sending/RcxSender.h"

namespace {

QString SendTitle()
{
    return QCoreApplication::translate("RcxSending", "RCXに送る");
}

SendChoice lastSendChoice()
{
    QSettings settings;
    SendChoice choice;
    choice.port = settings.value(QStringLiteral("send/port"), choice.port).toString();
    choice.slot = std::clamp(settings.value(QStringLiteral("send/slot"), choice.slot).toInt(), 1, 5);
    choice.run = settings.value(QStringLiteral("send/run"), choice.run).toBool();
    return choice;
}

void keepSendChoice(const SendChoice &choice)
{
    QSettings settings;
    settings.setValue(QStringLiteral("send/port"), choice.port);
    settings.setValue(QStringLiteral("send/slot"), choice.slot);
    settings.setValue(QStringLiteral("send/run"), choice.run);
}

} // namespace

void DocumentController::sendToRcx()
{
    const std::span<const NoteRecord> notes = m_document.notes();
    if (notes.empty()) {
        emit status(QCoreApplication::translate("RcxSending", "送る音がありません"));
        return;
    }
    // The size the status bar shows decides before anything is asked or sent.
    SendResult tooLarge;
    tooLarge.programBytes = ProgramSize::bytes(notes);
    if (tooLarge.programBytes > ProgramSize::RcxProgramMemory) {
        tooLarge.status = SendResult::Status::TooLarge;
        m_services.messages.show(
            Message::refusal(tooLarge.message(), QCoreApplication::translate("RcxSending", "RCXに送れません")));
        return;
    }
    std::optional<SendChoice> choice = m_services.dialogs.askSendChoice(lastSendChoice());
    if (!choice)
        return;
    keepSendChoice(*choice);
    if (const std::optional<QString> problem = portProblem(choice->port)) {
        m_services.messages.show(
            Message::refusal(*problem, QCoreApplication::translate("RcxSending", "RCXに送れません")));
        return;
    }
    RcxSender sender(m_services.nqc);
    const int total = downloadBlocks(notes);
    std::unique_ptr<ProgressTask> progress = m_services.dialogs.startProgress(
        SendTitle(), QCoreApplication::translate("RcxSending", "RCX のプログラム %1 に送っています…").arg(choice->slot),
        total);
    connect(&sender, &RcxSender::progressed, this, [&progress, choice](int blocks, int all) {
        progress->setValue(blocks);
        progress->setLabel(QCoreApplication::translate(
                               "RcxSending", "RCX のプログラム %1 に送っています… %2 / %3 ブロック（あと約 %4 秒）")
                               .arg(choice->slot)
                               .arg(blocks)
                               .arg(all)
                               .arg(int(std::ceil((all - blocks) * SecondsPerBlock))));
    });
    // The composer waits behind the progress, drawing, until nqc ends or 中止 stops it.
    QTimer watch;
    connect(&watch, &QTimer::timeout, &sender, [&progress, &sender] {
        if (progress->wasCancelled())
            sender.cancel();
    });
    watch.start(100);
    const SendResult result = sender.send(notes, *choice);
    watch.stop();
    progress.reset();
    if (result.sent()) {
        emit status(QCoreApplication::translate("RcxSending", "プログラム %1 に送りました（電池 %2 V）")
                        .arg(choice->slot)
                        .arg(result.batteryVolts, 0, 'f', 1));
        if (result.batteryLow)
            m_services.messages.show(Message::notice(result.message(), SendTitle()));
        return;
    }
    emit status(result.status == SendResult::Status::Cancelled
                    ? QCoreApplication::translate("RcxSending", "送るのを中止しました")
                    : QCoreApplication::translate("RcxSending", "RCXに送れませんでした"));
    m_services.messages.show(
        result.status == SendResult::Status::Cancelled
            ? Message::notice(result.message(), SendTitle())
            : Message::refusal(result.message(), QCoreApplication::translate("RcxSending", "RCXに送れません")));
}
