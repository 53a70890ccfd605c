#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "common/GuiTestSupport.h"
#include "windows/composer/ComposerWindow.h"

namespace {

void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class AboutWindowTest : public QObject {
    Q_OBJECT

private slots:
    void showsTitleAndVersion();
    void opensOneWindowAtATime();
    void closesWithOkEscapeOrEnter_data();
    void closesWithOkEscapeOrEnter();
    void enterOnTheSystemInformationButtonClicksIt();
    void systemInformationSaysItIsUnavailableHere();
    void composerStaysUsableWhileItIsOpen();
    void programRunsUntilTheLastWindowCloses();
};

void AboutWindowTest::showsTitleAndVersion()
{
    ZepaUnderTest zepa;
    click(openComposer(zepa), QStringLiteral("Command1"));
    QWidget *about = zepa.app.aboutWindow();
    QVERIFY(about && about->isVisible());
    QCOMPARE(about->objectName(), QStringLiteral("frmAbout"));
    QCOMPARE(about->windowTitle(), QStringLiteral("NQC用簡易音楽作成ソフト「ZEPA」のﾊﾞｰｼﾞｮﾝ情報"));
    QCOMPARE(control<QLabel>(about, "lblVersion")->text(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ 1.3.2"));
    QCOMPARE(control<QLabel>(about, "lblTitle")->text(), QStringLiteral("NQC用簡易音楽作成ソフト「ZEPA」"));
    QCOMPARE(control<QLabel>(about, "lblDescription")->text(),
             QStringLiteral("着メロを作るように、音楽が簡易的に作成できます。"));
    QCOMPARE(control<QLabel>(about, "lblDisclaimer")->text(), QStringLiteral("詳細はReadme.txtを読んでください"));
    QCOMPARE(control<QPushButton>(about, "cmdSysInfo")->text(), QStringLiteral("ｼｽﾃﾑ情報(&S)..."));
    QCOMPARE(control<QPushButton>(about, "cmdSysInfo")->shortcut(), QKeySequence(Qt::ALT | Qt::Key_S));
    QVERIFY(!control<QLabel>(about, "picIcon")->pixmap().isNull());
    QCOMPARE(about->geometry(), QRect(156, 129, 382, 237));
    QCOMPARE(about->minimumSize(), about->maximumSize());
    QVERIFY(!(about->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(control<QPushButton>(about, "cmdOK")->isDefault());
    QCOMPARE(about->focusWidget(), control<QWidget>(about, "cmdOK"));

    // The etched separator: a grey row with a white row below it, both visible.
    const QImage picture = about->grab().toImage();
    const int x = picture.width() / 2;
    QCOMPARE(picture.pixelColor(x, 163), QColor(128, 128, 128));
    QCOMPARE(picture.pixelColor(x, 164), QColor(255, 255, 255));
    // Every about window shows the one blank caption icon instead of making a
    // new one that would stay cached.
    const qint64 iconKey = about->windowIcon().cacheKey();
    click(about, QStringLiteral("cmdOK"));
    settle();
    click(zepa.app.composerWindow(), QStringLiteral("Command1"));
    QVERIFY(zepa.app.aboutWindow());
    QCOMPARE(zepa.app.aboutWindow()->windowIcon().cacheKey(), iconKey);
}

void AboutWindowTest::opensOneWindowAtATime()
{
    ZepaUnderTest zepa;
    QWidget *form2 = openComposer(zepa);
    click(form2, QStringLiteral("Command1"));
    QWidget *first = zepa.app.aboutWindow();
    click(form2, QStringLiteral("Command1"));
    QCOMPARE(zepa.app.aboutWindow(), first);
    QCOMPARE(visibleWindows().size(), 2);

    click(first, QStringLiteral("cmdOK"));
    settle();
    QVERIFY(!zepa.app.aboutWindow());
    QCOMPARE(visibleWindows(), QList<QWidget *>{form2});

    click(form2, QStringLiteral("Command1"));
    QVERIFY(zepa.app.aboutWindow());
    QCOMPARE(control<QLabel>(zepa.app.aboutWindow(), "lblVersion")->text(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ 1.3.2"));
}

void AboutWindowTest::closesWithOkEscapeOrEnter_data()
{
    QTest::addColumn<int>("key"); // 0: a click on OK
    QTest::newRow("OK") << 0;
    QTest::newRow("Escape") << int(Qt::Key_Escape);
    QTest::newRow("Enter") << int(Qt::Key_Return);
}

void AboutWindowTest::closesWithOkEscapeOrEnter()
{
    QFETCH(int, key);
    ZepaUnderTest zepa;
    click(openComposer(zepa), QStringLiteral("Command1"));
    QWidget *about = zepa.app.aboutWindow();
    if (key == 0)
        click(about, QStringLiteral("cmdOK"));
    else
        QTest::keyClick(about->focusWidget(), Qt::Key(key));
    settle();
    QVERIFY(!zepa.app.aboutWindow());
    QVERIFY(zepa.messages.shown().empty());
}

void AboutWindowTest::enterOnTheSystemInformationButtonClicksIt()
{
    ZepaUnderTest zepa;
    click(openComposer(zepa), QStringLiteral("Command1"));
    QWidget *about = zepa.app.aboutWindow();
    QWidget *sysInfo = control<QWidget>(about, "cmdSysInfo");
    sysInfo->setFocus();
    zepa.messages.expect();
    QTest::keyClick(sysInfo, Qt::Key_Return);
    QCOMPARE(zepa.messages.shown().size(), std::size_t(1));
    QVERIFY(zepa.app.aboutWindow());
}

void AboutWindowTest::systemInformationSaysItIsUnavailableHere()
{
    ZepaUnderTest zepa;
    click(openComposer(zepa), QStringLiteral("Command1"));
    zepa.messages.expect();
    click(zepa.app.aboutWindow(), QStringLiteral("cmdSysInfo"));
    QCOMPARE(zepa.messages.last().text, QStringLiteral("現時点ではｼｽﾃﾑ情報を使用できません"));
    QCOMPARE(zepa.messages.last().flags(), 0u);
    QVERIFY(zepa.launcher.started.isEmpty());
    QVERIFY(zepa.app.aboutWindow()->isVisible());

    // With the tool's path in the registry it is started instead.
    zepa.registry.set(RegistryRoot::LocalMachine, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                      QStringLiteral("PATH"), {RegistryType::Text, "sysinfo-tool"});
    click(zepa.app.aboutWindow(), QStringLiteral("cmdSysInfo"));
    QCOMPARE(zepa.launcher.started, QStringList{QStringLiteral("sysinfo-tool")});
}

void AboutWindowTest::composerStaysUsableWhileItIsOpen()
{
    ZepaUnderTest zepa;
    QWidget *form2 = openComposer(zepa);
    click(form2, QStringLiteral("Command1"));
    QVERIFY(!zepa.app.aboutWindow()->isModal());
    click(form2, QStringLiteral("Label3"));
    click(form2, QStringLiteral("Command2"));
    QCOMPARE(control<QLabel>(form2, "Label16")->text(), QStringLiteral("レ"));
    QVERIFY(zepa.app.aboutWindow()->isVisible());
}

void AboutWindowTest::programRunsUntilTheLastWindowCloses()
{
    ZepaUnderTest zepa;
    QWidget *form2 = openComposer(zepa);
    click(form2, QStringLiteral("Command1"));

    // Runs the real event loop: closing the composer window must not end it
    // while the about window is open; closing that one then does.
    bool aboutOutlivedComposer = false;
    QTimer::singleShot(0, form2, [form2] { form2->close(); });
    QTimer::singleShot(100, qApp, [&zepa, &aboutOutlivedComposer] {
        aboutOutlivedComposer
            = !zepa.app.composerWindow() && zepa.app.aboutWindow() && zepa.app.aboutWindow()->isVisible();
        if (zepa.app.aboutWindow())
            zepa.app.aboutWindow()->close();
    });
    QTimer guard;
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, qApp, [] { QCoreApplication::exit(2); });
    guard.start(10000);
    const int exitCode = QApplication::exec();
    guard.stop();

    QVERIFY(aboutOutlivedComposer);
    QCOMPARE(exitCode, 0);
    QCOMPARE(zepa.quitCount, 0); // ended by its last window, not by an end command
}

QTEST_MAIN(AboutWindowTest)
#include "tst_about_window.moc"
