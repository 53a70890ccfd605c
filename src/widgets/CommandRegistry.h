#pragma once

#include <functional>
#include <vector>

#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QString>

class QAction;
class QMenu;

// One command of a window: where it stands, its words, its keys, when it can
// act and what it does.
struct MenuCommand {
    QString id; // "file.new", "export.wav", "score.replace": how the window and its tests find it
    int menu = 0; // the window's own menu, by its place in the window's list
    QString text; // with its access key
    QString description; // what it does, in a sentence: tip, screen reader, key list
    QList<QKeySequence> keys;
    std::function<bool()> enabled; // none: always
    std::function<void()> run; // none: the window wires it itself (the history, a setting)
    bool separatorBefore = false;
    bool checkable = false;
    bool submenu = false; // a menu of its own, which the window fills
};

// A window's commands, declared in one table: its menus are made from it,
// each command enabled only when it can act, and the key list and the screen
// reader's descriptions come from the same words, so they cannot disagree.
class CommandRegistry : public QObject {
    Q_OBJECT

public:
    explicit CommandRegistry(QObject *parent = nullptr);

    // The command's action in the menu, or its submenu.
    QAction *add(QMenu *menu, const MenuCommand &entry);
    QAction *action(const QString &id) const;
    QMenu *submenu(const QString &id) const;
    const std::vector<MenuCommand> &commands() const { return m_specs; }

    // Asks every command again whether it can act: after each change of what
    // the commands act on.
    void updateEnabled();

    // Each command that has a key: the keys as the desktop writes them
    // ("Ctrl+N"), and what it does (its text without the access key, then
    // its description).
    QList<std::pair<QString, QString>> keyList() const;

private:
    std::vector<MenuCommand> m_specs;
    std::vector<QAction *> m_actions;
    std::vector<QMenu *> m_submenus;
};
