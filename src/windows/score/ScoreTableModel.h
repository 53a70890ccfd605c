#pragma once

#include <vector>

#include <QAbstractTableModel>

#include "score/ScoreEditor.h"

// The score as a table: number, pitch, octave, length, articulation and the
// seconds from the start, one row a note. Rows are made only when the view
// asks for them, so a full score of 32767 notes shows at once.
class ScoreTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { Number, Pitch, OctaveColumn, Length, ArticulationColumn, Start, ColumnCount };

    explicit ScoreTableModel(const ScoreEditor &editor, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The score changed: everything is read again.
    void refresh();
    // The score changed as change says: only those rows are told, inserted
    // or removed, and the start times from the first of them on.
    void apply(const ScoreEditor::ScoreChange &change);
    // The row of the note sounding, drawn marked; -1 for none.
    void setPlaying(int row);

private:
    void recountStarts(int from);

    const ScoreEditor &m_editor;
    std::vector<qint64> m_startTicks;
    int m_playing = -1;
};
