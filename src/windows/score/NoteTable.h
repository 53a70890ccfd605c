#pragma once

#include <QTableView>

// The list of notes, one row a note, moved about as a list is: Home and End
// go to the first and the last note (Qt's table would go to the first and
// the last column of the row). A change of rows below the ones in sight (the last note
// removed, say) moves the scroll bar but draws nothing again: Qt's table
// would lay out and draw every row in sight for any row that comes or goes.
class NoteTable : public QTableView {
    Q_OBJECT

public:
    using QTableView::QTableView;

    // The last row in sight, or -1 when the rows end above the bottom.
    int lastRowInSight() const;
    // The next laying out of the rows follows a change below the rows in sight.
    void changedOutOfSight() { m_outOfSight = true; }

protected:
    void doItemsLayout() override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

private:
    bool m_outOfSight = false;
};
