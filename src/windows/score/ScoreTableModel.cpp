#include "windows/score/ScoreTableModel.h"

#include <QColor>
#include <QCoreApplication>

ScoreTableModel::ScoreTableModel(const ScoreEditor &editor, QObject *parent)
    : QAbstractTableModel(parent)
    , m_editor(editor)
{
    refresh();
}

void ScoreTableModel::refresh()
{
    beginResetModel();
    m_startTicks.clear();
    qint64 start = 0;
    for (const NoteRecord &note : m_editor.state().notes()) {
        m_startTicks.push_back(start);
        start += note.ticks;
    }
    endResetModel();
}

void ScoreTableModel::recountStarts(int from)
{
    const std::span<const NoteRecord> notes = m_editor.state().notes();
    m_startTicks.resize(notes.size());
    qint64 start = from > 0 ? m_startTicks[std::size_t(from - 1)] + notes[std::size_t(from - 1)].ticks : 0;
    for (std::size_t row = std::size_t(from); row < notes.size(); ++row) {
        m_startTicks[row] = start;
        start += notes[row].ticks;
    }
}

void ScoreTableModel::apply(const ScoreEditor::ScoreChange &change)
{
    using Kind = ScoreEditor::ScoreChange::Kind;
    const int rows = rowCount();
    if (change.kind == Kind::Everything || change.first + change.removed > rows) {
        refresh();
        return;
    }
    if (change.kind == Kind::Tempo) {
        recountStarts(0);
        if (rows > 0)
            emit dataChanged(index(0, Start), index(rows - 1, Start), {Qt::DisplayRole});
        return;
    }
    if (change.removed == 0 && change.inserted == 0)
        return; // the meter alone: the list shows none
    const int kept = std::min(change.removed, change.inserted);
    // Rows beyond the ones kept go or come; the views are told before the
    // model's own count changes.
    if (change.removed > kept) {
        beginRemoveRows({}, change.first + kept, change.first + change.removed - 1);
        m_startTicks.erase(m_startTicks.begin() + change.first + kept,
                           m_startTicks.begin() + change.first + change.removed);
        endRemoveRows();
    } else if (change.inserted > kept) {
        beginInsertRows({}, change.first + kept, change.first + change.inserted - 1);
        m_startTicks.insert(m_startTicks.begin() + change.first + kept, std::size_t(change.inserted - kept), 0);
        endInsertRows();
    }
    recountStarts(change.first);
    if (kept > 0)
        emit dataChanged(index(change.first, 0), index(change.first + kept - 1, ColumnCount - 1));
    // Later notes may start earlier or later: one word for their column.
    if (const int after = change.first + change.inserted; after < rowCount())
        emit dataChanged(index(after, Start), index(rowCount() - 1, Start), {Qt::DisplayRole});
}

void ScoreTableModel::setPlaying(int row)
{
    const int old = m_playing;
    m_playing = row;
    for (int changed : {old, row}) {
        if (changed >= 0 && changed < rowCount())
            emit dataChanged(index(changed, 0), index(changed, ColumnCount - 1), {Qt::BackgroundRole});
    }
}

int ScoreTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_startTicks.size());
}

int ScoreTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ScoreTableModel::data(const QModelIndex &index, int role) const
{
    // The editor's score may already be longer or shorter than the rows the
    // views know, between its change and the model's word of it.
    if (!index.isValid() || index.row() >= int(m_startTicks.size()) || index.row() >= m_editor.state().noteTotal())
        return {};
    const NoteRecord &note = m_editor.state().notes()[std::size_t(index.row())];
    if (role == Qt::TextAlignmentRole)
        return index.column() == Number || index.column() == Start ? int(Qt::AlignRight | Qt::AlignVCenter)
                                                                   : int(Qt::AlignLeft | Qt::AlignVCenter);
    if (role == Qt::BackgroundRole && index.row() == m_playing)
        return QColor(0xff, 0xd5, 0x80); // as the staff marks it
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case Number:
        return index.row() + 1;
    case Pitch:
        return pitchText(note);
    case OctaveColumn:
        return note.isRest() ? QString() : octaveText(note.octave).mid(1).chopped(1);
    case Length:
        return lengthText(note.length).mid(1).trimmed();
    case ArticulationColumn:
        return note.isRest() ? QString() : articulationText(note.articulation).mid(1).trimmed();
    case Start:
        return QString::number(double(m_startTicks[std::size_t(index.row())]) / 100, 'f', 2);
    default:
        return {};
    }
}

QVariant ScoreTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case Number:
        return QCoreApplication::translate("ScoreTableModel", "番号");
    case Pitch:
        return QCoreApplication::translate("ScoreTableModel", "音");
    case OctaveColumn:
        return QCoreApplication::translate("ScoreTableModel", "高さ");
    case Length:
        return QCoreApplication::translate("ScoreTableModel", "長さ");
    case ArticulationColumn:
        return QCoreApplication::translate("ScoreTableModel", "音間");
    case Start:
        return QCoreApplication::translate("ScoreTableModel", "開始（秒）");
    default:
        return {};
    }
}
