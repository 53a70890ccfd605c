#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "common/GuiTestSupport.h"

class TempoWindowTest : public QObject {
    Q_OBJECT

private slots:
    void startsOnTheTempoWindow();
    void startsOrRefusesByTheTypedTempo_data();
    void startsOrRefusesByTheTypedTempo();
    void correctedTempoStartsFromTheSameWindow();
    void endButtonEndsWithoutAQuestion();
    void takesAtMostThreeCharacters();
    void enterAndEscapeDoNothing();
};

void TempoWindowTest::startsOnTheTempoWindow()
{
    ZepaUnderTest zepa;
    zepa.app.start();
    QCOMPARE(visibleWindows(), QList<QWidget *>{zepa.app.tempoWindow()});
    QWidget *form1 = zepa.app.tempoWindow();
    QCOMPARE(form1->objectName(), QStringLiteral("Form1"));
    QCOMPARE(form1->windowTitle(), QStringLiteral("テンポ設定"));
    QCOMPARE(form1->size(), QSize(188, 58));
    QCOMPARE(control<QLineEdit>(form1, "Text1")->text(), QStringLiteral("80"));
    QCOMPARE(form1->focusWidget(), control<QWidget>(form1, "Text1"));
    QCOMPARE(control<QPushButton>(form1, "Command1")->text(), QStringLiteral("開始"));
    QCOMPARE(control<QPushButton>(form1, "Command2")->text(), QStringLiteral("終了"));
    QCOMPARE(control<QLabel>(form1, "Label1")->text(), QStringLiteral("テンポ"));
    QCOMPARE(zepa.app.tempo(), 0);
}

void TempoWindowTest::startsOrRefusesByTheTypedTempo_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("tempo"); // 0: refused

    QTest::newRow("initial text") << "80" << 80;
    QTest::newRow("lowest") << "60" << 60;
    QTest::newRow("highest") << "240" << 240;
    QTest::newRow("just below") << "59" << 0;
    QTest::newRow("just above") << "241" << 0;
    QTest::newRow("zero") << "0" << 0;
    QTest::newRow("negative") << "-80" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("letters") << "abc" << 0;
    QTest::newRow("leading blank") << " 90" << 90;
    QTest::newRow("exponent in range") << "1e2" << 100;
    QTest::newRow("exponent out of range") << "1e9" << 0;
    QTest::newRow("trailing point") << "99." << 99;
    QTest::newRow("rounds to 10") << "9.5" << 0;
    QTest::newRow("full-width digits") << "１２０" << 120;
    QTest::newRow("plus sign") << "+60" << 60;
}

void TempoWindowTest::startsOrRefusesByTheTypedTempo()
{
    QFETCH(QString, text);
    QFETCH(int, tempo);

    ZepaUnderTest zepa;
    if (tempo == 0)
        zepa.messages.expect();
    zepa.startComposing(text);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    if (tempo == 0) {
        QCOMPARE(zepa.messages.shown().size(), std::size_t(1));
        const Message &warning = zepa.messages.last();
        QCOMPARE(warning.text, QStringLiteral("テンポは６０から２４０の間に設定してください。"));
        QCOMPARE(warning.shownTitle(), QStringLiteral("注意"));
        QCOMPARE(warning.flags(), 0x10030u);
        QCOMPARE(zepa.app.tempo(), 0);
        QCOMPARE(visibleWindows(), QList<QWidget *>{zepa.app.tempoWindow()});
        QCOMPARE(control<QLineEdit>(zepa.app.tempoWindow(), "Text1")->text(), text);
        QVERIFY(!zepa.app.composerWindow());
        return;
    }
    QVERIFY(zepa.messages.shown().empty());
    QCOMPARE(zepa.app.tempo(), tempo);
    QVERIFY(!zepa.app.tempoWindow());
    QVERIFY(zepa.app.composerWindow());
    QCOMPARE(visibleWindows(), QList<QWidget *>{zepa.app.composerWindow()});
    QCOMPARE(control<QLabel>(zepa.app.composerWindow(), "Label40")->text(),
             QStringLiteral("音未選択（中音）－音間普通－四分音符"));
    QCOMPARE(control<QLabel>(zepa.app.composerWindow(), "Label16")->text(), QString());
}

void TempoWindowTest::correctedTempoStartsFromTheSameWindow()
{
    ZepaUnderTest zepa;
    zepa.messages.expect();
    zepa.startComposing(QStringLiteral("300"));
    QWidget *form1 = zepa.app.tempoWindow();
    QVERIFY(form1 && form1->isVisible());

    auto *text = control<QLineEdit>(form1, "Text1");
    text->clear();
    typeText(text, QStringLiteral("120"));
    click(form1, QStringLiteral("Command1"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    QCOMPARE(zepa.messages.shown().size(), std::size_t(1));
    QCOMPARE(zepa.app.tempo(), 120);
    QVERIFY(!zepa.app.tempoWindow());
    QCOMPARE(visibleWindows(), QList<QWidget *>{zepa.app.composerWindow()});
}

void TempoWindowTest::endButtonEndsWithoutAQuestion()
{
    ZepaUnderTest zepa;
    zepa.app.start();
    click(zepa.app.tempoWindow(), QStringLiteral("Command2"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(zepa.quitCount, 1);
    QVERIFY(zepa.messages.shown().empty());
    QVERIFY(visibleWindows().isEmpty());
    QVERIFY(!zepa.app.composerWindow());
}

void TempoWindowTest::takesAtMostThreeCharacters()
{
    ZepaUnderTest zepa;
    zepa.app.start();
    auto *text = control<QLineEdit>(zepa.app.tempoWindow(), "Text1");
    text->clear();
    typeText(text, QStringLiteral("1234"));
    QCOMPARE(text->text(), QStringLiteral("123"));
}

void TempoWindowTest::enterAndEscapeDoNothing()
{
    ZepaUnderTest zepa;
    zepa.app.start();
    auto *text = control<QLineEdit>(zepa.app.tempoWindow(), "Text1");
    QTest::keyClick(text, Qt::Key_Return);
    QTest::keyClick(text, Qt::Key_Escape);
    QCOMPARE(zepa.app.tempo(), 0);
    QCOMPARE(zepa.quitCount, 0);
    QVERIFY(zepa.app.tempoWindow()->isVisible());
}

QTEST_MAIN(TempoWindowTest)
#include "tst_tempo_window.moc"
