#pragma once

#include <QMainWindow>

#include "base/MessageService.h"
#include "editing/ScoreDocument.h"
#include "widgets/CommandRegistry.h"
#include "windows/score/NoteTable.h"

class QAction;
class QActionGroup;
class QSplitter;
class NoteTable;
class QTableView;
class NoteChanges;
class ScoreTableModel;
class StaffView;

// The score window's commands by the names its table gives them.
namespace ScoreWindowCommand {
inline const QString Undo = QStringLiteral("score.undo");
inline const QString Redo = QStringLiteral("score.redo");
inline const QString Replace = QStringLiteral("score.replace");
inline const QString Insert = QStringLiteral("score.insert");
inline const QString Delete = QStringLiteral("score.delete");
inline const QString Up = QStringLiteral("score.up");
inline const QString Down = QStringLiteral("score.down");
inline const QString PlayFromHere = QStringLiteral("score.play-from-here");
} // namespace ScoreWindowCommand

// The score window (楽譜): the whole melody on a staff and as a list, the
// user showing either or both. The user selects one note or a range, on the
// staff or in the list (one selection), and replaces, inserts, deletes or
// moves notes, changes one thing of them, plays from a note, or takes a note
// into the composer; chooses the meter the staff is drawn in. It follows the
// score as it changes from either window, keeps the selection where the user
// put it and marks the note sounding while the melody plays.
class ScoreWindow : public QMainWindow {
    Q_OBJECT

public:
    ScoreWindow(ScoreDocument &document, MessageService &messages, QWidget *parent = nullptr);
    ~ScoreWindow() override;

    QTableView *table() const { return m_table; }
    // The edit menu's commands, by the names its table gives them.
    QAction *action(const QString &command) const { return m_commands->action(command); }
    const CommandRegistry &commands() const { return *m_commands; }
    QAction *replaceAction() const { return action(ScoreWindowCommand::Replace); }
    QAction *insertAction() const { return action(ScoreWindowCommand::Insert); }
    QAction *deleteAction() const { return action(ScoreWindowCommand::Delete); }
    QAction *upAction() const { return action(ScoreWindowCommand::Up); }
    QAction *downAction() const { return action(ScoreWindowCommand::Down); }
    QAction *playFromHereAction() const { return action(ScoreWindowCommand::PlayFromHere); }
    QAction *undoAction() const { return action(ScoreWindowCommand::Undo); }
    QAction *redoAction() const { return action(ScoreWindowCommand::Redo); }
    QAction *showStaffAction() const { return m_showStaff; }
    QAction *showTableAction() const { return m_showTable; }
    // なし, 4/4, 3/4, 2/4
    QList<QAction *> meterActions() const;
    StaffView *staff() const { return m_staff; }
    NoteChanges *noteChanges() const { return m_changes; }

    // The selected rows as a range: first row and count (0 when none).
    std::pair<int, int> selection() const;
    void select(int first, int count);

    // The note sounding, marked on the staff and in the table and kept in
    // sight; -1 when the melody stops.
    void showPlaying(int note);

signals:
    void playFrom(int index);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void refresh(const ScoreEditor::ScoreChange &change);
    void takeSelectedNote();
    void updateActions();
    // What a change of the notes did, at the foot of the window.
    void say(const QString &text);
    void chooseOnStaff(int note, bool extend);
    void moveSelection(int by, bool extend);
    void showViews();
    // ScoreWindowMenus.cpp: the edit menu and the tool bar built from the table of commands.
    std::vector<MenuCommand> commandTable();
    void buildEditMenu();
    void buildViewMenu();

    ScoreDocument &m_document;
    MessageService &m_messages;
    ScoreTableModel *m_model;
    NoteTable *m_table;
    StaffView *m_staff;
    QSplitter *m_splitter;
    NoteChanges *m_changes;
    QAction *m_showStaff = nullptr;
    QAction *m_showTable = nullptr;
    QActionGroup *m_meters = nullptr;
    int m_anchor = 0; // where a Shift-click or Shift+arrow range starts
    CommandRegistry *m_commands = nullptr;
};
