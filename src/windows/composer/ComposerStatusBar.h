#pragma once

#include <span>

#include <QStatusBar>

#include "score/NoteRecord.h"

class QLabel;

// The composer's status bar: the words of the last command on the left; on
// the right the tempo and the number of notes, and how much of the RCX's
// program memory the program would take, in red once the brick cannot hold it.
class ComposerStatusBar : public QStatusBar {
    Q_OBJECT

public:
    explicit ComposerStatusBar(QWidget *parent = nullptr);

    QLabel *words() const { return m_words; }
    QLabel *melody() const { return m_melody; }
    QLabel *programSize() const { return m_size; }

    void say(const QString &text);
    void showMelody(int tempo, std::span<const NoteRecord> notes);
    // Whether the words are drawn whole, none of them cut or hidden.
    bool wordsShownWhole() const;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    bool wordsFit(int width) const;
    void makeRoom();

    QLabel *m_words;
    QLabel *m_melody;
    QLabel *m_size;
};
