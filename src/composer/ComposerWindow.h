#pragma once

#include <functional>
#include <memory>

#include <QWidget>

#include "composer/ScoreEditor.h"
#include "writer/FileSystem.h"

namespace Ui {
class ComposerWindow;
}
class ClickableLabel;
class QAbstractButton;
class QRadioButton;

// The composer window. Every click goes to the score editor; the window then
// draws what the editor says. Its state lives until the program ends or the
// window is closed, which discards the score.
class ComposerWindow : public QWidget {
    Q_OBJECT

public:
    ComposerWindow(qint16 tempo, MessageService &messages, FileSystem &files, QWidget *parent = nullptr);
    ~ComposerWindow() override;

    const ScoreEditor &editor() const { return m_editor; }
    // Lets a test fill the score quickly before it goes on with clicks.
    ScoreEditor &editorForTesting() { return m_editor; }

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
    QRadioButton *octaveButton(Octave octave) const;
    QRadioButton *articulationButton(Articulation articulation) const;

    std::unique_ptr<Ui::ComposerWindow> m_ui;
    MessageService &m_messages;
    FileSystem &m_files;
    ScoreEditor m_editor;
};
