#include "controller/SendMelody.h"

#include <QTimer>

#include "nqc/ProgramSize.h"

SendResult SendMelody::run(std::span<const NoteRecord> notes)
{
    SendResult refused;
    refused.programBytes = ProgramSize::bytes(notes);
    if (notes.empty() || refused.programBytes > ProgramSize::RcxProgramMemory) {
        refused.status = notes.empty() ? SendResult::Status::NothingToSend : SendResult::Status::TooLarge;
        m_port.finished(refused);
        return refused;
    }
    const std::optional<SendChoice> choice = m_port.choice();
    if (!choice) {
        refused.status = SendResult::Status::Cancelled;
        return refused;
    }
    refused.settings = *choice;
    if (portProblem(choice->port)) {
        refused.status = SendResult::Status::BadPort;
        m_port.finished(refused);
        return refused;
    }
    RcxSender sender(m_nqc);
    m_port.started(*choice, downloadBlocks(notes));
    QObject::connect(&sender, &RcxSender::progressed, [this](int blocks, int all) { m_port.progressed(blocks, all); });
    // Whoever waits behind the progress keeps drawing until nqc ends or is stopped.
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, &sender, [this, &sender] {
        if (m_port.cancelled())
            sender.cancel();
    });
    watch.start(100);
    const SendResult result = sender.send(notes, *choice);
    watch.stop();
    m_port.finished(result);
    return result;
}
