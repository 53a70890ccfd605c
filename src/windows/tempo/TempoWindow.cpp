#include "windows/tempo/TempoWindow.h"

#include <QCoreApplication>

#include "score/TempoReader.h"
#include "ui_TempoWindow.h"
#include "widgets/FormDesign.h"

TempoWindow::TempoWindow(MessageService &messages, QWidget *parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::TempoWindow>())
    , m_messages(messages)
{
    m_ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    applyFormDesign(this);
    m_ui->Text1->setFocus();
    connect(m_ui->Command1, &QPushButton::clicked, this, &TempoWindow::start);
    connect(m_ui->Command2, &QPushButton::clicked, this, &TempoWindow::endRequested);
}

TempoWindow::~TempoWindow() = default;

void TempoWindow::start()
{
    const std::optional<qint16> tempo = TempoReader::readTempo(m_ui->Text1->text());
    if (!tempo) {
        // The text stays as typed so that the user can correct it.
        m_messages.show(Message::refusal(
            QCoreApplication::translate("TempoWindow", "テンポは６０から２４０の間に設定してください。"),
            QCoreApplication::translate("TempoWindow", "注意")));
        return;
    }
    emit tempoAccepted(*tempo);
}
