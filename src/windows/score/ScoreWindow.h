#pragma once

#include <QMainWindow>

#include "editing/ScoreDocument.h"

class QAction;
class QTableView;
class ScoreTableModel;

// The score window (楽譜): the whole melody as a list. The user selects one
// note or a range and replaces, inserts, deletes or moves notes, plays from a
// note, or takes a note into the composer. It follows the score as it
// changes from either window and keeps the selection where the user put it.
class ScoreWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit ScoreWindow(ScoreDocument &document, QWidget *parent = nullptr);
    ~ScoreWindow() override;

    QTableView *table() const { return m_table; }
    QAction *replaceAction() const { return m_replace; }
    QAction *insertAction() const { return m_insert; }
    QAction *deleteAction() const { return m_delete; }
    QAction *upAction() const { return m_up; }
    QAction *downAction() const { return m_down; }
    QAction *playFromHereAction() const { return m_playFromHere; }
    QAction *undoAction() const { return m_undo; }
    QAction *redoAction() const { return m_redo; }

    // The selected rows as a range: first row and count (0 when none).
    std::pair<int, int> selection() const;
    void select(int first, int count);

signals:
    void playFrom(int index);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void refresh();
    void takeSelectedNote();
    void updateActions();

    ScoreDocument &m_document;
    ScoreTableModel *m_model;
    QTableView *m_table;
    QAction *m_replace;
    QAction *m_insert;
    QAction *m_delete;
    QAction *m_up;
    QAction *m_down;
    QAction *m_playFromHere;
    QAction *m_undo;
    QAction *m_redo;
};
