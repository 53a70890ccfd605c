#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTemporaryDir>

#include "common/GuiTestSupport.h"
#include "widgets/ClickableLabel.h"
#include "windows/composer/ComposerWindow.h"

Q_DECLARE_METATYPE(QList<int>)

namespace {

QString caption(QWidget *window, const QString &name)
{
    QWidget *widget = control<QWidget>(window, name);
    if (auto *label = qobject_cast<QLabel *>(widget))
        return label->text();
    if (auto *button = qobject_cast<QAbstractButton *>(widget))
        return button->text();
    if (auto *frame = qobject_cast<QGroupBox *>(widget))
        return frame->title();
    return QString();
}

bool checked(QWidget *window, const QString &name)
{
    return control<QRadioButton>(window, name)->isChecked();
}

} // namespace

class ComposerWindowTest : public QObject {
    Q_OBJECT

private slots:
    void layoutPlacesEveryControl_data();
    void layoutPlacesEveryControl();
    void windowIsFixedWithFocusOnTheWholeNote();
    void longestTextsFitTheirLabels();
    void lengthButtonsFollowTheTempo_data();
    void lengthButtonsFollowTheTempo();
    void roadOfOneMelody();
    void textsBesideTheOptionsDoNothing();
    void clearShowsItsStatusWordAndSelectsTheInitialOptions();
    void repeatSelectsTheOptionsOfTheLastNote();
    void fullScoreDisablesConfirmUntilCleared();
    void finishWritesTheProgramAndEnds();
};

void ComposerWindowTest::layoutPlacesEveryControl_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRect>("geometry"); // pixels; a label sized to its text is checked by position only
    QTest::addColumn<bool>("sizedToText");

    struct Row {
        const char *name;
        const char *type;
        const char *text;
        int left, top, width, height; // twips
        bool sizedToText;
    };
    const Row rows[] = {
        {"Label1", "ClickableLabel", "ド", 0, 600, 375, 615, false},
        {"Label2", "ClickableLabel", "ド＃", 240, 0, 375, 615, false},
        {"Label3", "ClickableLabel", "レ", 480, 600, 375, 615, false},
        {"Label4", "ClickableLabel", "レ＃", 720, 0, 375, 615, false},
        {"Label5", "ClickableLabel", "ミ", 960, 600, 375, 615, false},
        {"Label6", "ClickableLabel", "ファ", 1440, 600, 375, 615, false},
        {"Label7", "ClickableLabel", "ファ＃", 1680, 0, 375, 615, false},
        {"Label8", "ClickableLabel", "ソ", 1920, 600, 375, 615, false},
        {"Label9", "ClickableLabel", "ソ＃", 2160, 0, 375, 615, false},
        {"Label10", "ClickableLabel", "ラ", 2400, 600, 375, 615, false},
        {"Label11", "ClickableLabel", "ラ＃", 2640, 0, 375, 615, false},
        {"Label12", "ClickableLabel", "シ", 2880, 600, 375, 615, false},
        {"Command3", "QPushButton", "休符", 3360, 0, 975, 615, false},
        {"Command2", "QPushButton", "入力確定", 3360, 600, 1695, 735, false},
        {"Command6", "QPushButton", "一つ前と同じ音および長さ", 0, 1320, 5055, 375, false},
        {"Label30_0", "QLabel", "基本長", 0, 1920, 540, 180, true},
        {"Command101", "QPushButton", "４／４", 600, 1800, 735, 375, false},
        {"Command102", "QPushButton", "２／４", 1320, 1800, 735, 375, false},
        {"Command103", "QPushButton", "１／４", 2040, 1800, 735, 375, false},
        {"Command104", "QPushButton", "１／８", 2760, 1800, 735, 375, false},
        {"Command105", "QPushButton", "１／１６", 3480, 1800, 735, 375, false},
        {"Command106", "QPushButton", "１／３２", 4200, 1800, 735, 375, false},
        {"Label30_1", "QLabel", "複合長", 0, 2400, 540, 180, true},
        {"Command111", "QPushButton", "３／４", 960, 2280, 735, 375, false},
        {"Command112", "QPushButton", "３／８", 1680, 2280, 735, 375, false},
        {"Command113", "QPushButton", "３／１６", 2400, 2280, 735, 375, false},
        {"Command114", "QPushButton", "３／３２", 3120, 2280, 735, 375, false},
        {"Label30_2", "QLabel", "連符", 0, 2880, 360, 180, true},
        {"Command121", "QPushButton", "三連四分音符", 600, 2760, 1455, 375, false},
        {"Command122", "QPushButton", "三連八分音符", 2040, 2760, 1455, 375, false},
        {"Command123", "QPushButton", "三連十六分音符", 3480, 2760, 1455, 375, false},
        {"Frame1", "QGroupBox", "音の高さ", 0, 3240, 5055, 615, false},
        {"Frame2", "QGroupBox", "音間の長さ", 0, 3960, 5055, 615, false},
        {"Label14", "QLabel", "現在作成中の音", 0, 4680, 1260, 180, true},
        {"Label40", "QLabel", "音未選択（中音）－音間普通－四分音符", 0, 4920, 5055, 255, false},
        {"Label15", "QLabel", "これまでの入力履歴（音のみ１０個分）", 0, 5280, 2880, 180, true},
        {"Label16", "QLabel", "", 0, 5520, 5055, 255, false},
        {"Command4", "QPushButton", "一つ前の音をクリアする", 0, 5880, 2655, 375, false},
        {"Command1", "QPushButton", "Ver.情報", 2880, 5880, 975, 375, false},
        {"Command5", "QPushButton", "作曲終了", 3840, 5880, 1215, 375, false},
        // inside Frame1
        {"Option7", "QRadioButton", "", 240, 240, 255, 255, false},
        {"Label13_3", "QLabel", "最低音", 480, 240, 540, 180, true},
        {"Option4", "QRadioButton", "", 1200, 240, 255, 255, false},
        {"Label13_0", "QLabel", "低音", 1440, 240, 360, 180, true},
        {"Option5", "QRadioButton", "", 2160, 240, 255, 255, false},
        {"Label13_1", "QLabel", "中音", 2400, 240, 360, 180, true},
        {"Option6", "QRadioButton", "", 3120, 240, 255, 255, false},
        {"Label13_2", "QLabel", "高音", 3360, 240, 360, 180, true},
        {"Option8", "QRadioButton", "", 4080, 240, 255, 255, false},
        {"Label13_4", "QLabel", "最高音", 4320, 240, 540, 180, true},
        // inside Frame2
        {"Option1", "QRadioButton", "", 240, 240, 255, 255, false},
        {"Label20_0", "QLabel", "普通の長さ", 480, 240, 975, 255, false},
        {"Option2", "QRadioButton", "", 1680, 240, 255, 255, false},
        {"Label20_1", "QLabel", "スタッカート", 1920, 240, 885, 180, true},
        {"Option3", "QRadioButton", "", 3120, 240, 255, 255, false},
        {"Label20_2", "QLabel", "スラーまたはタイ", 3360, 240, 1290, 180, true},
    };
    for (const Row &row : rows) {
        QTest::newRow(row.name) << QString::fromLatin1(row.name) << QString::fromLatin1(row.type)
                                << QString::fromUtf8(row.text)
                                << QRect(row.left / 15, row.top / 15, row.width / 15, row.height / 15)
                                << row.sizedToText;
    }
}

void ComposerWindowTest::layoutPlacesEveryControl()
{
    QFETCH(QString, name);
    QFETCH(QString, type);
    QFETCH(QString, text);
    QFETCH(QRect, geometry);
    QFETCH(bool, sizedToText);

    ZepaUnderTest zepa;
    ComposerWindow *form2 = openComposer(zepa, QStringLiteral("80"));
    QWidget *widget = control<QWidget>(form2, name);
    QVERIFY(widget);
    QCOMPARE(QString::fromLatin1(widget->metaObject()->className()), type);
    QCOMPARE(caption(form2, name), text);
    if (!sizedToText) {
        QCOMPARE(widget->geometry(), geometry);
        return;
    }
    QCOMPARE(widget->pos(), geometry.topLeft());
    // Sized to its text in the font really used: the whole caption shows.
    const QFontMetrics metrics(widget->font());
    QVERIFY2(widget->width() >= metrics.horizontalAdvance(text), qPrintable(name));
    QVERIFY(widget->height() >= metrics.height());
}

void ComposerWindowTest::windowIsFixedWithFocusOnTheWholeNote()
{
    ZepaUnderTest zepa;
    ComposerWindow *form2 = openComposer(zepa, QStringLiteral("80"));
    QCOMPARE(form2->form()->objectName(), QStringLiteral("Form2"));
    QCOMPARE(form2->windowTitle(), QStringLiteral("作曲"));
    // The form keeps its size right under the menu bar; the window grows by
    // the menu and status bars and cannot be resized.
    QCOMPARE(form2->form()->size(), QSize(338, 417));
    QCOMPARE(form2->form()->pos(), QPoint(0, form2->menuBar()->height()));
    QCOMPARE(form2->minimumSize(), form2->maximumSize());
    QCOMPARE(form2->height(), 417 + form2->menuBar()->height() + form2->statusBar()->height());
    QCOMPARE(form2->width(), 338);
    QVERIFY(!(form2->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(form2->windowFlags() & Qt::WindowCloseButtonHint);
    QCOMPARE(form2->focusWidget(), control<QWidget>(form2, "Command101"));
    QVERIFY(checked(form2, "Option5"));
    QVERIFY(checked(form2, "Option1"));
    for (const char *other : {"Option7", "Option4", "Option6", "Option8", "Option2", "Option3"})
        QVERIFY2(!checked(form2, other), other);
    // The focus order of the controls that take the focus.
    QStringList focusOrder;
    QWidget *widget = control<QWidget>(form2, "Command101");
    do {
        if (widget->focusPolicy() & Qt::TabFocus)
            focusOrder << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget->objectName() != QStringLiteral("Command101"));
    QCOMPARE(focusOrder,
             QString::fromLatin1("Command101 Command102 Command103 Command104 Command105 Command106 "
                                 "Command111 Command112 Command113 Command114 Command121 Command122 "
                                 "Command123 Command2 Command5 Option4 Option5 Option6 Option1 Option2 "
                                 "Option3 Command1 Command3 Option7 Option8 Command4 Command6")
                 .split(QLatin1Char(' ')));
    for (QPushButton *button : form2->findChildren<QPushButton *>())
        QVERIFY2(!button->isDefault() && !button->autoDefault(), qPrintable(button->objectName()));
    // The fonts of their own.
    QCOMPARE(control<QWidget>(form2, "Command2")->font().pointSizeF(), 14.25);
    QVERIFY(control<QWidget>(form2, "Command2")->font().bold());
    QCOMPARE(control<QWidget>(form2, "Label16")->font().pointSizeF(), 8.25);
    QCOMPARE(control<QWidget>(form2, "Label1")->font().pointSizeF(), 9.75);

    // Plain labels draw their text at the top of their box.
    for (QLabel *label : form2->form()->findChildren<QLabel *>())
        QVERIFY2(label->alignment() & Qt::AlignTop, qPrintable(label->objectName()));
}

void ComposerWindowTest::longestTextsFitTheirLabels()
{
    ZepaUnderTest zepa;
    ComposerWindow *form2 = openComposer(zepa, QStringLiteral("80"));
    QStringList pitchTexts{NoPitchText(), RestText()};
    for (const QString &pitch : pitchNames())
        pitchTexts << pitch;

    QWidget *label40 = control<QWidget>(form2, "Label40");
    const QFontMetrics description(label40->font());
    int widest = 0;
    for (const QString &pitch : pitchTexts)
        for (Octave octave : {Octave::Lowest, Octave::Low, Octave::Middle, Octave::High, Octave::Highest})
            for (Articulation articulation : {Articulation::Normal, Articulation::Staccato, Articulation::SlurOrTie})
                for (const NoteLengthEntry &length : noteLengthTable())
                    widest = std::max(widest,
                                      description.horizontalAdvance(pitch + octaveText(octave)
                                                                    + articulationText(articulation)
                                                                    + lengthText(length.length)));
    QVERIFY2(widest <= label40->width(), qPrintable(QString::number(widest)));

    // Ten of the widest pitch name in the history.
    QWidget *label16 = control<QWidget>(form2, "Label16");
    QVERIFY(QFontMetrics(label16->font()).horizontalAdvance(QStringLiteral("ファ＃").repeated(10)) <= label16->width());

    // The pitch names of the keyboard show whole, in a smaller font if need be.
    for (int key = 1; key <= 12; ++key) {
        auto *label = control<QLabel>(form2, QStringLiteral("Label%1").arg(key));
        QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(), qPrintable(label->text()));
        QVERIFY(label->font().pointSizeF() >= 7.5);
    }

    // Every button caption shows whole.
    for (QPushButton *button : form2->findChildren<QPushButton *>())
        QVERIFY2(button->fontMetrics().horizontalAdvance(button->text()) <= button->width() - 4,
                 qPrintable(button->objectName()));
}

void ComposerWindowTest::lengthButtonsFollowTheTempo_data()
{
    QTest::addColumn<QString>("tempo");
    QTest::addColumn<QList<int>>("ticks"); // Command101 … Command123 in table order

    QTest::newRow("60") << "60" << QList<int>{400, 200, 100, 50, 25, 12, 300, 150, 75, 38, 67, 33, 17};
    QTest::newRow("80") << "80" << QList<int>{300, 150, 75, 38, 19, 9, 225, 112, 56, 28, 50, 25, 12};
    QTest::newRow("120") << "120" << QList<int>{200, 100, 50, 25, 12, 6, 150, 75, 38, 19, 33, 17, 8};
    QTest::newRow("240") << "240" << QList<int>{100, 50, 25, 12, 6, 3, 75, 38, 19, 9, 17, 8, 4};
}

void ComposerWindowTest::lengthButtonsFollowTheTempo()
{
    QFETCH(QString, tempo);
    QFETCH(QList<int>, ticks);

    ZepaUnderTest zepa;
    ComposerWindow *form2 = openComposer(zepa, tempo);
    const NoteRecord &note = zepa.app.composerWindow()->editor().state().currentNote;
    const char *buttons[]
        = {"Command101", "Command102", "Command103", "Command104", "Command105", "Command106", "Command111",
           "Command112", "Command113", "Command114", "Command121", "Command122", "Command123"};
    for (std::size_t i = 0; i < noteLengthTable().size(); ++i) {
        const NoteLengthEntry &entry = noteLengthTable()[i];
        click(form2, buttons[i]);
        QCOMPARE(int(note.ticks), ticks[qsizetype(i)]);
        QCOMPARE(note.length, entry.length);
        QCOMPARE(caption(form2, "Label40"), QStringLiteral("音未選択（中音）－音間普通") + lengthText(entry.length));
    }
    QVERIFY(!zepa.app.composerWindow()->editor().state().currentNote.isChosen());
}

void ComposerWindowTest::roadOfOneMelody()
{
    ZepaUnderTest zepa;
    ComposerWindow *form2 = openComposer(zepa, QStringLiteral("120"));
    const ScoreEditor &editor = zepa.app.composerWindow()->editor();

    click(form2->pitchKey(0));
    QCOMPARE(caption(form2, "Label40"), QStringLiteral("ド（中音）－音間普通－四分音符"));
    click(form2->confirmButton());
    QCOMPARE(editor.state().noteCount, qint16(1));
    QCOMPARE(caption(form2, "Label16"), QStringLiteral("ド"));
    QCOMPARE(caption(form2, "Label40"), QStringLiteral("入力成功"));

    zepa.messages.expect();
    click(form2->confirmButton());
    QCOMPARE(zepa.messages.last().text, QStringLiteral("音が入力されていません"));
    QCOMPARE(editor.state().noteCount, qint16(1));

    // Octave and articulation follow the user's clicks.
    click(form2->octaveOption(Octave::Highest));
    click(form2->articulationOption(Articulation::SlurOrTie));
    click(form2->pitchKey(11));
    QCOMPARE(caption(form2, "Label40"), QStringLiteral("シ（最高音）－スラーorタイ－四分音符"));
    click(form2->restButton());
    QCOMPARE(caption(form2, "Label40"), QStringLiteral("休（最高音）－スラーorタイ－四分音符"));
    click(form2->confirmButton());
    QCOMPARE(caption(form2, "Label16"), QStringLiteral("ド休"));
}

void ComposerWindowTest::textsBesideTheOptionsDoNothing()
{
    ZepaUnderTest zepa;
    ComposerWindow *form2 = openComposer(zepa, QStringLiteral("120"));
    for (const char *name : {"Label13_0", "Label13_2", "Label13_4", "Label20_1", "Label20_2", "Label14", "Label15",
                             "Label16", "Label30_0", "Label40", "Frame1", "Frame2"})
        click(form2, name);
    QVERIFY(checked(form2, "Option5"));
    QVERIFY(checked(form2, "Option1"));
    QCOMPARE(caption(form2, "Label40"), QStringLiteral("音未選択（中音）－音間普通－四分音符"));
    QVERIFY(!zepa.app.composerWindow()->editor().state().currentNote.isChosen());
}

void ComposerWindowTest::clearShowsItsStatusWordAndSelectsTheInitialOptions()
{
    ZepaUnderTest zepa;
    ComposerWindow *form2 = openComposer(zepa, QStringLiteral("120"));
    click(form2->octaveOption(Octave::High));
    click(form2->articulationOption(Articulation::Staccato));
    click(form2->pitchKey(4));
    click(form2->confirmButton());
    click(form2->clearButton());
    QCOMPARE(caption(form2, "Label40"), QStringLiteral("クリア成功"));
    QCOMPARE(caption(form2, "Label16"), QString());
    QVERIFY(checked(form2, "Option5"));
    QVERIFY(checked(form2, "Option1"));
    QVERIFY(!checked(form2, "Option6"));
}

void ComposerWindowTest::repeatSelectsTheOptionsOfTheLastNote()
{
    ZepaUnderTest zepa;
    ComposerWindow *form2 = openComposer(zepa, QStringLiteral("120"));
    click(form2->octaveOption(Octave::High));
    click(form2->articulationOption(Articulation::Staccato));
    click(form2->pitchKey(9));
    click(form2->confirmButton());
    click(form2->octaveOption(Octave::Lowest));
    click(form2->articulationOption(Articulation::Normal));
    click(form2->repeatButton());
    QVERIFY(checked(form2, "Option6"));
    QVERIFY(checked(form2, "Option2"));
    QCOMPARE(caption(form2, "Label40"), QStringLiteral("ラ（高音）－スタッカート－四分音符"));
    click(form2->confirmButton());
    const ComposerState &state = zepa.app.composerWindow()->editor().state();
    QCOMPARE(state.noteCount, qint16(2));
    QCOMPARE(state.score[1], state.score[0]);
    QCOMPARE(caption(form2, "Label16"), QStringLiteral("ララ"));
}

void ComposerWindowTest::fullScoreDisablesConfirmUntilCleared()
{
    ZepaUnderTest zepa;
    ComposerWindow *form2 = openComposer(zepa, QStringLiteral("120"));
    // Filled at once, as opening a file fills it.
    std::vector<NoteRecord> notes(ComposerState::ScoreCapacity - 3);
    for (std::size_t i = 0; i < notes.size(); ++i) {
        notes[i].pitch = int(i % 12);
        notes[i].ticks = lengthTicks(NoteLength::Quarter, 120);
    }
    form2->document().open(Melody{120, notes}, QString(), false);
    const ScoreEditor &editor = form2->editor();
    click(form2->pitchKey(0));
    click(form2->confirmButton());
    click(form2->pitchKey(2));
    click(form2->confirmButton());
    QVERIFY(control<QWidget>(form2, "Command2")->isEnabled());
    click(form2->pitchKey(4));
    // Behind the box the last note already shows as entered.
    QString descriptionBehindBox;
    QString historyBehindBox;
    zepa.messages.whileShown = [&](const Message &) {
        descriptionBehindBox = caption(form2, "Label40");
        historyBehindBox = caption(form2, "Label16");
    };
    zepa.messages.expect();
    click(form2->confirmButton());
    zepa.messages.whileShown = nullptr;
    QCOMPARE(descriptionBehindBox, QStringLiteral("入力成功"));
    QVERIFY(historyBehindBox.endsWith(QStringLiteral("ドレミ")));

    QCOMPARE(zepa.messages.last().shownTitle(), QStringLiteral("整数の限界"));
    QVERIFY(!control<QWidget>(form2, "Command2")->isEnabled());
    QCOMPARE(editor.state().noteCount, qint16(32766));
    QVERIFY(editor.state().scoreFull);
    QVERIFY(caption(form2, "Label16").endsWith(QStringLiteral("ドレミ")));

    click(form2->repeatButton());
    QCOMPARE(caption(form2, "Label40"), QStringLiteral("ミ（中音）－音間普通－四分音符"));
    click(form2->clearButton());
    QCOMPARE(caption(form2, "Label40"), QStringLiteral("クリア成功"));
    QVERIFY(caption(form2, "Label16").endsWith(QStringLiteral("ドレ")));
    QVERIFY(control<QWidget>(form2, "Command2")->isEnabled());
    QVERIFY(!editor.state().scoreFull);
}

void ComposerWindowTest::finishWritesTheProgramAndEnds()
{
    QTemporaryDir directory;
    ZepaUnderTest zepa(directory.path());
    ComposerWindow *form2 = openComposer(zepa, QStringLiteral("120"));
    click(form2->pitchKey(0));
    click(form2->confirmButton());
    zepa.app.composerWindow()->findChild<QPushButton *>(QStringLiteral("Command1"))->click();
    QVERIFY(zepa.app.aboutWindow());

    zepa.messages.expect();
    click(form2->finishButton());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(zepa.messages.last().shownTitle(), QStringLiteral("注意"));
    QCOMPARE(zepa.quitCount, 1);
    QVERIFY(visibleWindows().isEmpty());
    QFile written(directory.filePath(QStringLiteral("music0.nqc")));
    QVERIFY(written.open(QIODevice::ReadOnly));
    QVERIFY(written.readAll().endsWith("     PlayTone(C,40);\r\n     Wait(50);\r\n}\r\n"));
}

QTEST_MAIN(ComposerWindowTest)
#include "tst_composer_window.moc"
