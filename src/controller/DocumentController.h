#pragma once

#include <QObject>

#include "base/MessageService.h"
#include "base/UserDialogs.h"
#include "controller/DialogPorts.h"
#include "controller/RecentFiles.h"
#include "editing/ScoreDocument.h"
#include "files/FileSystem.h"
#include "playback/MelodyPlayer.h"
#include "workflows/MelodyReader.h"
#include "workflows/Outputs.h"

// What the file commands use of the system; tests put doubles in place.
struct ControllerServices {
    MessageService &messages;
    UserDialogs &dialogs;
    FileSystem &programFolder; // where the finish button and Ctrl+E write musicN.nqc
    QString nqc = QStringLiteral("nqc"); // the program that sends to the RCX
};

// The composer's commands that ask the user something and then read or write
// a file: a new melody, open (from the dialog, a recent file, a drop or the
// command line), save, import, the outputs and the finish button. Each asks
// through the dialogs, works on the document and says what became of it in a
// box or in the status words. Nothing here draws: it needs no display.
class DocumentController : public QObject {
    Q_OBJECT

public:
    DocumentController(ScoreDocument &document, MelodyPlayer &player, ControllerServices services,
                       QObject *parent = nullptr);

    // 「新規作成」: the unsaved notes first, then a tempo, then an empty score.
    void newMelody();
    // 「開く」: the unsaved notes first, then a file from the dialog.
    void open();
    // A file the user named some other way: dropped, recent, on the command
    // line. Asks about unsaved notes first unless told not to. False, after
    // a box naming the file, when it is not opened.
    bool openFile(const QString &path, bool askAboutUnsavedNotes = true);
    // 「最近使ったファイル」: a file that has gone is said so and dropped.
    void openRecent(const QString &path);
    QStringList recentFiles() const { return m_recent.paths(); }

    bool save();
    bool saveAs();
    // Asks whether to save unsaved notes first; false when the user cancels.
    // onlyWithMelodyFile: only a user who keeps the melody in a file is asked.
    bool settleUnsavedWork(bool onlyWithMelodyFile = false);

    void importMidi();
    // Any output of the register (WAV, MIDI, the PDF, the other bricks'
    // programs …): asks for a file name, and for sheet music its title.
    void exportTo(const QString &id);
    // The program, as the finish button writes it, without ending.
    void writeProgram();
    // The finish button: the program written, and the end.
    void finish();
    // 「RCXに送る」: where to, then the program sent with its progress shown.
    void sendToRcx();

    // 「印刷」 and 「PDFに書き出す」: the melody as sheet music under a title
    // the user confirms (the melody's name to start with), in its meter.
    void print();
    void exportPdf() { exportTo(OutputId::Pdf); }

    void askTranspose();
    void askTempo();

signals:
    // Words for the status bar.
    void status(const QString &text);
    // The program was written, or the user quits without a score.
    void endRequested();

private:
    // The melody of a file through the one reader, the user asked for a
    // voice of a MIDI file with several; nothing, after a box, when refused.
    std::optional<MelodyRead> read(const QString &path, const QString &title, const QString &refusedWords,
                                   std::optional<MelodyKind> onlyKind);
    bool saveMelody(bool askName);
    std::optional<int> askNewTempo();
    // What the use cases' dialog ports need to know of this document now.
    DialogContext dialogContext();
    // The folder a file dialog opens in: the melody's own, or the current one.
    QString folder() const;
    void tellChanges(const QString &lead, const QStringList &changes, const QString &title);

    ScoreDocument &m_document;
    MelodyPlayer &m_player;
    ControllerServices m_services;
    RecentFiles m_recent;
    // Starts as the title the file gives its melody, if any.
    RememberedTitle m_scoreTitle;
};
