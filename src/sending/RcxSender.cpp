#include "sending/RcxSender.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "nqc/NqcProgram.h"
#include "nqc/ProgramSize.h"

namespace {

constexpr int BlockBytes = 20;
// nqc's exit statuses (nqc 3.1 r6, measured against a simulated brick).
constexpr int NqcNoPort = 255;
constexpr int NqcNoTower = 254;
constexpr int NqcNoBrick = 253; // also a brick without firmware: the words tell which
constexpr int NqcNoMemory = 248;
// Below this nqc warns that the batteries are low.
constexpr double LowBattery = 6.6;

int blocksOf(qint64 bytes)
{
    return int((bytes + BlockBytes - 1) / BlockBytes);
}

} // namespace

int downloadBlocks(std::span<const NoteRecord> notes)
{
    return blocksOf(ProgramSize::MainTaskBytes) + blocksOf(ProgramSize::bytes(notes) - ProgramSize::MainTaskBytes);
}

std::optional<QString> portProblem(const QString &port)
{
    static const QRegularExpression control(QStringLiteral("[\\x00-\\x1f\\x7f]"));
    if (port == QLatin1String("usb") || (port.startsWith(QLatin1Char('/')) && !port.contains(control)))
        return std::nullopt;
    return QCoreApplication::translate("RcxSender",
                                       "「%1」はポートではありません。USB タワーなら usb、シリアルポートなら "
                                       "/dev/ttyS0 や /dev/ttyUSB0 のように / で始まる場所を書いてください。")
        .arg(port);
}

bool SendResult::slotLeftIncomplete() const
{
    return (status == Status::Cancelled || status == Status::NotEnoughMemory || status == Status::Failed)
        && blocksSent > 0;
}

QString SendResult::message() const
{
    const QString port = settings.port;
    const int slot = settings.slot;
    QString text;
    switch (status) {
    case Status::Sent:
        text = QCoreApplication::translate("RcxSender", "RCX のプログラム %1 に送りました（電池 %2 V）。")
                   .arg(slot)
                   .arg(batteryVolts, 0, 'f', 1);
        if (batteryLow)
            text
                += QCoreApplication::translate("RcxSender", "\nRCX の電池が少なくなっています。電池を替えてください。");
        return text;
    case Status::NothingToSend:
        return QCoreApplication::translate("RcxSender", "送る音がありません。");
    case Status::TooLarge:
        return QCoreApplication::translate(
                   "RcxSender",
                   "このプログラムは %1 バイトあり、RCX のプログラム用のメモリ（%2 バイト）に入りません。"
                   "曲を短くしてください。RCX には何も送っていません。")
            .arg(programBytes)
            .arg(ProgramSize::RcxProgramMemory);
    case Status::BadPort:
        return portProblem(port).value_or(QString());
    case Status::NoNqc:
        return QCoreApplication::translate(
            "RcxSender", "RCX に送るための nqc が見つかりません。Debian では「sudo apt install nqc」で入ります。");
    case Status::CompileFailed:
        return (QCoreApplication::translate("RcxSender",
                                            "プログラムを RCX 用にできませんでした。RCX には何も送っていません。\n"))
            + nqcOutput.trimmed();
    case Status::PortUnavailable:
        if (port == QLatin1String("usb"))
            return QCoreApplication::translate(
                "RcxSender",
                "USB タワーが見つからないか、使う権限がありません。タワーをつなぎ、Linux の "
                "legousbtower ドライバが作る /dev/usb/legousbtower0 があって読み書きできるか、"
                "確かめてください。");
        return QCoreApplication::translate(
                   "RcxSender",
                   "ポート「%1」を開けませんでした。ポートの名前と、使う権限（dialout グループ："
                   "sudo adduser $USER dialout のあとでログインし直します）を確かめてください。")
            .arg(port);
    case Status::TowerSilent:
        return QCoreApplication::translate(
                   "RcxSender", "赤外線タワー（%1）が答えません。タワーの電池と、つないだポートを確かめてください。")
            .arg(port);
    case Status::BrickSilent:
        return QCoreApplication::translate(
                   "RcxSender",
                   "RCX が答えません（タワー：%1）。RCX の電源を入れ、タワーに向けて近くに置いてください。")
            .arg(port);
    case Status::NoFirmware:
        return QCoreApplication::translate(
                   "RcxSender",
                   "RCX にファームウェアが入っていません（タワー：%1）。ファームウェアは RCX の基本の"
                   "ソフトで、電池を外すと消えます。LEGO のファームウェア（firm0328.lgo など）を"
                   "「nqc -firmware firm0328.lgo」で入れてから、もう一度送ってください。"
                   "ZEPA にはファームウェアは入っていません。")
            .arg(port);
    case Status::NotEnoughMemory:
        text = QCoreApplication::translate(
            "RcxSender",
            "RCX のメモリが足りません。ほかのプログラムを消す（nqc -clear ですべて消えます）か、"
            "曲を短くしてください。");
        break;
    case Status::Cancelled:
        text = QCoreApplication::translate("RcxSender", "送るのを中止しました。");
        break;
    case Status::Failed:
        text = (QCoreApplication::translate("RcxSender", "RCX に送れませんでした。\n")) + nqcOutput.trimmed();
        break;
    }
    if (slotLeftIncomplete() || status == Status::NotEnoughMemory)
        text += QCoreApplication::translate(
                    "RcxSender",
                    "\nRCX のプログラム %1 は、曲を鳴らすタスクのないまま残っています。もう一度送ると直ります。")
                    .arg(slot);
    return text;
}

RcxSender::RcxSender(QString nqc, QObject *parent)
    : QObject(parent)
    , m_nqc(std::move(nqc))
{ }

RcxSender::~RcxSender()
{
    if (m_process) {
        m_process->kill();
        m_process->waitForFinished(1000);
    }
}

void RcxSender::start(std::span<const NoteRecord> notes, const SendSettings &settings)
{
    m_result = SendResult{};
    m_result.settings = settings;
    m_result.programBytes = ProgramSize::bytes(notes);
    m_totalBlocks = downloadBlocks(notes);
    m_output.clear();
    m_downloading = false;
    m_cancelled = false;
    if (notes.empty())
        return end(SendResult::Status::NothingToSend);
    if (portProblem(settings.port))
        return end(SendResult::Status::BadPort);
    if (m_result.programBytes > ProgramSize::RcxProgramMemory)
        return end(SendResult::Status::TooLarge);
    m_folder = std::make_unique<QTemporaryDir>();
    QFile program(m_folder->filePath(QStringLiteral("melody.nqc")));
    const std::string text = nqcProgramText(notes);
    if (!program.open(QIODevice::WriteOnly) || program.write(text.data(), qint64(text.size())) != qint64(text.size())) {
        m_result.nqcOutput = program.errorString();
        return end(SendResult::Status::Failed);
    }
    program.close();
    launch({QStringLiteral("-TRCX2"), QStringLiteral("-O") + m_folder->filePath(QStringLiteral("melody.rcx")),
            program.fileName()},
           &RcxSender::compiled);
}

void RcxSender::launch(const QStringList &arguments, void (RcxSender::*whenDone)())
{
    m_process = new QProcess(this);
    m_process->setProcessChannelMode(QProcess::MergedChannels);
    connect(m_process, &QProcess::finished, this, whenDone);
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        m_process->deleteLater();
        m_process = nullptr;
        end(SendResult::Status::NoNqc);
    });
    m_process->start(m_nqc, arguments);
}

void RcxSender::compiled()
{
    m_output = QString::fromLocal8Bit(m_process->readAll());
    const bool ok = m_process->exitStatus() == QProcess::NormalExit && m_process->exitCode() == 0;
    m_process->deleteLater();
    m_process = nullptr;
    if (m_cancelled)
        return end(SendResult::Status::Cancelled);
    if (!ok) {
        m_result.nqcOutput = m_output;
        return end(SendResult::Status::CompileFailed);
    }
    m_output.clear();
    m_downloading = true;
    QStringList arguments{QStringLiteral("-TRCX2"),
                          QStringLiteral("-S") + m_result.settings.port,
                          QStringLiteral("-d"),
                          QStringLiteral("-pgm"),
                          QString::number(m_result.settings.slot),
                          m_folder->filePath(QStringLiteral("melody.rcx"))};
    if (m_result.settings.run)
        arguments << QStringLiteral("-run");
    launch(arguments, &RcxSender::downloaded);
    if (m_process)
        connect(m_process, &QProcess::readyRead, this, &RcxSender::readOutput);
}

// nqc prints "Downloading Program:", a dot a block, then "complete".
void RcxSender::readOutput()
{
    m_output += QString::fromLocal8Bit(m_process->readAll());
    const qsizetype begun = m_output.indexOf(QStringLiteral("Downloading Program:"));
    if (begun < 0)
        return;
    // The dots of the download's own line; the battery's line has one too.
    QString line = m_output.mid(begun);
    line = line.left(line.indexOf(QLatin1Char('\n')));
    const int dots = int(line.count(QLatin1Char('.')));
    if (dots != m_result.blocksSent) {
        m_result.blocksSent = dots;
        emit progressed(dots, m_totalBlocks);
    }
}

void RcxSender::downloaded()
{
    readOutput();
    const int status = m_process->exitStatus() == QProcess::NormalExit ? m_process->exitCode() : -1;
    m_process->deleteLater();
    m_process = nullptr;
    m_result.nqcOutput = m_output;
    static const QRegularExpression battery(QStringLiteral("Battery Level = ([0-9.]+) V"));
    const QRegularExpressionMatch level = battery.match(m_output);
    if (level.hasMatch()) {
        m_result.batteryVolts = level.captured(1).toDouble();
        m_result.batteryLow
            = m_output.contains(QStringLiteral("batteries are low")) || m_result.batteryVolts < LowBattery;
    }
    if (m_cancelled)
        return end(SendResult::Status::Cancelled);
    switch (status) {
    case 0:
        return end(SendResult::Status::Sent);
    case NqcNoPort:
        return end(SendResult::Status::PortUnavailable);
    case NqcNoTower:
        return end(SendResult::Status::TowerSilent);
    case NqcNoBrick:
        return end(m_output.contains(QStringLiteral("No firmware")) ? SendResult::Status::NoFirmware
                                                                    : SendResult::Status::BrickSilent);
    case NqcNoMemory:
        return end(SendResult::Status::NotEnoughMemory);
    default:
        return end(SendResult::Status::Failed);
    }
}

void RcxSender::cancel()
{
    if (!m_process)
        return;
    m_cancelled = true;
    m_process->kill();
}

void RcxSender::end(SendResult::Status status)
{
    m_result.status = status;
    m_downloading = false;
    m_folder.reset();
    emit finished(m_result);
}

SendResult RcxSender::send(std::span<const NoteRecord> notes, const SendSettings &settings)
{
    SendResult result;
    QEventLoop loop;
    const QMetaObject::Connection done = connect(this, &RcxSender::finished, &loop, [&](const SendResult &ended) {
        result = ended;
        loop.quit();
    });
    bool endedAlready = false;
    const QMetaObject::Connection early
        = connect(this, &RcxSender::finished, this, [&endedAlready] { endedAlready = true; });
    start(notes, settings);
    if (!endedAlready)
        loop.exec();
    disconnect(done);
    disconnect(early);
    return result;
}
