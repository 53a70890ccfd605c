// The composer's menu bar: built from the table of commands, each command
// handed to the document, the player or the file commands.
#include <map>

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

#include "windows/composer/ComposerWindow.h"

#include "base/UiLanguage.h"
#include "widgets/NoteKeys.h"
#include "widgets/UndoActions.h"
#include "windows/composer/KeyListDialog.h"

namespace {

QString menuWords(const char *text)
{
    return QCoreApplication::translate("ComposerMenus", text);
}

QList<QKeySequence> key(QKeyCombination combination)
{
    return {QKeySequence(combination)};
}

} // namespace

// Every command of the menu bar in one table: its menu, words, keys, when it
// can act (nothing to write, print, send or play in an empty score) and what
// it does. The outputs' commands come from the register of outputs, in its
// order, so a new format shows here by itself.
std::vector<MenuCommand> ComposerWindow::commandTable()
{
    using C = ComposerMenu;
    namespace N = ComposerCommand;
    DocumentController &files = controller();
    const auto hasNotes = [this] { return editor().state().noteTotal() > 0; };
    const auto entry = [](const QString &id, C menu, const QString &text, const QString &description,
                          QList<QKeySequence> keys, std::function<void()> run) {
        MenuCommand command;
        command.id = id;
        command.menu = int(menu);
        command.text = text;
        command.description = description;
        command.keys = std::move(keys);
        command.run = std::move(run);
        return command;
    };
    const auto menuText = [](const char *text) { return QCoreApplication::translate("ComposerActions", text); };
    std::vector<MenuCommand> table{
        entry(N::New, C::File, menuText(QT_TRANSLATE_NOOP("ComposerActions", "新規作成(&N)...")),
              menuWords(QT_TRANSLATE_NOOP("ComposerMenus", "テンポを決めて、新しい曲を始めます。")),
              key(Qt::CTRL | Qt::Key_N), [&files] { files.newMelody(); }),
        entry(N::Open, C::File, menuText(QT_TRANSLATE_NOOP("ComposerActions", "開く(&O)...")),
              menuWords(QT_TRANSLATE_NOOP(
                  "ComposerMenus", "メロディファイル、ZEPAが書いたNQCプログラム、MIDIファイル、MusicXMLを開きます。")),
              key(Qt::CTRL | Qt::Key_O), [&files] { files.open(); }),
        entry(N::RecentFiles, C::File, menuText(QT_TRANSLATE_NOOP("ComposerActions", "最近使ったファイル(&R)")),
              menuWords(QT_TRANSLATE_NOOP("ComposerMenus", "最近開いたか保存したファイルを開きます。")), {}, {}),
        entry(N::ImportMidi, C::File, menuText(QT_TRANSLATE_NOOP("ComposerActions", "MIDIファイルを取り込む(&I)...")),
              menuWords(QT_TRANSLATE_NOOP("ComposerMenus", "MIDIファイルの一つの声部で今の曲を置き換えます。")),
              key(Qt::CTRL | Qt::Key_I), [&files] { files.importMidi(); }),
        entry(N::Save, C::File, menuText(QT_TRANSLATE_NOOP("ComposerActions", "上書き保存(&S)")),
              menuWords(QT_TRANSLATE_NOOP("ComposerMenus", "今のメロディファイルに保存します。")),
              key(Qt::CTRL | Qt::Key_S), [&files] { files.save(); }),
        entry(N::SaveAs, C::File, menuText(QT_TRANSLATE_NOOP("ComposerActions", "名前を付けて保存(&A)...")),
              menuWords(QT_TRANSLATE_NOOP("ComposerMenus", "名前を付けてメロディファイルに保存します。")),
              key(Qt::CTRL | Qt::SHIFT | Qt::Key_S), [&files] { files.saveAs(); }),
    };
    bool firstOutput = true;
    for (const OutputFormat &format : outputFormats()) {
        if (format.place == OutputPlace::WithAnother)
            continue;
        const QString id = format.id;
        // The program goes, as the finish button writes it, under the next free
        // musicN.nqc without a dialog.
        const bool program = id == OutputId::Nqc;
        MenuCommand command
            = entry(exportCommand(id), format.place == OutputPlace::Bricks ? C::Bricks : C::File, format.menuText,
                    format.description, program ? key(Qt::CTRL | Qt::Key_E) : QList<QKeySequence>{},
                    [&files, id, program] { program ? files.writeProgram() : files.exportTo(id); });
        command.enabled = hasNotes;
        command.separatorBefore = std::exchange(firstOutput, false);
        table.push_back(command);
    }
    const std::vector<MenuCommand> rest{
        entry(N::SendToRcx, C::File, menuText(QT_TRANSLATE_NOOP("ComposerActions", "RCXに送る(&T)...")),
              menuWords(QT_TRANSLATE_NOOP("ComposerMenus", "曲を赤外線タワーでRCXに送ります。")), key(Qt::Key_F9),
              [&files] { files.sendToRcx(); }),
        entry(N::Print, C::File, menuText(QT_TRANSLATE_NOOP("ComposerActions", "楽譜を印刷(&P)...")),
              menuWords(QT_TRANSLATE_NOOP("ComposerMenus", "楽譜を印刷します（先に題名を聞きます）。")),
              key(Qt::CTRL | Qt::Key_P), [&files] { files.print(); }),
        entry(N::Quit, C::File, menuText(QT_TRANSLATE_NOOP("ComposerActions", "終了(&X)")),
              menuWords(QT_TRANSLATE_NOOP("ComposerMenus", "作曲画面を閉じます。")), key(Qt::CTRL | Qt::Key_Q),
              [this] { close(); }),
        entry(N::Undo, C::Edit, menuText(QT_TRANSLATE_NOOP("ComposerActions", "元に戻す(&U)")),
              menuWords(QT_TRANSLATE_NOOP("ComposerMenus", "最後の変更を元に戻します。")), key(Qt::CTRL | Qt::Key_Z),
              {}),
        entry(N::Redo, C::Edit, menuText(QT_TRANSLATE_NOOP("ComposerActions", "やり直し(&R)")),
              menuWords(QT_TRANSLATE_NOOP("ComposerMenus", "元に戻した変更をやり直します。")),
              {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}, {}),
        entry(N::Transpose, C::Edit, menuText(QT_TRANSLATE_NOOP("ComposerActions", "移調(&M)...")),
              menuWords(QT_TRANSLATE_NOOP("ComposerMenus", "曲のすべての音を同じ半音の数だけ上げ下げします。")), {},
              [&files] { files.askTranspose(); }),
        entry(N::ChangeTempo, C::Edit, menuText(QT_TRANSLATE_NOOP("ComposerActions", "テンポの変更(&P)...")),
              menuWords(QT_TRANSLATE_NOOP("ComposerMenus", "曲のテンポを変えます。音の長さの種類はそのままです。")), {},
              [&files] { files.askTempo(); }),
        entry(N::ShowScore, C::Edit, menuText(QT_TRANSLATE_NOOP("ComposerActions", "楽譜を表示(&V)")),
              menuWords(QT_TRANSLATE_NOOP("ComposerMenus", "曲を五線譜と音の一覧で見せます。")),
              key(Qt::CTRL | Qt::Key_L), [this] { emit scoreWindowRequested(); }),
        entry(N::PlayAll, C::Play, menuText(QT_TRANSLATE_NOOP("ComposerActions", "最初から再生(&S)")),
              menuWords(QT_TRANSLATE_NOOP("ComposerMenus", "曲を最初から鳴らします。鳴っている間は F5 で止まります。")),
              key(Qt::Key_F5), [this] { player().playOrStop(editor().state().notes()); }),
        entry(N::PlayLastTen, C::Play, menuText(QT_TRANSLATE_NOOP("ComposerActions", "最後の１０音を再生(&L)")),
              menuWords(QT_TRANSLATE_NOOP("ComposerMenus", "曲の最後の１０音を鳴らします。")),
              key(Qt::SHIFT | Qt::Key_F5), [this] { player().playLastTen(editor().state().notes()); }),
        entry(N::Stop, C::Play, menuText(QT_TRANSLATE_NOOP("ComposerActions", "停止(&T)")),
              menuWords(QT_TRANSLATE_NOOP("ComposerMenus", "鳴っている曲を止めます。")), {},
              [this] { player().stop(); }),
        entry(N::KeySounds, C::Play, menuText(QT_TRANSLATE_NOOP("ComposerActions", "鍵盤の音を鳴らす(&K)")),
              menuWords(QT_TRANSLATE_NOOP("ComposerMenus", "鍵盤を押したとき、その音を鳴らします。")), {}, {}),
        entry(N::Guide, C::Help, menuText(QT_TRANSLATE_NOOP("ComposerActions", "使い方(&R)")),
              menuWords(QT_TRANSLATE_NOOP("ComposerMenus", "ZEPAの使い方を見せます。")), key(Qt::Key_F1),
              [this] { showGuide(); }),
        entry(N::KeyList, C::Help, menuText(QT_TRANSLATE_NOOP("ComposerActions", "キー操作(&K)")),
              menuWords(QT_TRANSLATE_NOOP("ComposerMenus", "キーとその働きの一覧を見せます。")), {},
              [this] { showKeyList(); }),
        entry(N::Language, C::Help, menuText(QT_TRANSLATE_NOOP("ComposerActions", "表示言語(&L)")),
              menuWords(QT_TRANSLATE_NOOP("ComposerMenus", "画面の言語を選びます。")), {}, {}),
        entry(N::About, C::Help, menuText(QT_TRANSLATE_NOOP("ComposerActions", "ZEPAについて(&A)")),
              menuWords(QT_TRANSLATE_NOOP("ComposerMenus", "ZEPAのバージョンを見せます。")), {},
              [this] { emit aboutRequested(); }),
    };
    table.insert(table.end(), rest.begin(), rest.end());
    for (MenuCommand &command : table) {
        const QString &id = command.id;
        if (id == N::SendToRcx || id == N::Print || id == N::Transpose || id == N::PlayAll || id == N::PlayLastTen)
            command.enabled = hasNotes;
        if (id == N::Save || id == N::SendToRcx || id == N::Print || id == N::Quit || id == N::Transpose
            || id == N::ShowScore || id == N::KeySounds || id == N::Language)
            command.separatorBefore = true;
        if (id == N::Undo || id == N::Stop) // enabled as the history and the player say
            command.enabled = {};
        command.checkable = id == N::KeySounds;
        command.submenu = id == N::RecentFiles || id == N::Language;
    }
    return table;
}

void ComposerWindow::createMenus()
{
    std::map<ComposerMenu, QMenu *> menus;
    for (ComposerMenu menu : {ComposerMenu::File, ComposerMenu::Edit, ComposerMenu::Play, ComposerMenu::Help})
        menus[menu] = menuBar()->addMenu(composerMenuTitle(menu));
    for (const MenuCommand &command : commandTable()) {
        const auto menu = ComposerMenu(command.menu);
        if (menu == ComposerMenu::Bricks && !menus.contains(ComposerMenu::Bricks))
            menus[ComposerMenu::Bricks] = menus[ComposerMenu::File]->addMenu(composerMenuTitle(ComposerMenu::Bricks));
        m_commands->add(menus[menu], command);
    }
    m_recentFiles = m_commands->submenu(ComposerCommand::RecentFiles);
    m_recentFiles->setToolTipsVisible(true); // the whole path of each
    connect(m_recentFiles, &QMenu::aboutToShow, this, &ComposerWindow::fillRecentFiles);
    m_languages = m_commands->submenu(ComposerCommand::Language);
    fillLanguages(m_languages);
    followUndoStack(undoAction(), redoAction(), document().undoStack());
    keySoundsAction()->setChecked(player().keySoundsOn());
    connect(keySoundsAction(), &QAction::toggled, &player(), &MelodyPlayer::setKeySoundsOn);
    connect(&document(), &ScoreDocument::scoreChanged, m_commands, &CommandRegistry::updateEnabled);
    fillRecentFiles();
    showPlaying(false);
}

// 「表示言語」: the system's language, or one of the two, saved for the next
// start. The names of the languages are each in its own language.
void ComposerWindow::fillLanguages(QMenu *menu)
{
    auto *group = new QActionGroup(menu);
    const QString saved = UiLanguages::savedChoice();
    const std::pair<QString, QString> choices[] = {
        {QString(), QCoreApplication::translate("ComposerMenus", "システムの言語に合わせる(&S)")},
        {QStringLiteral("ja"), QStringLiteral("日本語 (&J)")},
        {QStringLiteral("en"), QStringLiteral("English (&E)")},
    };
    for (const auto &[code, text] : choices) {
        QAction *item = menu->addAction(text);
        item->setCheckable(true);
        item->setChecked(code == saved);
        item->setData(code);
        group->addAction(item);
        connect(item, &QAction::triggered, this, [this, code] { chooseLanguage(code); });
    }
}

QAction *ComposerWindow::languageAction(const QString &code) const
{
    for (QAction *item : m_languages->actions()) {
        if (item->data().toString() == code)
            return item;
    }
    return nullptr;
}

void ComposerWindow::chooseLanguage(const QString &code)
{
    if (code == UiLanguages::savedChoice())
        return;
    UiLanguages::saveChoice(code);
    const UiLanguage next = UiLanguages::chosen(std::nullopt);
    QString text = QCoreApplication::translate("ComposerMenus", "表示言語は、ZEPAを次に起動したときから変わります。");
    // Said in the language chosen too, for a user who reads only that one.
    if (next != UiLanguages::language())
        text += QLatin1Char('\n')
            + UiLanguages::translated(next, "ComposerMenus", "表示言語は、ZEPAを次に起動したときから変わります。");
    m_services.messages.show(Message::notice(text, QCoreApplication::translate("ComposerMenus", "表示言語")));
}

// 「最近使ったファイル」: "&1 furusato.mml" with the whole path as its tip.
void ComposerWindow::fillRecentFiles()
{
    m_recentFiles->clear();
    const QStringList paths = controller().recentFiles();
    for (qsizetype i = 0; i < paths.size(); ++i) {
        const QString path = paths[i];
        QAction *item = m_recentFiles->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()));
        item->setToolTip(QDir::toNativeSeparators(path));
        connect(item, &QAction::triggered, this, [this, path] { controller().openRecent(path); });
    }
    // The menu is built before the user opens it, so an empty one still says why.
    if (paths.isEmpty())
        m_recentFiles->addAction(QCoreApplication::translate("ComposerMenus", "（まだありません）"))->setEnabled(false);
}

// F5 starts the melody and, while it plays, stops it: the shortcut moves to
// the command it does now, so the menu shows it beside that one.
void ComposerWindow::showPlaying(bool playing)
{
    playAllAction()->setShortcut(playing ? QKeySequence() : QKeySequence(Qt::Key_F5));
    stopAction()->setShortcut(playing ? QKeySequence(Qt::Key_F5) : QKeySequence());
    stopAction()->setEnabled(playing);
    if (!playing)
        statusLabel()->clear();
}

void ComposerWindow::showKeyList()
{
    KeyListDialog list(m_commands->keyList() + NoteKeys::scoreWindowKeys(), this);
    list.exec();
}
