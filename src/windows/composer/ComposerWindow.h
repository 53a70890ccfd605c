#pragma once

#include <array>
#include <functional>
#include <memory>

#include <QMainWindow>

#include "editing/ScoreDocument.h"
#include "exports/ExportTargets.h"
#include "nqc/FileSystem.h"
#include "playback/SoundOutput.h"
#include "score/ScoreEditor.h"
#include "windows/composer/PlaybackStatus.h"

namespace Ui {
class ComposerWindow;
}
class ClickableLabel;
class UserDialogs;
class RecoveryJournal;
class QAbstractButton;
class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;

// What the composer window uses of the system; tests put doubles in place.
struct ComposerServices {
    MessageService &messages;
    FileSystem &files;
    UserDialogs &dialogs;
    std::function<std::unique_ptr<SoundOutput>()> makeSoundOutput;
    RecoveryJournal *journal = nullptr; // none: no record is kept
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
    QAction *openAction() const { return m_open; }
    QAction *saveAction() const { return m_save; }
    QAction *saveAsAction() const { return m_saveAs; }
    QAction *exportNqcAction() const { return m_exportNqc; }
    QAction *exportWavAction() const { return m_exportWav; }
    QAction *exportMidiAction() const { return m_exportMidi; }
    QAction *importMidiAction() const { return m_importMidi; }
    QAction *exportForBrickAction(ExportTarget target) const { return m_exportForBrick.at(std::size_t(target)); }
    QAction *playAllAction() const { return m_playAll; }
    QAction *playLastTenAction() const { return m_playLastTen; }
    QAction *stopAction() const { return m_stop; }
    QAction *keySoundsAction() const { return m_keySounds; }
    QAction *aboutAction() const { return m_about; }
    QAction *undoAction() const { return m_undo; }
    QAction *redoAction() const { return m_redo; }
    QAction *transposeAction() const { return m_transpose; }
    QAction *changeTempoAction() const { return m_changeTempo; }
    QAction *showScoreAction() const { return m_showScore; }
    QAction *keyListAction() const { return m_keyList; }
    QAction *guideAction() const { return m_guide; }
    // Where the user's guide is looked for.
    static QString guidePath();

    ScoreDocument &document() { return m_document; }
    // Plays the melody from a note on.
    void playFrom(int index);
    // A note of the score became the note being composed.
    void noteTaken();
    QLabel *statusLabel() const { return m_status; }
    QLabel *programSizeLabel() const { return m_size; }

    // Replaces the score and the tempo, as if the notes had been entered by hand.
    void loadScore(std::span<const NoteRecord> notes, int tempo, const QString &stepName = QStringLiteral("開く"));
    // Opens a melody file as the score, as if its notes had been entered by
    // hand at its tempo; false, after a box, when it cannot be read.
    bool openMelodyFile(const QString &path);
    // The melody file the score belongs to; empty until it has one.
    QString melodyFile() const { return m_melodyFile; }
    bool hasUnsavedChanges() const { return !m_document.undoStack().isClean(); }

protected:
    void closeEvent(QCloseEvent *event) override;

signals:
    void aboutRequested();
    void scoreWindowRequested();
    // The program was written, or the user quits without a score.
    void endRequested();

private:
    void createMenus();
    void createEditMenu();
    void askTranspose();
    void askTempo();
    void showKeyList();
    void showGuide();
    void keyPressEvent(QKeyEvent *event) override;
    void connectSelections();
    void connectCommands();
    using EditorCommand = std::function<void(ScoreEditor &)>;
    // A click runs an editor command; then the window draws the result.
    void onClick(QAbstractButton *button, const EditorCommand &command);
    void onClick(ClickableLabel *label, const EditorCommand &command);
    // The pitch key's click, from the mouse or the keyboard.
    void pressPitchKey(int pitch);
    void run(const EditorCommand &command);
    void finish();
    void draw();
    void showProgramSize();

    void playOrStop();
    void play(std::span<const NoteRecord> notes);
    void stopPlaying();
    void showPlaying(bool playing);
    void soundKey();
    void tellNoSound();
    void exportWav();
    // Files for other programs and bricks, and MIDI files brought in.
    void exportMidi();
    void importMidi();
    void createBrickExportMenu(QMenu *file);
    void exportForBrick(ExportTarget target);
    // Writes a file the user named, whole or not at all (an existing one is
    // replaced whole or not at all); false after a box saying it failed.
    bool writeUserFile(const QString &path, const QByteArray &bytes,
                       const QString &failed = QStringLiteral("書き込めませんでした"));
    void openFile();
    bool save();
    bool saveAs();
    bool saveTo(const QString &path);
    void exportNqc();
    // Asks whether to save unsaved notes first; false when the user cancels.
    bool settleUnsavedWork(bool onlyWithMelodyFile);
    void showTitle();
    void recordChange(ScoreEditor::ScoreChange change);

    std::unique_ptr<Ui::ComposerWindow> m_ui;
    QWidget *m_form;
    ComposerServices m_services;
    ScoreEditor m_editor;
    ScoreDocument m_document;

    std::unique_ptr<SoundOutput> m_melody;
    std::unique_ptr<SoundOutput> m_keySound;
    PlaybackStatus m_playbackStatus;
    bool m_toldNoSound = false;

    QAction *m_open = nullptr;
    QAction *m_save = nullptr;
    QAction *m_saveAs = nullptr;
    QAction *m_exportNqc = nullptr;
    QAction *m_exportWav = nullptr;
    QAction *m_exportMidi = nullptr;
    QAction *m_importMidi = nullptr;
    std::array<QAction *, 4> m_exportForBrick{};
    QString m_melodyFile;
    QAction *m_undo = nullptr;
    QAction *m_redo = nullptr;
    QAction *m_transpose = nullptr;
    QAction *m_changeTempo = nullptr;
    QAction *m_showScore = nullptr;
    QAction *m_keyList = nullptr;
    QAction *m_guide = nullptr;
    QAction *m_playAll = nullptr;
    QAction *m_playLastTen = nullptr;
    QAction *m_stop = nullptr;
    QAction *m_keySounds = nullptr;
    QAction *m_about = nullptr;
    QLabel *m_status = nullptr;
    QLabel *m_size = nullptr;
};
