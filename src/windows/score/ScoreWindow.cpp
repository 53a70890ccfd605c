#include "windows/score/ScoreWindow.h"

#include <QAction>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenuBar>
#include <QTableView>
#include <QToolBar>

#include "widgets/UndoActions.h"
#include "windows/score/ScoreTableModel.h"

ScoreWindow::ScoreWindow(ScoreDocument &document, QWidget *parent)
    : QMainWindow(parent)
    , m_document(document)
    , m_model(new ScoreTableModel(document.editor(), this))
    , m_table(new QTableView(this))
{
    setObjectName(QStringLiteral("ScoreWindow"));
    setWindowTitle(QStringLiteral("楽譜"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_table->setModel(m_model);
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
    setCentralWidget(m_table);
    resize(620, 480);

    QMenu *edit = menuBar()->addMenu(QStringLiteral("編集(&E)"));
    QToolBar *tools = addToolBar(QStringLiteral("編集"));
    tools->setMovable(false);
    // The one history of the melody, as in the composer, with the same names.
    m_undo = edit->addAction(QStringLiteral("元に戻す(&U)"));
    m_undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    m_redo = edit->addAction(QStringLiteral("やり直し(&R)"));
    m_redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    followUndoStack(m_undo, m_redo, m_document.undoStack());
    edit->addSeparator();
    auto add = [&](const QString &text, const QKeySequence &key, auto slot) {
        QAction *action = edit->addAction(text, this, slot);
        action->setShortcut(key);
        tools->addAction(action);
        return action;
    };
    m_replace = add(QStringLiteral("置き換え(&C)"), QKeySequence(Qt::CTRL | Qt::Key_R), [this] {
        const auto [first, count] = selection();
        if (count > 0)
            m_document.replace(first, m_document.editor().state().currentNote);
    });
    m_insert = add(QStringLiteral("前に挿入(&I)"), QKeySequence(Qt::Key_Insert), [this] {
        const auto [first, count] = selection();
        m_document.insertBefore(count > 0 ? first : m_model->rowCount(), m_document.editor().state().currentNote);
    });
    m_delete = add(QStringLiteral("削除(&D)"), QKeySequence(Qt::Key_Delete), [this] {
        const auto [first, count] = selection();
        m_document.remove(first, count);
    });
    m_up = add(QStringLiteral("上へ(&A)"), QKeySequence(Qt::ALT | Qt::Key_Up), [this] {
        const auto [first, count] = selection();
        if (m_document.move(first, count, -1))
            select(first - 1, count);
    });
    m_down = add(QStringLiteral("下へ(&N)"), QKeySequence(Qt::ALT | Qt::Key_Down), [this] {
        const auto [first, count] = selection();
        if (m_document.move(first, count, 1))
            select(first + 1, count);
    });
    edit->addSeparator();
    tools->addSeparator();
    m_playFromHere = add(QStringLiteral("ここから再生(&P)"), QKeySequence(Qt::Key_F6), [this] {
        const auto [first, count] = selection();
        emit playFrom(count > 0 ? first : 0);
    });

    connect(m_table, &QTableView::doubleClicked, this, &ScoreWindow::takeSelectedNote);
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this, &ScoreWindow::updateActions);
    connect(&m_document, &ScoreDocument::scoreChanged, this, &ScoreWindow::refresh);
    m_table->installEventFilter(this);
    updateActions();
}

ScoreWindow::~ScoreWindow() = default;

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
}

// The model is read again; the selection stays where the user put it.
void ScoreWindow::refresh()
{
    const auto [first, count] = selection();
    m_model->refresh();
    select(first, std::max(count, 1));
    if (count == 0)
        m_table->clearSelection();
    updateActions();
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
    const bool selected = selection().second > 0;
    m_replace->setEnabled(selected);
    m_delete->setEnabled(selected);
    m_up->setEnabled(selected && selection().first > 0);
    m_down->setEnabled(selected && selection().first + selection().second < m_model->rowCount());
}

bool ScoreWindow::eventFilter(QObject *watched, QEvent *event)
{
    // Enter on a note takes it into the composer, as a double-click does.
    if (watched == m_table && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            takeSelectedNote();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
