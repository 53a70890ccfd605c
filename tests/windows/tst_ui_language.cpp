#include <QAbstractButton>
#include <QAccessible>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include "TestPaths.h"
#include "base/UiLanguage.h"
#include "common/GuiTestSupport.h"
#include "widgets/ClickableLabel.h"
#include "widgets/MenuGuide.h"
#include "widgets/NoteKeys.h"
#include "windows/composer/ComposerStatusBar.h"
#include "windows/composer/ComposerWindow.h"
#include "windows/guide/GuideText.h"
#include "windows/guide/GuideWindow.h"

Q_DECLARE_METATYPE(UiLanguage)
Q_DECLARE_METATYPE(NoteRecord)

namespace {

const QRegularExpression Japanese(QStringLiteral("[\\x{3040}-\\x{30ff}\\x{4e00}-\\x{9fff}\\x{ff01}-\\x{ff5e}]"));

QString accessibleName(QWidget *widget)
{
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(QAccessible::Name) : QString();
}

} // namespace

class UiLanguageTest : public QObject {
    Q_OBJECT

private slots:
    void init() { QStandardPaths::setTestModeEnabled(true); }
    void cleanup()
    {
        UiLanguages::saveChoice(QString());
        UiLanguages::install(UiLanguage::Japanese);
    }
    void theLocaleTheSettingAndTheOptionChoose_data();
    void theLocaleTheSettingAndTheOptionChoose();
    void theOptionIsTakenOutOfTheArguments_data();
    void theOptionIsTakenOutOfTheArguments();
    void theGuideFindsWordsInEitherLanguage_data();
    void theGuideFindsWordsInEitherLanguage();
    void everyControlIsNamedInTheLanguage_data();
    void everyControlIsNamedInTheLanguage();
    void theLanguageMenuSavesTheChoiceForTheNextStart();
    void aNoteIsDescribedInTheLanguage_data();
    void aNoteIsDescribedInTheLanguage();
    void theKeyListSaysWhatEachKeyDoes_data();
    void theKeyListSaysWhatEachKeyDoes();
    void statusMessagesAreShownWhole_data();
    void statusMessagesAreShownWhole();
    void theGuideListsTheMenusAsTheyAre_data();
    void theGuideListsTheMenusAsTheyAre();
};

void UiLanguageTest::theLocaleTheSettingAndTheOptionChoose_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("saved");
    QTest::addColumn<QString>("option");
    QTest::addColumn<UiLanguage>("chosen");
    QTest::newRow("a Japanese locale") << "ja_JP"
                                       << ""
                                       << "" << UiLanguage::Japanese;
    QTest::newRow("Japanese without a country") << "ja"
                                                << ""
                                                << "" << UiLanguage::Japanese;
    QTest::newRow("the C locale") << "C"
                                  << ""
                                  << "" << UiLanguage::English;
    QTest::newRow("German") << "de_DE"
                            << ""
                            << "" << UiLanguage::English;
    QTest::newRow("Javanese is not Japanese") << "jv_ID"
                                              << ""
                                              << "" << UiLanguage::English;
    QTest::newRow("the setting over the locale") << "ja_JP"
                                                 << "en"
                                                 << "" << UiLanguage::English;
    QTest::newRow("the option over the setting") << "C"
                                                 << "en"
                                                 << "ja" << UiLanguage::Japanese;
    QTest::newRow("a setting of no language is none") << "ja_JP"
                                                      << "fr"
                                                      << "" << UiLanguage::Japanese;
}

void UiLanguageTest::theLocaleTheSettingAndTheOptionChoose()
{
    QFETCH(QString, locale);
    QFETCH(QString, saved);
    QFETCH(QString, option);
    QFETCH(UiLanguage, chosen);
    QCOMPARE(UiLanguages::chosen(UiLanguages::named(option), saved, locale), chosen);
    // The setting as saved is read back; a word that names no language is none.
    QSettings().setValue(QStringLiteral("language"), saved);
    QCOMPARE(UiLanguages::savedChoice(), UiLanguages::named(saved) ? saved : QString());
}

void UiLanguageTest::theOptionIsTakenOutOfTheArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("left");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("value");
    QTest::newRow("none") << QStringList{"zepa", "song.mml"} << QStringList{"zepa", "song.mml"} << true << "";
    QTest::newRow("before a file") << QStringList{"zepa", "--lang", "en", "song.mml"} << QStringList{"zepa", "song.mml"}
                                   << true << "en";
    QTest::newRow("joined, after a command")
        << QStringList{"zepa", "nqc", "--lang=ja", "a.mml"} << QStringList{"zepa", "nqc", "a.mml"} << true << "ja";
    QTest::newRow("no language") << QStringList{"zepa", "--lang", "fr", "render"} << QStringList{"zepa", "render"}
                                 << false << "fr";
    QTest::newRow("the word at the end") << QStringList{"zepa", "--lang"} << QStringList{"zepa"} << false << "";
    QTest::newRow("after --, a file's name") << QStringList{"zepa", "render", "--", "--lang", "x.wav"}
                                             << QStringList{"zepa", "render", "--", "--lang", "x.wav"} << true << "";
}

void UiLanguageTest::theOptionIsTakenOutOfTheArguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, left);
    QFETCH(bool, ok);
    QFETCH(QString, value);
    std::vector<QByteArray> bytes;
    for (const QString &argument : arguments)
        bytes.push_back(argument.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &argument : bytes)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    int argc = int(arguments.size());
    const UiLanguages::LanguageOption option = UiLanguages::takeLanguageOption(argc, argv.data());
    QStringList remaining;
    for (int i = 0; i < argc; ++i)
        remaining << QString::fromLocal8Bit(argv[std::size_t(i)]);
    QCOMPARE(remaining, left);
    QCOMPARE(argv[std::size_t(argc)], nullptr);
    QCOMPARE(option.ok, ok);
    QCOMPARE(option.value, value);
}

void UiLanguageTest::theGuideFindsWordsInEitherLanguage_data()
{
    QTest::addColumn<UiLanguage>("language");
    QTest::addColumn<QString>("words");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("result");
    QTest::newRow("ja: the key list, each key beside its note")
        << UiLanguage::Japanese << "Z  ド       S  ド＃" << true << "";
    QTest::newRow("ja: a menu command") << UiLanguage::Japanese << "表示言語(L)" << true << "";
    QTest::newRow("ja: nowhere") << UiLanguage::Japanese << "宇宙船" << false << "「宇宙船」は見つかりません";
    QTest::newRow("en: the key list, each key beside its note")
        << UiLanguage::English << "Z  C        S  C#" << true << "";
    QTest::newRow("en: a word in any case") << UiLanguage::English << "SCREEN READER" << true << "";
    QTest::newRow("en: nowhere") << UiLanguage::English << "spaceship" << false << "\"spaceship\" not found";
}

void UiLanguageTest::theGuideFindsWordsInEitherLanguage()
{
    QFETCH(UiLanguage, language);
    QFETCH(QString, words);
    QFETCH(bool, found);
    QFETCH(QString, result);
    UiLanguages::install(language);
    GuideWindow guide;
    guide.searchField()->setText(words);
    QCOMPARE(guide.findNext(), found);
    QCOMPARE(guide.searchResult()->text(), result);
    if (found) {
        QCOMPARE(guide.browser()->textCursor().selectedText().toLower(), words.toLower());
        // Going round: the next search from the last place finds it again.
        QVERIFY(guide.findNext());
        QVERIFY(guide.findNext(true));
    }
    // Both guides have the same numbered sections, listed as contents.
    const QStringList titles = GuideText::sectionTitles(GuideText::plainText());
    QCOMPARE(titles.size(), 12);
    for (int section = 1; section <= 12; ++section)
        QVERIFY2(titles[section - 1].startsWith(QStringLiteral("%1. ").arg(section)), qPrintable(titles[section - 1]));
    QVERIFY(guide.browser()->toHtml().contains(QStringLiteral("href=\"#section12\"")));
}

void UiLanguageTest::everyControlIsNamedInTheLanguage_data()
{
    QTest::addColumn<UiLanguage>("language");
    QTest::newRow("Japanese") << UiLanguage::Japanese;
    QTest::newRow("English") << UiLanguage::English;
}

void UiLanguageTest::everyControlIsNamedInTheLanguage()
{
    QFETCH(UiLanguage, language);
    UiLanguages::install(language);
    ZepaUnderTest zepa;
    ClickableLabel::installAccessibility();
    ComposerWindow *window = openComposer(zepa);
    QVERIFY(window);
    const bool english = language == UiLanguage::English;
    QList<QWidget *> named = window->findChildren<QWidget *>();
    int checked = 0;
    for (QWidget *widget : named) {
        if (!widget->isVisible() || (widget->focusPolicy() == Qt::NoFocus && !qobject_cast<ClickableLabel *>(widget)))
            continue;
        const QString name = accessibleName(widget);
        QVERIFY2(!name.trimmed().isEmpty(), qPrintable(widget->objectName()));
        if (english)
            QVERIFY2(!name.contains(Japanese), qPrintable(widget->objectName() + QStringLiteral(": ") + name));
        ++checked;
    }
    QVERIFY(checked >= 37); // 25 buttons and choices, 12 keys
    for (int pitch = 0; pitch < PitchCount; ++pitch) {
        QAccessibleInterface *key = QAccessible::queryAccessibleInterface(window->pitchKey(pitch));
        QCOMPARE(key->role(), QAccessible::Button);
        QCOMPARE(key->text(QAccessible::Name), pitchNames()[std::size_t(pitch)]);
    }
    QCOMPARE(accessibleName(window->octaveOption(Octave::Highest)), english ? "Highest" : "最高音");
    QCOMPARE(accessibleName(window->articulationOption(Articulation::Staccato)), english ? "Staccato" : "スタッカート");
    // Every menu, and every command in it, is in the language.
    for (QAction *menu : window->menuBar()->actions()) {
        if (english)
            QVERIFY2(!menu->text().contains(Japanese), qPrintable(menu->text()));
        for (QAction *command : menu->menu()->actions()) {
            if (english && !command->isSeparator() && command->text() != QStringLiteral("日本語 (&J)"))
                QVERIFY2(!command->text().contains(Japanese), qPrintable(command->text()));
        }
    }
    QCOMPARE(window->menuBar()->actions().front()->text(), english ? "&File" : "ファイル(&F)");
}

void UiLanguageTest::theLanguageMenuSavesTheChoiceForTheNextStart()
{
    ZepaUnderTest zepa;
    ComposerWindow *window = openComposer(zepa);
    QVERIFY(window->languageAction(QString())->isChecked());
    zepa.messages.expect();
    window->languageAction(QStringLiteral("en"))->trigger();
    QCOMPARE(UiLanguages::savedChoice(), QStringLiteral("en"));
    // Said in the windows' language, and in the one chosen.
    QCOMPARE(zepa.messages.last().text,
             QStringLiteral("表示言語は、ZEPAを次に起動したときから変わります。\n"
                            "The language changes when ZEPA starts next time."));
    QCOMPARE(zepa.messages.last().title, QStringLiteral("表示言語"));
    // The windows keep their language until then.
    QCOMPARE(UiLanguages::language(), UiLanguage::Japanese);
    zepa.messages.expect();
    window->languageAction(QString())->trigger();
    QCOMPARE(UiLanguages::savedChoice(), QString());
}

void UiLanguageTest::aNoteIsDescribedInTheLanguage_data()
{
    QTest::addColumn<UiLanguage>("language");
    QTest::addColumn<NoteRecord>("note");
    QTest::addColumn<QString>("description");
    NoteRecord sharp{10, Octave::High, Articulation::Staccato, NoteLength::Whole, 0};
    NoteRecord triplet{NoteRecord::Rest, Octave::Lowest, Articulation::SlurOrTie, NoteLength::EighthTriplet, 0};
    NoteRecord unchosen{NoteRecord::Unchosen, Octave::Middle, Articulation::Normal, NoteLength::DottedSixteenth, 0};
    QTest::newRow("ja, a sharp") << UiLanguage::Japanese << sharp << "ラ＃（高音）－スタッカート－全音符";
    QTest::newRow("en, a sharp") << UiLanguage::English << sharp << "A# (high) – staccato – whole note";
    QTest::newRow("ja, a rest") << UiLanguage::Japanese << triplet << "休（最低音）－スラーorタイ－三連八分音符";
    QTest::newRow("en, a rest") << UiLanguage::English << triplet << "rest (lowest) – slur or tie – eighth triplet";
    QTest::newRow("en, nothing chosen") << UiLanguage::English << unchosen
                                        << "no pitch chosen (middle) – normal – dotted 16th note";
}

void UiLanguageTest::aNoteIsDescribedInTheLanguage()
{
    QFETCH(UiLanguage, language);
    QFETCH(NoteRecord, note);
    QFETCH(QString, description);
    UiLanguages::install(language);
    QCOMPARE(describe(note), description);
}

void UiLanguageTest::theKeyListSaysWhatEachKeyDoes_data()
{
    QTest::addColumn<UiLanguage>("language");
    QTest::newRow("Japanese") << UiLanguage::Japanese;
    QTest::newRow("English") << UiLanguage::English;
}

// Each line of 「キー操作」 that enters notes names a key that does what the
// line says, by what the key handler makes of it. (The menus' keys are listed
// from the menus' own table.)
void UiLanguageTest::theKeyListSaysWhatEachKeyDoes()
{
    QFETCH(UiLanguage, language);
    UiLanguages::install(language);
    ZepaUnderTest zepa;
    ComposerWindow *window = openComposer(zepa);
    const auto caption = [](QAbstractButton *button) { return button->text(); };
    const QList<std::pair<QString, QString>> keys = NoteKeys::keyList();
    QCOMPARE(keys.size(), 33);
    for (const auto &[key, meaning] : keys) {
        const QKeySequence sequence = QKeySequence::fromString(key);
        QVERIFY2(sequence.count() == 1, qPrintable(key));
        const QKeyCombination combination = sequence[0];
        QKeyEvent press(QEvent::KeyPress, combination.key(), combination.keyboardModifiers());
        const std::optional<NoteKeys::Action> action = NoteKeys::actionFor(press);
        QVERIFY2(action, qPrintable(key + QStringLiteral(" enters nothing"))); // menu keys come from the menus' table
        QString expected;
        if (const auto *pitch = std::get_if<NoteKeys::PitchKey>(&*action))
            expected = pitchNames()[std::size_t(pitch->pitch)];
        else if (const auto *length = std::get_if<NoteLength>(&*action))
            expected = caption(window->lengthButton(*length));
        else if (const auto *articulation = std::get_if<Articulation>(&*action))
            expected = accessibleName(window->articulationOption(*articulation));
        else if (std::get<NoteKeys::Command>(*action) == NoteKeys::Command::Rest)
            expected = caption(window->restButton());
        else if (std::get<NoteKeys::Command>(*action) == NoteKeys::Command::Confirm)
            expected = caption(window->confirmButton());
        else if (std::get<NoteKeys::Command>(*action) == NoteKeys::Command::Clear)
            expected = caption(window->clearButton());
        else
            expected = meaning; // the octave keys have no control of their own
        QVERIFY2(expected.compare(meaning, Qt::CaseInsensitive) == 0,
                 qPrintable(key + QStringLiteral(": ") + meaning + QStringLiteral(" / ") + expected));
    }
}

void UiLanguageTest::statusMessagesAreShownWhole_data()
{
    QTest::addColumn<UiLanguage>("language");
    QTest::newRow("Japanese") << UiLanguage::Japanese;
    QTest::newRow("English") << UiLanguage::English;
}

// The composer is the smallest window, and its status bar the narrowest
// place anything is said: what the commands say there is drawn whole, the
// folder with the file, in either language, and the figures come back after.
void UiLanguageTest::statusMessagesAreShownWhole()
{
    QFETCH(UiLanguage, language);
    UiLanguages::install(language);
    QTemporaryDir directory(QDir::tempPath() + QStringLiteral("/the-class-of-2026-robot-melodies-XXXXXX"));
    ZepaUnderTest zepa(directory.path());
    ComposerWindow *window = openComposer(zepa);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    confirmPitches(window, {0, 4, 7});
    ComposerStatusBar *bar = window->composerStatusBar();
    const auto shownWhole = [&](const QString &path) {
        QCoreApplication::processEvents();
        const QString text = window->statusLabel()->text();
        QVERIFY2(text.contains(QDir::toNativeSeparators(path)), qPrintable(text));
        QVERIFY2(bar->wordsShownWhole(), qPrintable(text));
        QCOMPARE(window->statusLabel()->toolTip(), text);
    };

    window->exportNqcAction()->trigger();
    shownWhole(directory.filePath(QStringLiteral("music0.nqc")));
    zepa.dialogs.answer = directory.filePath(QStringLiteral("a-melody-for-the-brick_ev3dev.py"));
    window->exportForBrickAction(ExportTarget::Ev3dev)->trigger();
    shownWhole(zepa.dialogs.answer);
    zepa.dialogs.answer = directory.filePath(QStringLiteral("the-song-we-made-in-class.mml"));
    window->saveAsAction()->trigger();
    shownWhole(zepa.dialogs.answer);

    // Said no more, the figures are back beside an empty line.
    bar->say(QString());
    QCoreApplication::processEvents();
    QVERIFY(window->melodyLabel()->isVisible() && window->programSizeLabel()->isVisible());
}

void UiLanguageTest::theGuideListsTheMenusAsTheyAre_data()
{
    QTest::addColumn<UiLanguage>("language");
    QTest::addColumn<QString>("guide");
    QTest::newRow("Japanese") << UiLanguage::Japanese << "Readme.txt";
    QTest::newRow("English") << UiLanguage::English << "Readme.en.txt";
}

// The guide's table of menus (its fourth section, up to the first empty line)
// is the one made from the menu bar: words, keys and descriptions all. Run
// with ZEPA_UPDATE_GUIDE=1 to write it into the guide after a change of the
// menus.
void UiLanguageTest::theGuideListsTheMenusAsTheyAre()
{
    QFETCH(UiLanguage, language);
    QFETCH(QString, guide);
    UiLanguages::install(language);
    ZepaUnderTest zepa;
    ComposerWindow *window = openComposer(zepa);
    const QString made = menuGuide(*window->menuBar());
    QVERIFY(made.count(QLatin1Char('\n')) > 40);
    for (const QString &line : made.split(QLatin1Char('\n')))
        QVERIFY2(displayWidth(line) <= 76, qPrintable(line));

    QFile file(QStringLiteral(ZEPA_TESTS_DIR "/../") + guide);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    file.close();
    const QRegularExpression section(QStringLiteral("\\n4\\. [^\\n]*\\n-+\\n"));
    const QRegularExpressionMatch heading = section.match(text);
    QVERIFY(heading.hasMatch());
    const qsizetype start = heading.capturedEnd();
    const qsizetype end = text.indexOf(QStringLiteral("\n\n"), start) + 1;
    QVERIFY(end > start);
    if (qEnvironmentVariableIsSet("ZEPA_UPDATE_GUIDE")) {
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write((text.left(start) + made + text.mid(end)).toUtf8());
        return;
    }
    QVERIFY2(text.mid(start, end - start) == made,
             qPrintable(QStringLiteral("%1 lists other menus than ZEPA has; rerun this test with ZEPA_UPDATE_GUIDE=1 "
                                       "to write them, and read the result. ZEPA has:\n")
                            .arg(guide)
                        + made));
}

QTEST_MAIN(UiLanguageTest)
#include "tst_ui_language.moc"
