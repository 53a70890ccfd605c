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
    if (!index.isValid() || index.row() >= int(m_startTicks.size()))
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
        return lengthText(note.length).mid(1);
    case ArticulationColumn:
        return note.isRest() ? QString() : articulationText(note.articulation).mid(1);
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
