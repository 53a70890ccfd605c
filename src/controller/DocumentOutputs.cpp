// The composer's commands that write the melody out: the finish button, the
// program, every output of the register, printing and sending to the RCX.
// Each runs the use case the command line runs, through the dialog ports.
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "controller/DocumentController.h"
#include "controller/FinishComposing.h"
#include "drawing/ScorePages.h"

DialogContext DocumentController::dialogContext()
{
    return {m_services.messages, m_services.dialogs, [this](const QString &text) { emit status(text); }, folder(),
            m_document.name()};
}

void DocumentController::finish()
{
    // A user who uses melody files is asked about unsaved changes first; one
    // who never did sees the boxes the finish button always showed.
    if (!settleUnsavedWork(true))
        return;
    if (finishComposing(m_document.state(), m_services.messages, m_services.programFolder) == FinishResult::EndProgram)
        emit endRequested();
}

void DocumentController::writeProgram()
{
    if (m_document.state().noteTotal() == 0) {
        emit status(QCoreApplication::translate("DocumentController", "書き出す音がありません"));
        return;
    }
    // A write of a moment: no notice before it, the place written after it.
    DialogProgramPort port(m_services.messages, DialogProgramPort::Notice::None,
                           [this](const QString &text) { emit status(text); });
    WriteProgram(port, m_services.programFolder).run(m_document.notes());
}

void DocumentController::exportTo(const QString &id)
{
    if (m_document.state().noteTotal() == 0) {
        emit status(outputFormat(id).titled
                        ? QCoreApplication::translate("DocumentController", "楽譜にする音がありません")
                        : QCoreApplication::translate("DocumentController", "書き出す音がありません"));
        return;
    }
    const DialogContext context = dialogContext();
    DialogExportPort port(context, m_scoreTitle);
    ExportMelody(port).run(id, OutputSource::of(m_document.melody(), m_document.name()));
}

void DocumentController::print()
{
    if (m_document.state().noteTotal() == 0) {
        emit status(QCoreApplication::translate("DocumentController", "楽譜にする音がありません"));
        return;
    }
    const DialogContext context = dialogContext();
    const std::optional<QString> title
        = askScoreTitle(context, m_scoreTitle, QCoreApplication::translate("DocumentController", "印刷"));
    if (!title)
        return;
    const WrittenMelody written = writeMelody(m_document.melody());
    switch (m_services.dialogs.print(title->isEmpty() ? m_document.name() : *title,
                                     [&](QPagedPaintDevice &device) { return paintScore(device, written, *title); })) {
    case PrintOutcome::Printed:
        emit status(QCoreApplication::translate("DocumentController", "印刷しました"));
        break;
    case PrintOutcome::Cancelled:
        break;
    case PrintOutcome::Failed:
        m_services.messages.show(
            Message::refusal(QCoreApplication::translate("DocumentController",
                                                         "印刷できませんでした。プリンターの設定を確かめてください。"),
                             QCoreApplication::translate("DocumentController", "印刷できません")));
        break;
    }
}

void DocumentController::sendToRcx()
{
    const DialogContext context = dialogContext();
    DialogSendPort port(context);
    SendMelody(port, m_services.nqc).run(m_document.notes());
}
