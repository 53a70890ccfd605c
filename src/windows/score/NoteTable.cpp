#include "windows/score/NoteTable.h"

#include <utility>

int NoteTable::lastRowInSight() const
{
    return rowAt(viewport()->height() - 1);
}

void NoteTable::doItemsLayout()
{
    if (std::exchange(m_outOfSight, false) && isVisible()) {
        updateGeometries(); // the scroll bar's range; the rows in sight are as they were
        return;
    }
    QTableView::doItemsLayout();
}

QModelIndex NoteTable::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    if (action == MoveHome || action == MoveEnd)
        modifiers |= Qt::ControlModifier;
    return QTableView::moveCursor(action, modifiers);
}
