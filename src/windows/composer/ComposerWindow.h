#pragma once

#include <functional>
#include <memory>

#include <QWidget>

#include "nqc/FileSystem.h"
#include "score/ScoreEditor.h"

namespace Ui {
class ComposerWindow;
}
class ClickableLabel;
class QAbstractButton;
class QPushButton;
class QRadioButton;

// The composer window. Every click goes to the score editor; the window then
// draws what the editor says. Its state lives until the program ends or the
// window is closed, which discards the score.
class ComposerWindow : public QWidget {
    Q_OBJECT

public:
    ComposerWindow(int tempo, MessageService &messages, FileSystem &files, QWidget *parent = nullptr);
    ~ComposerWindow() override;

    const ScoreEditor &editor() const { return m_editor; }
    // Lets a test fill the score quickly before it goes on with clicks.
    ScoreEditor &editorForTesting() { return m_editor; }

    // The controls by what they mean.
    ClickableLabel *pitchKey(int pitch) const;
    QRadioButton *octaveOption(Octave octave) const;
    QRadioButton *articulationOption(Articulation articulation) const;
    QPushButton *lengthButton(NoteLength length) const;
    QPushButton *confirmButton() const;
    QPushButton *restButton() const;
    QPushButton *clearButton() const;
    QPushButton *repeatButton() const;
    QPushButton *finishButton() const;
    QPushButton *aboutButton() const;

signals:
    void aboutRequested();
    // The program was written, or the user quits without a score.
    void endRequested();

private:
    void connectSelections();
    void connectCommands();
    using EditorCommand = std::function<void(ScoreEditor &)>;
    // A click runs an editor command; then the window draws the result.
    void onClick(QAbstractButton *button, const EditorCommand &command);
    void onClick(ClickableLabel *label, const EditorCommand &command);
    void run(const EditorCommand &command);
    void finish();
    void draw();

    std::unique_ptr<Ui::ComposerWindow> m_ui;
    MessageService &m_messages;
    FileSystem &m_files;
    ScoreEditor m_editor;
};
