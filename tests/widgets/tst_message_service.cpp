#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "widgets/QtMessageService.h"

Q_DECLARE_METATYPE(Message)
Q_DECLARE_METATYPE(MessageAnswer)

namespace {

// ClickOk clicks the first button, ClickSecond the second, ClickCancel the last.
enum class Close { ClickOk, ClickSecond, ClickCancel, Escape };

struct SeenBox {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
    QString defaultButton;
};

} // namespace

Q_DECLARE_METATYPE(Close)

class MessageServiceTest : public QObject {
    Q_OBJECT

private slots:
    void showsTheBoxAsAskedAndGivesTheAnswer_data();
    void showsTheBoxAsAskedAndGivesTheAnswer();
};

void MessageServiceTest::showsTheBoxAsAskedAndGivesTheAnswer_data()
{
    QTest::addColumn<Message>("message");
    QTest::addColumn<Close>("close");
    QTest::addColumn<int>("icon");
    QTest::addColumn<QStringList>("buttons");
    QTest::addColumn<QString>("defaultButton");
    QTest::addColumn<MessageAnswer>("answer");

    const QStringList ok{QStringLiteral("OK")};
    const QStringList okCancel{QStringLiteral("OK"), QStringLiteral("キャンセル")};
    const Message refusal
        = Message::refusal(QStringLiteral("テンポは６０から２４０の間に設定してください。"), QStringLiteral("注意"));
    const Message question = Message::question(QStringLiteral("何も作成せずに終了します"), QStringLiteral("終了"));

    QTest::newRow("refusal") << refusal << Close::ClickOk << int(QMessageBox::Warning) << ok << "OK"
                             << MessageAnswer::Ok;
    QTest::newRow("refusal closed with Escape")
        << refusal << Close::Escape << int(QMessageBox::Warning) << ok << "OK" << MessageAnswer::Ok;
    QTest::newRow("notice") << Message::notice(QStringLiteral("書き込み"), QStringLiteral("注意")) << Close::ClickOk
                            << int(QMessageBox::Information) << ok << "OK" << MessageAnswer::Ok;
    QTest::newRow("question, OK") << question << Close::ClickOk << int(QMessageBox::Information) << okCancel
                                  << "キャンセル" << MessageAnswer::Ok;
    QTest::newRow("question, Cancel") << question << Close::ClickCancel << int(QMessageBox::Information) << okCancel
                                      << "キャンセル" << MessageAnswer::Cancel;
    QTest::newRow("question, Escape") << question << Close::Escape << int(QMessageBox::Information) << okCancel
                                      << "キャンセル" << MessageAnswer::Cancel;
    QTest::newRow("plain, program title")
        << Message::plain(QStringLiteral("現時点ではｼｽﾃﾑ情報を使用できません")) << Close::ClickOk
        << int(QMessageBox::NoIcon) << ok << "OK" << MessageAnswer::Ok;

    const QStringList yesNo{QStringLiteral("はい"), QStringLiteral("いいえ")};
    const Message restore = Message::yesNo(QStringLiteral("前回の作曲を復元しますか？"), QStringLiteral("復元"));
    QTest::newRow("yes or no, yes") << restore << Close::ClickOk << int(QMessageBox::Question) << yesNo << "はい"
                                    << MessageAnswer::Yes;
    QTest::newRow("yes or no, no") << restore << Close::ClickCancel << int(QMessageBox::Question) << yesNo << "はい"
                                   << MessageAnswer::No;
    QTest::newRow("yes or no, Escape") << restore << Close::Escape << int(QMessageBox::Question) << yesNo << "はい"
                                       << MessageAnswer::No;
    const QStringList saveFirst{QStringLiteral("保存"), QStringLiteral("保存しない"), QStringLiteral("キャンセル")};
    const Message save = Message::saveFirst(QStringLiteral("作曲中の曲を保存しますか？"), QStringLiteral("作曲"));
    QTest::newRow("save first, save") << save << Close::ClickOk << int(QMessageBox::Warning) << saveFirst << "保存"
                                      << MessageAnswer::Save;
    QTest::newRow("save first, discard") << save << Close::ClickSecond << int(QMessageBox::Warning) << saveFirst
                                         << "保存" << MessageAnswer::Discard;
    QTest::newRow("save first, cancel") << save << Close::ClickCancel << int(QMessageBox::Warning) << saveFirst
                                        << "保存" << MessageAnswer::Cancel;
    QTest::newRow("save first, Escape") << save << Close::Escape << int(QMessageBox::Warning) << saveFirst << "保存"
                                        << MessageAnswer::Cancel;
}

void MessageServiceTest::showsTheBoxAsAskedAndGivesTheAnswer()
{
    QFETCH(Message, message);
    QFETCH(Close, close);
    QFETCH(int, icon);
    QFETCH(QStringList, buttons);
    QFETCH(QString, defaultButton);
    QFETCH(MessageAnswer, answer);

    SeenBox seen;
    bool found = false;
    // Looks at the box while it is open, then closes it as the user would.
    QTimer::singleShot(0, qApp, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        found = true;
        seen = {box->windowTitle(),
                box->text(),
                box->icon(),
                {},
                box->defaultButton() ? box->defaultButton()->text() : QString()};
        QAbstractButton *toClick = nullptr;
        const QString wanted = close == Close::ClickOk ? buttons.first()
            : close == Close::ClickSecond              ? buttons.value(1)
                                                       : buttons.last();
        for (QAbstractButton *button : box->buttons()) {
            seen.buttons << button->text();
            if (button->text() == wanted)
                toClick = button;
        }
        if (close == Close::Escape)
            QTest::keyClick(box, Qt::Key_Escape);
        else if (toClick)
            QTest::mouseClick(toClick, Qt::LeftButton);
    });

    // Should the box not be found, this closes it so that the test fails instead of waiting.
    QTimer guard;
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, qApp, [] {
        if (QWidget *modal = QApplication::activeModalWidget())
            modal->close();
    });
    guard.start(5000);

    QtMessageService service;
    const MessageAnswer given = service.show(message);
    QVERIFY(found);
    QCOMPARE(given, answer);
    QCOMPARE(seen.title, message.shownTitle());
    QCOMPARE(seen.text, message.text);
    QCOMPARE(int(seen.icon), icon);
    seen.buttons.sort();
    buttons.sort();
    // The platform's button box may lay the buttons out in its own order.
    QStringList sortedSeen = seen.buttons;
    QStringList sortedExpected = buttons;
    sortedSeen.sort();
    sortedExpected.sort();
    QCOMPARE(sortedSeen, sortedExpected);
    QCOMPARE(seen.defaultButton, defaultButton);
}

QTEST_MAIN(MessageServiceTest)
#include "tst_message_service.moc"
