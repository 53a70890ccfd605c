#pragma once

#include <array>
#include <functional>
#include <memory>

#include <QMainWindow>
#include <QPointer>

#include "controller/ComposingSession.h"
#include "exports/ExportTargets.h"
#include "widgets/CommandRegistry.h"
#include "windows/composer/ComposerActions.h"
#include "workflows/Outputs.h"

namespace Ui {
class ComposerWindow;
}
class ClickableLabel;
class ComposerStatusBar;
class GuideWindow;
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
// a status bar below. A click or a key goes to the composing session's
// document, player or file commands; the window then draws what the document
// says. Closing the window ends the session.
class ComposerWindow : public QMainWindow {
    Q_OBJECT

public:
    ComposerWindow(int tempo, ComposerServices services, QWidget *parent = nullptr);
    ~ComposerWindow() override;

    ComposingSession &session() { return *m_session; }
    ScoreDocument &document() { return m_session->document(); }
    const ScoreEditor &editor() const { return m_session->document().editor(); }
    MelodyPlayer &player() { return m_session->player(); }
    DocumentController &controller() { return m_session->controller(); }

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

    // The menu commands, by the names the table gives them.
    QAction *action(const QString &command) const { return m_commands->action(command); }
    const CommandRegistry &commands() const { return *m_commands; }
    QAction *newAction() const { return action(ComposerCommand::New); }
    QAction *openAction() const { return action(ComposerCommand::Open); }
    QAction *saveAction() const { return action(ComposerCommand::Save); }
    QAction *saveAsAction() const { return action(ComposerCommand::SaveAs); }
    QAction *exportAction(const QString &outputId) const { return action(exportCommand(outputId)); }
    QAction *exportNqcAction() const { return exportAction(OutputId::Nqc); }
    QAction *exportWavAction() const { return exportAction(OutputId::Wav); }
    QAction *exportMidiAction() const { return exportAction(OutputId::Midi); }
    QAction *sendAction() const { return action(ComposerCommand::SendToRcx); }
    QAction *printAction() const { return action(ComposerCommand::Print); }
    QAction *importMidiAction() const { return action(ComposerCommand::ImportMidi); }
    QAction *exportForBrickAction(ExportTarget target) const;
    QAction *playAllAction() const { return action(ComposerCommand::PlayAll); }
    QAction *playLastTenAction() const { return action(ComposerCommand::PlayLastTen); }
    QAction *stopAction() const { return action(ComposerCommand::Stop); }
    QAction *keySoundsAction() const { return action(ComposerCommand::KeySounds); }
    QAction *aboutAction() const { return action(ComposerCommand::About); }
    QAction *undoAction() const { return action(ComposerCommand::Undo); }
    QAction *redoAction() const { return action(ComposerCommand::Redo); }
    QAction *transposeAction() const { return action(ComposerCommand::Transpose); }
    QAction *changeTempoAction() const { return action(ComposerCommand::ChangeTempo); }
    QAction *showScoreAction() const { return action(ComposerCommand::ShowScore); }
    QAction *keyListAction() const { return action(ComposerCommand::KeyList); }
    QAction *guideAction() const { return action(ComposerCommand::Guide); }
    QAction *languageAction(const QString &code) const; // "ja", "en", or empty: the system's
    QMenu *recentFilesMenu() const { return m_recentFiles; }
    // The user's guide once 「使い方」 opened it.
    GuideWindow *guideWindow() const;

    ComposerStatusBar *composerStatusBar() const { return m_statusBar; }
    QLabel *statusLabel() const;
    QLabel *programSizeLabel() const;
    // The tempo and the number of notes beside the program's size.
    QLabel *melodyLabel() const;

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

signals:
    void aboutRequested();
    void scoreWindowRequested();
    // The program was written, or the user quits without a score.
    void endRequested();

private:
    void tellJournalFailing(const QString &folder, const QString &reason);
    // ComposerMenus.cpp: the menu bar built from the table of commands.
    void createMenus();
    std::vector<MenuCommand> commandTable();
    void fillRecentFiles();
    void showPlaying(bool playing);
    void showKeyList();
    void showGuide();
    void fillLanguages(QMenu *menu);
    void chooseLanguage(const QString &code);

    void connectControls();
    // ComposerAccessibility.cpp: what a screen reader says for each control.
    void nameControls();
    // A click runs a document command; the document's signal draws the result.
    void onClick(QAbstractButton *button, const std::function<void(ScoreDocument &)> &command);
    // The pitch key's click, from the mouse or the keyboard.
    void pressPitchKey(int pitch);
    void draw();
    void showTitle();
    void tellNoSound();

    std::unique_ptr<Ui::ComposerWindow> m_ui;
    QWidget *m_form;
    ComposerServices m_services;
    std::unique_ptr<ComposingSession> m_session;
    ComposerStatusBar *m_statusBar = nullptr;
    CommandRegistry *m_commands = nullptr;
    QMenu *m_recentFiles = nullptr;
    QMenu *m_languages = nullptr;
    QPointer<GuideWindow> m_guide;
};
