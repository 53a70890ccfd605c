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
#include "widgets/UndoActions.h"
#include "windows/composer/KeyListDialog.h"

std::function<void()> ComposerWindow::handlerFor(ComposerAction command)
{
    DocumentController &files = controller();
    switch (command) {
    case ComposerAction::New:
        return [&files] { files.newMelody(); };
    case ComposerAction::Open:
        return [&files] { files.open(); };
    case ComposerAction::ImportMidi:
        return [&files] { files.importMidi(); };
    case ComposerAction::Save:
        return [&files] { files.save(); };
    case ComposerAction::SaveAs:
        return [&files] { files.saveAs(); };
    case ComposerAction::ExportNqc:
        return [&files] { files.writeProgram(); };
    case ComposerAction::ExportWav:
    case ComposerAction::ExportMidi:
    case ComposerAction::ExportNxc:
    case ComposerAction::ExportPybricks:
    case ComposerAction::ExportMicrobit:
    case ComposerAction::ExportEv3dev:
    case ComposerAction::ExportMusicXml:
    case ComposerAction::ExportLilyPond:
        return [&files, kind = outputOf(command)] { files.exportTo(kind); };
    case ComposerAction::SendToRcx:
        return [&files] { files.sendToRcx(); };
    case ComposerAction::ExportPdf:
        return [&files] { files.exportPdf(); };
    case ComposerAction::Print:
        return [&files] { files.print(); };
    case ComposerAction::Quit:
        return [this] { close(); };
    case ComposerAction::Transpose:
        return [&files] { files.askTranspose(); };
    case ComposerAction::ChangeTempo:
        return [&files] { files.askTempo(); };
    case ComposerAction::ShowScore:
        return [this] { emit scoreWindowRequested(); };
    case ComposerAction::PlayAll:
        return [this] { player().playOrStop(editor().state().notes()); };
    case ComposerAction::PlayLastTen:
        return [this] { player().playLastTen(editor().state().notes()); };
    case ComposerAction::Stop:
        return [this] { player().stop(); };
    case ComposerAction::Guide:
        return [this] { showGuide(); };
    case ComposerAction::KeyList:
        return [this] { showKeyList(); };
    case ComposerAction::About:
        return [this] { emit aboutRequested(); };
    case ComposerAction::RecentFiles:
    case ComposerAction::Language:
    case ComposerAction::Undo:
    case ComposerAction::Redo:
    case ComposerAction::KeySounds:
        break; // wired below: a submenu, the history, a setting
    }
    return {};
}

void ComposerWindow::createMenus()
{
    std::map<ComposerMenu, QMenu *> menus;
    for (ComposerMenu menu : {ComposerMenu::File, ComposerMenu::Edit, ComposerMenu::Play, ComposerMenu::Help})
        menus[menu] = menuBar()->addMenu(composerMenuTitle(menu));
    for (const ComposerActionEntry &entry : composerActions()) {
        if (entry.menu == ComposerMenu::Bricks && !menus.contains(ComposerMenu::Bricks))
            menus[ComposerMenu::Bricks] = menus[ComposerMenu::File]->addMenu(composerMenuTitle(ComposerMenu::Bricks));
        QMenu *menu = menus[entry.menu];
        if (entry.separatorBefore)
            menu->addSeparator();
        QAction *action = nullptr;
        if (entry.action == ComposerAction::RecentFiles) {
            m_recentFiles = menu->addMenu(entry.text);
            m_recentFiles->setToolTipsVisible(true); // the whole path of each
            action = m_recentFiles->menuAction();
            connect(m_recentFiles, &QMenu::aboutToShow, this, &ComposerWindow::fillRecentFiles);
        } else if (entry.action == ComposerAction::Language) {
            m_languages = menu->addMenu(entry.text);
            action = m_languages->menuAction();
            fillLanguages(m_languages);
        } else {
            action = menu->addAction(entry.text);
            action->setShortcuts(entry.shortcuts);
            action->setCheckable(entry.checkable);
        }
        m_actions.at(std::size_t(entry.action)) = action;
        if (const std::function<void()> handler = handlerFor(entry.action))
            connect(action, &QAction::triggered, this, handler);
    }
    followUndoStack(undoAction(), redoAction(), document().undoStack());
    keySoundsAction()->setChecked(player().keySoundsOn());
    connect(keySoundsAction(), &QAction::toggled, &player(), &MelodyPlayer::setKeySoundsOn);
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
    KeyListDialog list(this);
    list.exec();
}
