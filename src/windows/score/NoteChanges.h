#pragma once

#include <functional>
#include <utility>

#include <QKeySequence>
#include <QObject>

#include "base/MessageService.h"
#include "editing/ScoreDocument.h"
#include "widgets/NoteKeys.h"

class QKeyEvent;
class QMenu;

// Changing one thing of the chosen notes, from the score window's menu or, on
// the staff, by the keys the composer uses for it: the pitch (a piano key; ↑
// and ↓ a semitone), the length (the digits), the articulation (, . /) or a
// rest (0). The octave moves with Alt+Page Up and Alt+Page Down anywhere in
// the window: Page Up and Page Down scroll, as in every list. Each is one step
// of the document's history and says what it did.
class NoteChanges : public QObject {
    Q_OBJECT

public:
    using Selection = std::function<std::pair<int, int>()>;
    NoteChanges(ScoreDocument &document, MessageService &messages, Selection selection, QObject *parent = nullptr);

    // 「選んだ音を変える」 with every change, the key of each beside it.
    QMenu *makeMenu(QWidget *parent);
    void setEnabled(bool enabled);

    // Does what a key on the staff asks of the chosen notes; false for a key
    // that asks nothing of them.
    bool handleKey(const QKeyEvent &event);

    void apply(const NoteKeys::Action &action);
    void shiftPitch(int semitones);
    void shiftOctave(int octaves);

signals:
    // What a change did, for the status bar: "3 音を1オクターブ上げました".
    void said(const QString &text);

private:
    // Up (steps > 0) or down, by semitones or octaves, and says so.
    void shift(int steps, bool byOctaves);

    ScoreDocument &m_document;
    MessageService &m_messages;
    Selection m_selection;
    QMenu *m_menu = nullptr;
};
