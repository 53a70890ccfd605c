// The score window's edit menu and tool bar: built from the table of its
// commands, each enabled only when it can act on what is chosen.
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "controller/EditMessages.h"
#include "widgets/UndoActions.h"
#include "windows/score/NoteChanges.h"
#include "windows/score/ScoreTableModel.h"
#include "windows/score/ScoreWindow.h"

namespace {

QString editWords(const char *text)
{
    return QCoreApplication::translate("ScoreWindow", text);
}

} // namespace

std::vector<MenuCommand> ScoreWindow::commandTable()
{
    namespace N = ScoreWindowCommand;
    const auto chosen = [this] { return selection().second > 0; };
    const auto command = [](const QString &id, const QString &text, const QString &description,
                            QList<QKeySequence> keys, std::function<void()> run, std::function<bool()> enabled) {
        MenuCommand entry;
        entry.id = id;
        entry.text = text;
        entry.description = description;
        entry.keys = std::move(keys);
        entry.run = std::move(run);
        entry.enabled = std::move(enabled);
        return entry;
    };
    std::vector<MenuCommand> table{
        // The one history of the melody, as in the composer, with the same names.
        command(N::Undo, editWords(QT_TRANSLATE_NOOP("ScoreWindow", "元に戻す(&U)")),
                editWords(QT_TRANSLATE_NOOP("ScoreWindow", "最後の変更を元に戻します。")),
                {QKeySequence(Qt::CTRL | Qt::Key_Z)}, {}, {}),
        command(N::Redo, editWords(QT_TRANSLATE_NOOP("ScoreWindow", "やり直し(&R)")),
                editWords(QT_TRANSLATE_NOOP("ScoreWindow", "元に戻した変更をやり直します。")),
                {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}, {}, {}),
        command(
            N::Replace, editWords(QT_TRANSLATE_NOOP("ScoreWindow", "置き換え(&C)")),
            editWords(QT_TRANSLATE_NOOP("ScoreWindow", "選んだ音を、作曲画面で選んでいる音に取り替えます。")),
            {QKeySequence(Qt::CTRL | Qt::Key_R)},
            [this] {
                const auto [first, count] = selection();
                if (count > 0
                    && tellEdit(m_messages, m_document.replace(first, m_document.editor().state().currentNote)))
                    say(editWords(QT_TRANSLATE_NOOP("ScoreWindow", "%1 番目の音を置き換えました")).arg(first + 1));
            },
            chosen),
        command(N::Insert, editWords(QT_TRANSLATE_NOOP("ScoreWindow", "前に挿入(&I)")),
                editWords(QT_TRANSLATE_NOOP("ScoreWindow", "作曲画面で選んでいる音を、選んだ音の前に入れます。")),
                {QKeySequence(Qt::Key_Insert)},
                [this] {
                    const auto [first, count] = selection();
                    const int at = count > 0 ? first : m_model->rowCount();
                    if (tellEdit(m_messages, m_document.insertBefore(at, m_document.editor().state().currentNote)))
                        say(editWords(QT_TRANSLATE_NOOP("ScoreWindow", "%1 番目に音を入れました")).arg(at + 1));
                },
                {}),
        command(
            N::Delete, editWords(QT_TRANSLATE_NOOP("ScoreWindow", "削除(&D)")),
            editWords(QT_TRANSLATE_NOOP("ScoreWindow", "選んだ音を消します。")), {QKeySequence(Qt::Key_Delete)},
            [this] {
                const auto [first, count] = selection();
                m_document.remove(first, count);
                say(QCoreApplication::translate("ScoreWindow", "%n 音を消しました", nullptr, count));
            },
            chosen),
        command(
            N::Up, editWords(QT_TRANSLATE_NOOP("ScoreWindow", "上へ(&A)")),
            editWords(QT_TRANSLATE_NOOP("ScoreWindow", "選んだ音を一つ前へ動かします。")),
            {QKeySequence(Qt::ALT | Qt::Key_Up)},
            [this] {
                const auto [first, count] = selection();
                if (m_document.move(first, count, -1)) {
                    select(first - 1, count);
                    say(QCoreApplication::translate("ScoreWindow", "%n 音を一つ前へ動かしました", nullptr, count));
                }
            },
            [this] {
                const auto [first, count] = selection();
                return count > 0 && first > 0;
            }),
        command(
            N::Down, editWords(QT_TRANSLATE_NOOP("ScoreWindow", "下へ(&N)")),
            editWords(QT_TRANSLATE_NOOP("ScoreWindow", "選んだ音を一つ後ろへ動かします。")),
            {QKeySequence(Qt::ALT | Qt::Key_Down)},
            [this] {
                const auto [first, count] = selection();
                if (m_document.move(first, count, 1)) {
                    select(first + 1, count);
                    say(QCoreApplication::translate("ScoreWindow", "%n 音を一つ後ろへ動かしました", nullptr, count));
                }
            },
            [this] {
                const auto [first, count] = selection();
                return count > 0 && first + count < m_model->rowCount();
            }),
        command(
            N::PlayFromHere, editWords(QT_TRANSLATE_NOOP("ScoreWindow", "ここから再生(&P)")),
            editWords(QT_TRANSLATE_NOOP("ScoreWindow", "選んだ音から曲を鳴らします。")), {QKeySequence(Qt::Key_F6)},
            [this] {
                const auto [first, count] = selection();
                emit playFrom(count > 0 ? first : 0);
            },
            [this] { return m_model->rowCount() > 0; }),
    };
    table[2].separatorBefore = true; // after the history
    table.back().separatorBefore = true; // after the changes of the chosen notes
    return table;
}

void ScoreWindow::buildEditMenu()
{
    QMenu *edit = menuBar()->addMenu(editWords(QT_TRANSLATE_NOOP("ScoreWindow", "編集(&E)")));
    QToolBar *tools = addToolBar(editWords(QT_TRANSLATE_NOOP("ScoreWindow", "編集")));
    tools->setMovable(false);
    m_commands = new CommandRegistry(this);
    for (const MenuCommand &command : commandTable()) {
        if (command.id == ScoreWindowCommand::PlayFromHere) {
            edit->addMenu(m_changes->makeMenu(edit));
            tools->addSeparator();
        }
        QAction *action = m_commands->add(edit, command);
        if (command.id != ScoreWindowCommand::Undo && command.id != ScoreWindowCommand::Redo)
            tools->addAction(action);
    }
    followUndoStack(undoAction(), redoAction(), m_document.undoStack());
    connect(&m_document, &ScoreDocument::scoreChanged, m_commands, &CommandRegistry::updateEnabled);
}
