#pragma once

#include <functional>
#include <utility>

#include <QObject>

#include "base/MessageService.h"
#include "editing/ScoreDocument.h"
#include "widgets/NoteKeys.h"

class QKeyEvent;
class QMenu;

// Changing one thing of the chosen notes, from the score window's menu or by
// the keys the composer uses for it: the pitch (a piano key; ↑ and ↓ a
// semitone on the staff), the octave (Page Up, Page Down), the length (the
// digits), the articulation (, . /) or a rest (0). Each is one step of the
// document's history and leaves the rest of each note as it was.
class NoteChanges : public QObject {
    Q_OBJECT

public:
    using Selection = std::function<std::pair<int, int>()>;
    NoteChanges(ScoreDocument &document, MessageService &messages, Selection selection, QObject *parent = nullptr);

    // 「選んだ音を変える」 with every change, the key of each beside it.
    QMenu *makeMenu(QWidget *parent);
    void setEnabled(bool enabled);

    // Does what the key asks of the chosen notes; false for a key that asks
    // nothing of them. semitoneArrows: ↑ and ↓ move the pitch (on the staff,
    // not in the table, where they move between rows).
    bool handleKey(const QKeyEvent &event, bool semitoneArrows);

    void apply(const NoteKeys::Action &action);
    void shiftPitch(int semitones);

private:
    ScoreDocument &m_document;
    MessageService &m_messages;
    Selection m_selection;
    QMenu *m_menu = nullptr;
};
