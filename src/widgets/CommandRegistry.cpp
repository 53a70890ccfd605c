#include "widgets/CommandRegistry.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>

#include "base/MenuText.h"

CommandRegistry::CommandRegistry(QObject *parent)
    : QObject(parent)
{ }

QAction *CommandRegistry::add(QMenu *menu, const MenuCommand &entry)
{
    if (entry.separatorBefore)
        menu->addSeparator();
    QAction *action = nullptr;
    QMenu *submenu = nullptr;
    if (entry.submenu) {
        submenu = menu->addMenu(entry.text);
        action = submenu->menuAction();
    } else {
        action = menu->addAction(entry.text);
        action->setShortcuts(entry.keys);
        action->setCheckable(entry.checkable);
    }
    action->setObjectName(entry.id);
    // The tip a tool bar shows and the description a screen reader reads. Not
    // the status bar's tip: the composer's status bar is too narrow for it.
    action->setToolTip(entry.description);
    action->setWhatsThis(entry.description);
    if (entry.run)
        connect(action, &QAction::triggered, this, entry.run);
    m_specs.push_back(entry);
    m_actions.push_back(action);
    m_submenus.push_back(submenu);
    if (entry.enabled)
        action->setEnabled(entry.enabled());
    return action;
}

QAction *CommandRegistry::action(const QString &id) const
{
    for (std::size_t i = 0; i < m_specs.size(); ++i) {
        if (m_specs[i].id == id)
            return m_actions[i];
    }
    return nullptr;
}

QMenu *CommandRegistry::submenu(const QString &id) const
{
    for (std::size_t i = 0; i < m_specs.size(); ++i) {
        if (m_specs[i].id == id)
            return m_submenus[i];
    }
    return nullptr;
}

void CommandRegistry::updateEnabled()
{
    for (std::size_t i = 0; i < m_specs.size(); ++i) {
        if (m_specs[i].enabled)
            m_actions[i]->setEnabled(m_specs[i].enabled());
    }
}

QList<std::pair<QString, QString>> CommandRegistry::keyList() const
{
    QList<std::pair<QString, QString>> list;
    for (std::size_t i = 0; i < m_specs.size(); ++i) {
        // The keys the action has now: a command that lends its key to another
        // while it cannot act (F5 while playing) shows where the key went.
        const QList<QKeySequence> keys = m_specs[i].keys;
        if (keys.isEmpty())
            continue;
        QStringList written;
        for (const QKeySequence &key : keys)
            written << key.toString(QKeySequence::NativeText);
        list.append(
            {written.join(QCoreApplication::translate("CommandRegistry", "、")), plainMenuText(m_specs[i].text)});
    }
    return list;
}
