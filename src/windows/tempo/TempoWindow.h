#pragma once

#include <memory>

#include <QWidget>

#include "base/MessageService.h"

namespace Ui {
class TempoWindow;
}

// The first window: the user types the tempo and starts composing, or quits.
class TempoWindow : public QWidget {
    Q_OBJECT

public:
    explicit TempoWindow(MessageService &messages, QWidget *parent = nullptr);
    ~TempoWindow() override;

signals:
    // The text was a tempo of 60 to 240.
    void tempoAccepted(qint16 tempo);
    void endRequested();

private:
    void start();

    std::unique_ptr<Ui::TempoWindow> m_ui;
    MessageService &m_messages;
};
