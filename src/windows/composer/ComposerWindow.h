#pragma once

#include <array>
#include <functional>
#include <memory>

#include <QMainWindow>
#include <QPointer>

#include "controller/ComposingSession.h"
#include "exports/ExportTargets.h"
#include "windows/composer/ComposerActions.h"

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

    // The menu commands.
    QAction *action(ComposerAction action) const { return m_actions.at(std::size_t(action)); }
    QAction *newAction() const { return action(ComposerAction::New); }
    QAction *openAction() const { return action(ComposerAction::Open); }
    QAction *saveAction() const { return action(ComposerAction::Save); }
    QAction *saveAsAction() const { return action(ComposerAction::SaveAs); }
    QAction *exportNqcAction() const { return action(ComposerAction::ExportNqc); }
    QAction *sendAction() const { return action(ComposerAction::SendToRcx); }
    QAction *exportWavAction() const { return action(ComposerAction::ExportWav); }
    QAction *exportMidiAction() const { return action(ComposerAction::ExportMidi); }
    QAction *importMidiAction() const { return action(ComposerAction::ImportMidi); }
    QAction *exportForBrickAction(ExportTarget target) const;
    QAction *playAllAction() const { return action(ComposerAction::PlayAll); }
    QAction *playLastTenAction() const { return action(ComposerAction::PlayLastTen); }
    QAction *stopAction() const { return action(ComposerAction::Stop); }
    QAction *keySoundsAction() const { return action(ComposerAction::KeySounds); }
    QAction *aboutAction() const { return action(ComposerAction::About); }
    QAction *undoAction() const { return action(ComposerAction::Undo); }
    QAction *redoAction() const { return action(ComposerAction::Redo); }
    QAction *transposeAction() const { return action(ComposerAction::Transpose); }
    QAction *changeTempoAction() const { return action(ComposerAction::ChangeTempo); }
    QAction *showScoreAction() const { return action(ComposerAction::ShowScore); }
    QAction *keyListAction() const { return action(ComposerAction::KeyList); }
    QAction *guideAction() const { return action(ComposerAction::Guide); }
    QAction *languageAction(const QString &code) const; // "ja", "en", or empty: the system's
    QMenu *recentFilesMenu() const { return m_recentFiles; }
    // The user's guide once 「使い方」 opened it.
    GuideWindow *guideWindow() const;

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
    std::function<void()> handlerFor(ComposerAction action);
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
    std::array<QAction *, ComposerActionCount> m_actions{};
    QMenu *m_recentFiles = nullptr;
    QMenu *m_languages = nullptr;
    QPointer<GuideWindow> m_guide;
};
