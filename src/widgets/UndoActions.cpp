#include "widgets/UndoActions.h"

#include <QAction>
#include <QCoreApplication>
#include <QUndoStack>

namespace {

QString UndoText()
{
    return QCoreApplication::translate("UndoActions", "元に戻す(&U)");
}
QString RedoText()
{
    return QCoreApplication::translate("UndoActions", "やり直し(&R)");
}

void name(QAction *action, const QString &command, const QString &what)
{
    action->setText(what.isEmpty() ? command : command + QStringLiteral(": ") + what);
}

} // namespace

void followUndoStack(QAction *undo, QAction *redo, QUndoStack &stack)
{
    QObject::connect(undo, &QAction::triggered, &stack, &QUndoStack::undo);
    QObject::connect(redo, &QAction::triggered, &stack, &QUndoStack::redo);
    const auto update = [undo, redo, &stack] {
        name(undo, UndoText(), stack.undoText());
        name(redo, RedoText(), stack.redoText());
        undo->setEnabled(stack.canUndo());
        redo->setEnabled(stack.canRedo());
    };
    QObject::connect(&stack, &QUndoStack::indexChanged, undo, update);
    QObject::connect(&stack, &QUndoStack::cleanChanged, undo, update);
    update();
}
