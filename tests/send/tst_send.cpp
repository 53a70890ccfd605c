#include <QCoreApplication>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>

#include "common/ExampleMelody.h"
#include "common/NoteBuilders.h"
#include "common/RecordingMessageService.h"
#include "nqc/ProgramSize.h"
#include "send/SimulatedBrick.h"
#include "sending/RcxSender.h"

Q_DECLARE_METATYPE(SendResult::Status)

namespace {

using Notes = std::vector<NoteRecord>;

// Quarter notes, each a tone and a wait of 8 bytes: 767 fill the 6 KB.
Notes quarters(int count)
{
    Notes notes;
    for (int i = 0; i < count; ++i) {
        NoteRecord note = toneNote(i % PitchCount, Octave::Middle, lengthTicks(NoteLength::Quarter, 120));
        note.length = NoteLength::Quarter;
        notes.push_back(note);
    }
    return notes;
}

SendChoice to(const SimulatedBrick &brick, int slot, bool run = false)
{
    return {brick.port(), slot, run};
}

} // namespace

Q_DECLARE_METATYPE(Notes)

class SendTest : public QObject {
    Q_OBJECT

private slots:
    void theSlotHoldsWhatTheBrickPlays_data();
    void theSlotHoldsWhatTheBrickPlays();
    void theSlotAskedForTakesIt();
    void faultsSayWhatHappened_data();
    void faultsSayWhatHappened();
    void portsThatAreNotPortsAreRefused_data();
    void portsThatAreNotPortsAreRefused();
    void tooLargeNeverReachesTheBrick();
    void progressCountsTheBlocksAndCancelStops();
};

void SendTest::theSlotHoldsWhatTheBrickPlays_data()
{
    QTest::addColumn<Notes>("notes");
    QTest::addColumn<int>("slot");
    QTest::newRow("the worked example") << exampleMelody() << 3;
    QTest::newRow("every length and articulation at 97") << everyKindOfNote(97) << 1;
    QTest::newRow("6 KB, the brick's whole memory") << quarters(767) << 5;
}

void SendTest::theSlotHoldsWhatTheBrickPlays()
{
    QFETCH(Notes, notes);
    QFETCH(int, slot);
    SimulatedBrick brick;
    QVERIFY(!brick.port().isEmpty());
    RcxSender sender;
    const SendResult result = sender.send(notes, to(brick, slot, true));
    QVERIFY2(result.sent(), qPrintable(result.message() + result.nqcOutput));
    QCOMPARE(result.message(), QStringLiteral("RCX のプログラム %1 に送りました（電池 8.3 V）。").arg(slot));
    QCOMPARE(result.blocksSent, downloadBlocks(notes));
    // Task main starts the music; the music task plays the melody's statements.
    QCOMPARE(brick.task(slot, 0).toHex(), QByteArray("13070207e1877101"));
    const std::optional<std::vector<BrickEvent>> played = SimulatedBrick::decode(brick.task(slot, 1));
    QVERIFY(played);
    QVERIFY(*played == brickEvents(notes));
    QCOMPARE(ProgramSize::bytes(notes), qint64(8 + brick.task(slot, 1).size()));
}

// -pgm comes before the file: the program goes where it was asked to, not
// into the slot selected before.
void SendTest::theSlotAskedForTakesIt()
{
    SimulatedBrick brick;
    RcxSender sender;
    const Notes first = quarters(3);
    const Notes second = exampleMelody();
    QVERIFY(sender.send(first, to(brick, 2)).sent());
    QVERIFY(sender.send(second, to(brick, 4)).sent());
    QCOMPARE(brick.selected(), 4);
    QVERIFY(*SimulatedBrick::decode(brick.task(2, 1)) == brickEvents(first));
    QVERIFY(*SimulatedBrick::decode(brick.task(4, 1)) == brickEvents(second));
    QVERIFY(!brick.hasTask(1, 1) && !brick.hasTask(3, 1));
}

void SendTest::faultsSayWhatHappened_data()
{
    QTest::addColumn<QStringList>("flags");
    QTest::addColumn<SendResult::Status>("status");
    QTest::addColumn<QString>("message"); // the start of it
    QTest::addColumn<bool>("stored"); // the slot holds the melody afterwards
    using S = SendResult::Status;
    QTest::newRow("a tower without power") << QStringList{"--no-echo"} << S::TowerSilent << "赤外線タワー（%1）が答えません。"
                                           << false;
    QTest::newRow("a brick off or out of range")
        << QStringList{"--brick-off"} << S::BrickSilent << "RCX が答えません（タワー：%1）。" << false;
    QTest::newRow("a brick without firmware")
        << QStringList{"--no-firmware"} << S::NoFirmware << "RCX にファームウェアが入っていません（タワー：%1）。" << false;
    QTest::newRow("memory full") << QStringList{"--memory", "40"} << S::NotEnoughMemory << "RCX のメモリが足りません。"
                                 << false;
    QTest::newRow("replies lost, and sent again") << QStringList{"--lose-reply", "3"} << S::Sent
                                                  << "RCX のプログラム 2 に送りました" << true;
    QTest::newRow("replies garbled, and sent again") << QStringList{"--garble-reply", "4"} << S::Sent
                                                     << "RCX のプログラム 2 に送りました" << true;
    QTest::newRow("low batteries") << QStringList{"--battery", "6000"} << S::Sent
                                   << "RCX のプログラム 2 に送りました（電池 6.0 V）。\nRCX の電池が少なくなっています。" << true;
    // nqc does not read the brick's answer to each block: a brick that
    // refuses them all is reported sent. This row shows what ZEPA cannot see.
    QTest::newRow("every block refused: nqc cannot tell")
        << QStringList{"--refuse-blocks"} << S::Sent << "RCX のプログラム 2 に送りました" << false;
}

void SendTest::faultsSayWhatHappened()
{
    QFETCH(QStringList, flags);
    QFETCH(SendResult::Status, status);
    QFETCH(QString, message);
    QFETCH(bool, stored);
    SimulatedBrick brick(flags);
    RcxSender sender;
    const Notes notes = quarters(5);
    const SendResult result = sender.send(notes, to(brick, 2));
    QCOMPARE(result.status, status);
    QVERIFY2(result.message().startsWith(message.contains(QStringLiteral("%1")) ? message.arg(brick.port()) : message),
             qPrintable(result.message()));
    QCOMPARE(brick.hasTask(2, 1) && *SimulatedBrick::decode(brick.task(2, 1)) == brickEvents(notes), stored);
    if (status == SendResult::Status::NotEnoughMemory) {
        // Task main went in; the music task did not: said so, with the mend.
        QVERIFY(brick.hasTask(2, 0));
        QVERIFY(result.message().endsWith(
            QStringLiteral("RCX のプログラム 2 は、曲を鳴らすタスクのないまま残っています。もう一度送ると直ります。")));
    }
}

void SendTest::portsThatAreNotPortsAreRefused_data()
{
    QTest::addColumn<QString>("port");
    QTest::addColumn<SendResult::Status>("status");
    QTest::newRow("an option") << "-d" << SendResult::Status::BadPort;
    QTest::newRow("two words") << "usb -run" << SendResult::Status::BadPort;
    QTest::newRow("a shell's separator") << "usb;ls" << SendResult::Status::BadPort;
    QTest::newRow("nothing") << "" << SendResult::Status::BadPort;
    QTest::newRow("a line break") << "/dev/ttyS0\n-run" << SendResult::Status::BadPort;
    // A path with blanks and a semicolon is one argument, and no port.
    QTest::newRow("a path with blanks, passed whole") << "/tmp/no such port; -run" << SendResult::Status::PortUnavailable;
}

void SendTest::portsThatAreNotPortsAreRefused()
{
    QFETCH(QString, port);
    QFETCH(SendResult::Status, status);
    RcxSender sender;
    const SendResult result = sender.send(quarters(2), {port, 1, false});
    QCOMPARE(result.status, status);
    if (status == SendResult::Status::PortUnavailable)
        QVERIFY2(result.message().startsWith(QStringLiteral("ポート「%1」を開けませんでした。").arg(port)),
                 qPrintable(result.message()));
}

void SendTest::tooLargeNeverReachesTheBrick()
{
    SimulatedBrick brick;
    RcxSender sender;
    const SendResult result = sender.send(quarters(768), to(brick, 1));
    QCOMPARE(result.status, SendResult::Status::TooLarge);
    QVERIFY(result.message().startsWith(QStringLiteral("このプログラムは 6152 バイトあり、RCX のプログラム用のメモリ（6144 バイト）に入りません。")));
    QVERIFY(brick.log().isEmpty());
}

void SendTest::progressCountsTheBlocksAndCancelStops()
{
    // Each block takes the simulated brick 50 ms: 1 for task main, 5 for the music.
    const Notes notes = quarters(12);
    QCOMPARE(downloadBlocks(notes), 6);
    {
        SimulatedBrick brick({"--delay-per-block", "0.05"});
        RcxSender sender;
        QSignalSpy progress(&sender, &RcxSender::progressed);
        QVERIFY(sender.send(notes, to(brick, 1)).sent());
        QVERIFY(progress.size() >= 2);
        QCOMPARE(progress.back().at(0).toInt(), 6);
        QCOMPARE(progress.back().at(1).toInt(), 6);
    }
    SimulatedBrick brick({"--delay-per-block", "0.3"});
    RcxSender sender;
    connect(&sender, &RcxSender::progressed, &sender, [&sender](int blocks) {
        if (blocks >= 2)
            sender.cancel(); // 中止 after the second block
    });
    const SendResult result = sender.send(notes, to(brick, 1));
    QCOMPARE(result.status, SendResult::Status::Cancelled);
    QVERIFY(result.message().endsWith(
        QStringLiteral("RCX のプログラム 1 は、曲を鳴らすタスクのないまま残っています。もう一度送ると直ります。")));
    QVERIFY(brick.hasTask(1, 0));
    QVERIFY(!brick.hasTask(1, 1));
}

QTEST_GUILESS_MAIN(SendTest)
#include "tst_send.moc"
