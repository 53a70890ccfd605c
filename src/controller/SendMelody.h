#pragma once

#include <span>

#include "sending/RcxSender.h"

// How sending speaks with whoever asked for it: the send dialog, a progress
// box and the status bar in the windows; the options, standard output and
// standard error on the command line.
class SendPort {
public:
    virtual ~SendPort() = default;
    // Where to send; none: the user stopped.
    virtual std::optional<SendChoice> choice() = 0;
    virtual void started(const SendChoice &choice, int blocks) = 0;
    virtual void progressed(int blocks, int total) = 0;
    // Asked now and then while nqc runs: the user asked to stop.
    virtual bool cancelled() = 0;
    // Every outcome but the user stopping before a choice: sent, refused before
    // sending (nothing to send, too large, no such port), or failed.
    virtual void finished(const SendResult &result) = 0;
};

// The melody sent to the RCX through nqc, the same way from the menu and from
// the command line: the program's size decides before anything is asked,
// the port is checked before nqc runs, and the progress is told block by block.
class SendMelody {
public:
    SendMelody(SendPort &port, QString nqc = QStringLiteral("nqc"))
        : m_port(port)
        , m_nqc(std::move(nqc))
    { }

    SendResult run(std::span<const NoteRecord> notes);

private:
    SendPort &m_port;
    QString m_nqc;
};
