#pragma once

#include <functional>
#include <memory>

#include <QMainWindow>

#include "nqc/FileSystem.h"
#include "playback/SoundOutput.h"
#include "score/ScoreEditor.h"
#include "windows/composer/PlaybackStatus.h"

namespace Ui {
class ComposerWindow;
}
class ClickableLabel;
class FileChooser;
class QAbstractButton;
class QAction;
class QLabel;
class QPushButton;
class QRadioButton;

// What the composer window uses of the system; tests put doubles in place.
struct ComposerServices {
    MessageService &messages;
    FileSystem &files;
    FileChooser &fileChooser;
    std::function<std::unique_ptr<SoundOutput>()> makeSoundOutput;
};

// The composer window: the form with its 56 controls, a menu bar above it and
// a status bar below. Every click goes to the score editor; the window then
// draws what the editor says. Its state lives until the program ends or the
// window is closed, which discards the score.
class ComposerWindow : public QMainWindow {
    Q_OBJECT

public:
    ComposerWindow(int tempo, ComposerServices services, QWidget *parent = nullptr);
    ~ComposerWindow() override;

    const ScoreEditor &editor() const { return m_editor; }
    // Lets a test fill the score quickly before it goes on with clicks.
    ScoreEditor &editorForTesting() { return m_editor; }

    // The form, at its own size, below the menu bar.
    QWidget *form() const { return m_form; }

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

    // The menu commands.
    QAction *exportWavAction() const { return m_exportWav; }
    QAction *playAllAction() const { return m_playAll; }
    QAction *playLastTenAction() const { return m_playLastTen; }
    QAction *stopAction() const { return m_stop; }
    QAction *keySoundsAction() const { return m_keySounds; }
    QAction *aboutAction() const { return m_about; }
    QLabel *statusLabel() const { return m_status; }

signals:
    void aboutRequested();
    // The program was written, or the user quits without a score.
    void endRequested();

private:
    void createMenus();
    void connectSelections();
    void connectCommands();
    using EditorCommand = std::function<void(ScoreEditor &)>;
    // A click runs an editor command; then the window draws the result.
    void onClick(QAbstractButton *button, const EditorCommand &command);
    void onClick(ClickableLabel *label, const EditorCommand &command);
    void run(const EditorCommand &command);
    void finish();
    void draw();

    void playOrStop();
    void play(std::span<const NoteRecord> notes);
    void stopPlaying();
    void showPlaying(bool playing);
    void soundKey();
    void tellNoSound();
    void exportWav();

    std::unique_ptr<Ui::ComposerWindow> m_ui;
    QWidget *m_form;
    ComposerServices m_services;
    ScoreEditor m_editor;

    std::unique_ptr<SoundOutput> m_melody;
    std::unique_ptr<SoundOutput> m_keySound;
    PlaybackStatus m_playbackStatus;
    bool m_toldNoSound = false;

    QAction *m_exportWav = nullptr;
    QAction *m_playAll = nullptr;
    QAction *m_playLastTen = nullptr;
    QAction *m_stop = nullptr;
    QAction *m_keySounds = nullptr;
    QAction *m_about = nullptr;
    QLabel *m_status = nullptr;
};
