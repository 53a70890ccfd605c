#pragma once

#include <memory>
#include <optional>
#include <span>

#include <QObject>
#include <QString>
#include <QStringList>

#include "base/UserDialogs.h"
#include "score/NoteRecord.h"

class QProcess;
class QTemporaryDir;

// Sending a melody to a program slot of the RCX through Debian's nqc, in two
// steps: the program compiled into a temporary .rcx (a compile error leaves
// the brick untouched), then downloaded:
//   nqc -TRCX2 -S<port> -d -pgm <slot> <file>.rcx [-run]
// in this order: "-d <file> -pgm <slot>" would download into whichever slot
// was selected before, and "-pgm <slot> -d" is a usage error. nqc runs
// through QProcess, never a shell; the port is one argument of its own.
//
// nqc reads the brick's answer to the download's first steps, but not its
// status for each block of the program: a brick that refuses every block
// still gives "complete". So "sent" means that nqc sent every block and the
// brick answered, not that it stored them.

// Where the program goes: "usb" for the USB tower, or the path of a serial
// port; the slot 1 to 5; whether the program starts once it is there.
using SendSettings = SendChoice;

struct SendResult {
    enum class Status {
        Sent,
        NothingToSend,
        TooLarge, // more than the brick's program memory: not sent
        BadPort, // the port text is no port: not sent
        NoNqc, // nqc is not installed
        CompileFailed,
        PortUnavailable, // no such port, no permission, no USB driver
        TowerSilent, // the tower does not answer: without power, or not there
        BrickSilent, // the brick does not answer: off or out of range
        NoFirmware,
        NotEnoughMemory,
        Cancelled,
        Failed,
    };
    Status status = Status::Failed;
    SendSettings settings;
    qint64 programBytes = 0;
    int blocksSent = 0; // blocks nqc had sent when it ended
    double batteryVolts = 0; // as nqc read it after sending; 0 when it did not
    bool batteryLow = false;
    QString nqcOutput; // what nqc said, for the failures ZEPA has no words of its own for

    bool sent() const { return status == Status::Sent; }
    // Whether the slot was left without its music task: a download stopped
    // part way leaves task main alone, which starts a task that is not there.
    bool slotLeftIncomplete() const;
    // One sentence or more for the user, naming the port and the slot, in the
    // language of the windows.
    QString message() const;
};

// Why the text is not a port ZEPA sends through, or nothing when it is one:
// "usb", or an absolute path without line breaks or control characters. So
// no text can be taken by nqc as another option.
std::optional<QString> portProblem(const QString &port);

// The download's blocks of 20 bytes: task main's, then the music task's.
int downloadBlocks(std::span<const NoteRecord> notes);
// About 0.30 s a block at the tower's 2400 baud (a 57-byte request and a
// 9-byte reply of 11 bits a byte).
inline constexpr double SecondsPerBlock = 66.0 * 11 / 2400;

class RcxSender : public QObject {
    Q_OBJECT

public:
    explicit RcxSender(QString nqc = QStringLiteral("nqc"), QObject *parent = nullptr);
    ~RcxSender() override;

    // Starts sending; finished() tells how it went. The notes are copied.
    void start(std::span<const NoteRecord> notes, const SendSettings &settings);
    // Stops nqc: the slot is left without its music task.
    void cancel();
    bool isSending() const { return m_process != nullptr; }
    int totalBlocks() const { return m_totalBlocks; }

    // Sends and waits, running the event loop meanwhile, as the command line does.
    SendResult send(std::span<const NoteRecord> notes, const SendSettings &settings);

signals:
    void progressed(int blocksSent, int totalBlocks);
    void finished(const SendResult &result);

private:
    void launch(const QStringList &arguments, void (RcxSender::*whenDone)());
    void compiled();
    void downloaded();
    void readOutput();
    void end(SendResult::Status status);

    QString m_nqc;
    std::unique_ptr<QTemporaryDir> m_folder;
    QProcess *m_process = nullptr;
    SendResult m_result;
    QString m_output;
    int m_totalBlocks = 0;
    bool m_downloading = false;
    bool m_cancelled = false;
};
