#include "windows/score/ScoreWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenuBar>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QToolBar>

#include "controller/EditMessages.h"
#include "widgets/UndoActions.h"
#include "windows/score/NoteCellDelegate.h"
#include "windows/score/NoteChanges.h"
#include "windows/score/NoteTable.h"
#include "windows/score/ScoreTableModel.h"
#include "windows/score/StaffView.h"

ScoreWindow::ScoreWindow(ScoreDocument &document, MessageService &messages, QWidget *parent)
    : QMainWindow(parent)
    , m_document(document)
    , m_messages(messages)
    , m_model(new ScoreTableModel(document.editor(), this))
    , m_table(new NoteTable(this))
    , m_staff(new StaffView(this))
    , m_splitter(new QSplitter(Qt::Vertical, this))
    , m_changes(new NoteChanges(
          document, messages, [this] { return selection(); }, this))
{
    setObjectName(QStringLiteral("ScoreWindow"));
    setWindowTitle(QCoreApplication::translate("ScoreWindow", "楽譜"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_table->setModel(m_model);
    m_table->setItemDelegate(new NoteCellDelegate(m_table));
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::ContiguousSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setColumnWidth(ScoreTableModel::Number, 60);
    m_table->setColumnWidth(ScoreTableModel::Pitch, 60);
    m_table->setColumnWidth(ScoreTableModel::OctaveColumn, 70);
    m_table->setColumnWidth(ScoreTableModel::Length, 170);
    m_table->setColumnWidth(ScoreTableModel::ArticulationColumn, 110);
    m_table->setAccessibleName(QCoreApplication::translate("ScoreWindow", "音の一覧"));
    m_splitter->addWidget(m_staff);
    m_splitter->addWidget(m_table);
    m_splitter->setStretchFactor(0, 3);
    m_splitter->setStretchFactor(1, 2);
    m_splitter->setChildrenCollapsible(false);
    setCentralWidget(m_splitter);
    resize(620, 560);

    buildEditMenu();
    buildViewMenu();

    connect(m_table, &QTableView::doubleClicked, this, &ScoreWindow::takeSelectedNote);
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this, &ScoreWindow::updateActions);
    connect(&m_document, &ScoreDocument::scoreChanged, this, &ScoreWindow::refresh);
    connect(m_staff, &StaffView::noteClicked, this, &ScoreWindow::chooseOnStaff);
    connect(m_changes, &NoteChanges::said, this, &ScoreWindow::say);
    m_table->installEventFilter(this);
    m_staff->installEventFilter(this);
    m_staff->setMelody(m_document.melody());
    updateActions();
}

ScoreWindow::~ScoreWindow() = default;

void ScoreWindow::buildViewMenu()
{
    QMenu *view = menuBar()->addMenu(QCoreApplication::translate("ScoreWindow", "表示(&V)"));
    m_showStaff = view->addAction(QCoreApplication::translate("ScoreWindow", "五線譜(&S)"));
    m_showTable = view->addAction(QCoreApplication::translate("ScoreWindow", "一覧(&T)"));
    QSettings settings;
    for (auto [action, key] : {std::pair{m_showStaff, "score/showStaff"}, std::pair{m_showTable, "score/showTable"}}) {
        action->setCheckable(true);
        action->setChecked(settings.value(QLatin1String(key), true).toBool());
        connect(action, &QAction::toggled, this, [this, key](bool on) {
            QSettings().setValue(QLatin1String(key), on);
            showViews();
        });
    }
    view->addSeparator();
    QMenu *meter = view->addMenu(QCoreApplication::translate("ScoreWindow", "拍子(&M)"));
    m_meters = new QActionGroup(this);
    for (const auto &[text, beats] : {std::pair{QT_TRANSLATE_NOOP("ScoreWindow", "なし(&N)"), 0},
                                      std::pair{"4/4(&4)", 4}, std::pair{"3/4(&3)", 3}, std::pair{"2/4(&2)", 2}}) {
        QAction *action = meter->addAction(QCoreApplication::translate("ScoreWindow", text));
        action->setCheckable(true);
        action->setData(beats);
        m_meters->addAction(action);
        connect(action, &QAction::triggered, this, [this, beats] { m_document.changeMeter(beats); });
    }
    view->addSeparator();
    QAction *larger
        = view->addAction(QCoreApplication::translate("ScoreWindow", "拡大(&I)"), this, [this] { m_staff->zoom(1); });
    larger->setShortcuts({QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    QAction *smaller
        = view->addAction(QCoreApplication::translate("ScoreWindow", "縮小(&O)"), this, [this] { m_staff->zoom(-1); });
    smaller->setShortcut(QKeySequence::ZoomOut);
    QAction *usual = view->addAction(QCoreApplication::translate("ScoreWindow", "標準の大きさ(&Z)"), this,
                                     [this] { m_staff->zoom(0); });
    usual->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    showViews();
}

QList<QAction *> ScoreWindow::meterActions() const
{
    return m_meters->actions();
}

// Either view may be hidden, not both: the last one shown stays.
void ScoreWindow::showViews()
{
    m_showStaff->setEnabled(m_showTable->isChecked());
    m_showTable->setEnabled(m_showStaff->isChecked());
    m_staff->setVisible(m_showStaff->isChecked());
    m_table->setVisible(m_showTable->isChecked());
}

std::pair<int, int> ScoreWindow::selection() const
{
    const QModelIndexList rows = m_table->selectionModel()->selectedRows();
    if (rows.isEmpty())
        return {0, 0};
    int first = rows.front().row();
    int last = first;
    for (const QModelIndex &row : rows) {
        first = std::min(first, row.row());
        last = std::max(last, row.row());
    }
    return {first, last - first + 1};
}

void ScoreWindow::select(int first, int count)
{
    const int rows = m_model->rowCount();
    first = std::clamp(first, 0, std::max(rows - 1, 0));
    count = std::min(count, rows - first);
    m_table->clearSelection();
    if (rows == 0 || count <= 0)
        return;
    const QItemSelection range(m_model->index(first, 0),
                               m_model->index(first + count - 1, ScoreTableModel::ColumnCount - 1));
    m_table->selectionModel()->select(range, QItemSelectionModel::ClearAndSelect);
    m_table->selectionModel()->setCurrentIndex(m_model->index(first, 0), QItemSelectionModel::NoUpdate);
    m_table->scrollTo(m_model->index(first, 0));
    m_staff->ensureVisible(first);
}

void ScoreWindow::chooseOnStaff(int note, bool extend)
{
    if (!extend || selection().second == 0)
        m_anchor = note;
    const int first = std::min(m_anchor, note);
    select(first, std::abs(note - m_anchor) + 1);
}

// ← and → on the staff: the next note, or with Shift one more in the range.
void ScoreWindow::moveSelection(int by, bool extend)
{
    const auto [first, count] = selection();
    const int rows = m_model->rowCount();
    if (rows == 0)
        return;
    if (count == 0) {
        m_anchor = by > 0 ? 0 : rows - 1;
        select(m_anchor, 1);
        return;
    }
    const int end = m_anchor == first ? first + count - 1 : first; // the end that moves
    const int to = std::clamp(end + by, 0, rows - 1);
    if (!extend)
        m_anchor = to;
    select(std::min(m_anchor, to), std::abs(to - m_anchor) + 1);
}

// The model is read again; the selection stays where the user put it.
void ScoreWindow::refresh(const ScoreEditor::ScoreChange &change)
{
    const auto [first, count] = selection();
    const int lastInSight = m_table->lastRowInSight();
    if (change.kind == ScoreEditor::ScoreChange::Kind::Notes && lastInSight >= 0 && change.first > lastInSight)
        m_table->changedOutOfSight();
    m_model->apply(change);
    m_staff->changeMelody(m_document.melody(), change.kind == ScoreEditor::ScoreChange::Kind::Notes ? change.first : 0);
    // The rows chosen stay chosen; choosing them again would clear the choice
    // first, and both views would be drawn again for nothing.
    if (count == 0) {
        if (selection().second > 0)
            m_table->clearSelection();
    } else if (selection() != std::pair{first, count} || first + count > m_model->rowCount()) {
        select(first, count);
    } else {
        m_table->scrollTo(m_model->index(first, 0));
        m_staff->ensureVisible(first);
    }
    for (QAction *action : m_meters->actions())
        action->setChecked(action->data().toInt() == m_document.meter());
    updateActions();
}

void ScoreWindow::showPlaying(int note)
{
    m_staff->setPlaying(note);
    m_model->setPlaying(note);
    if (note >= 0 && note < m_model->rowCount())
        m_table->scrollTo(m_model->index(note, 0), QAbstractItemView::EnsureVisible);
}

void ScoreWindow::takeSelectedNote()
{
    const auto [first, count] = selection();
    if (count == 0)
        return;
    m_document.takeNote(first);
}

void ScoreWindow::updateActions()
{
    const auto [first, count] = selection();
    m_commands->updateEnabled();
    m_changes->setEnabled(count > 0);
    m_staff->setSelection(first, count);
    for (QAction *action : m_meters->actions())
        action->setChecked(action->data().toInt() == m_document.meter());
}

bool ScoreWindow::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == m_table || watched == m_staff) && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        // Enter on a note takes it into the composer, as a double-click does.
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            takeSelectedNote();
            return true;
        }
        if (watched == m_staff && (key->key() == Qt::Key_Left || key->key() == Qt::Key_Right)
            && !(key->modifiers() & ~Qt::ShiftModifier & ~Qt::KeypadModifier)) {
            moveSelection(key->key() == Qt::Key_Left ? -1 : 1, key->modifiers() & Qt::ShiftModifier);
            return true;
        }
        // The list keeps a list's keys (Page Up and Down, Home, End, typing to
        // find); the staff takes the composer's keys for the chosen notes.
        if (watched == m_staff && selection().second > 0 && m_changes->handleKey(*key))
            return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void ScoreWindow::say(const QString &text)
{
    statusBar()->showMessage(text);
}
