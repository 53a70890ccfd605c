#include "app/ZepaApplication.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "base/ProgramInfo.h"
#include "cli/CommandLine.h"
#include "files/PosixFileSystem.h"
#include "playback/SpeakerOutput.h"
#include "score/Melody.h"
#include "sysinfo/PlatformSysInfo.h"
#include "widgets/AppFonts.h"
#include "widgets/AppIcon.h"
#include "widgets/ClickableLabel.h"
#include "widgets/QtMessageService.h"
#include "widgets/QtUserDialogs.h"
#include "widgets/WindowPlacement.h"
#include "windows/about/AboutWindow.h"
#include "windows/composer/ComposerWindow.h"
#include "windows/tempo/TempoWindow.h"

ZepaApplication::ZepaApplication(ZepaServices services)
    : m_services(std::move(services))
    , m_sysInfo(m_services.registry, m_services.fileProbe, m_services.launcher, m_services.messages)
{ }

ZepaApplication::~ZepaApplication()
{
    delete m_scoreWindow;
    delete m_aboutWindow;
    delete m_composerWindow;
    delete m_tempoWindow;
}

void ZepaApplication::configure(QApplication &application)
{
    application.setApplicationName(QStringLiteral("ZEPA"));
    application.setOrganizationName(QStringLiteral("ZEPA")); // settings in ~/.config/ZEPA/ZEPA.conf
    application.setApplicationVersion(ApplicationVersion);
    application.setStyle(QStringLiteral("Fusion"));
    application.setWindowIcon(AppIcon::icon());
    AppFonts::install();
    ClickableLabel::installAccessibility();
}

void ZepaApplication::start()
{
    if (!m_services.journalFolder.isEmpty())
        m_journal = std::make_unique<RecoveryJournal>(m_services.journalFolder);
    if (offerRecovery())
        return;
    showTempoWindow();
}

void ZepaApplication::showTempoWindow()
{
    m_tempoWindow = new TempoWindow(m_services.messages);
    connect(m_tempoWindow, &TempoWindow::tempoAccepted, this, &ZepaApplication::startComposing);
    connect(m_tempoWindow, &TempoWindow::endRequested, this, &ZepaApplication::endProgram);
    m_tempoWindow->show();
}

void ZepaApplication::startWithMelodyFile(const QString &path)
{
    if (!m_services.journalFolder.isEmpty())
        m_journal = std::make_unique<RecoveryJournal>(m_services.journalFolder);
    openComposer(Melody::DefaultTempo);
    if (m_composerWindow->controller().openFile(path, false))
        return;
    m_composerWindow->hide();
    m_composerWindow->deleteLater();
    showTempoWindow();
}

void ZepaApplication::startComposing(qint16 tempo)
{
    // The tempo window goes only once the composer window is shown.
    openComposer(tempo);
    m_tempoWindow->close();
}

void ZepaApplication::openComposer(int tempo)
{
    m_tempo = tempo;
    m_composerWindow = new ComposerWindow(
        m_tempo,
        {m_services.messages, m_services.files, m_services.dialogs, m_services.makeSoundOutput, m_journal.get()});
    connect(m_composerWindow, &ComposerWindow::aboutRequested, this, &ZepaApplication::showAbout);
    connect(m_composerWindow, &ComposerWindow::scoreWindowRequested, this, &ZepaApplication::showScore);
    connect(m_composerWindow, &ComposerWindow::endRequested, this, &ZepaApplication::endProgram);
    m_composerWindow->show();
}

bool ZepaApplication::offerRecovery()
{
    if (!m_journal)
        return false;
    const std::optional<RecoveryJournal::Recovered> recovered
        = RecoveryJournal::findAbandoned(m_services.journalFolder);
    if (!recovered)
        return false;
    if (!recovered->readable) {
        const QString kept = RecoveryJournal::setAside(*recovered);
        m_services.messages.show(Message::refusal(
            QCoreApplication::translate(
                "ZepaApplication",
                "前回の作曲の記録「%1」には、ZEPAが書いたものではないところがあるので、復元できません。\n"
                "消さずに「%2」として残しました。")
                .arg(QDir::toNativeSeparators(recovered->path), QDir::toNativeSeparators(kept)),
            QCoreApplication::translate("ZepaApplication", "復元")));
        return false;
    }
    const JournalDocument &kept = recovered->document;
    const QString file = kept.melodyFile.isEmpty() ? kept.sourceFile : kept.melodyFile;
    const QString name = file.isEmpty()
        ? QCoreApplication::translate("ZepaApplication", "名前のない曲")
        : QCoreApplication::translate("ZepaApplication", "「%1」").arg(QFileInfo(file).fileName());
    const MessageAnswer answer = m_services.messages.show(Message::yesNo(
        QCoreApplication::translate("ZepaApplication", "前回の作曲を復元しますか？\n%1、%n音（%2に記録）", nullptr,
                                    int(kept.notes.size()))
            .arg(name, recovered->written.toString(QStringLiteral("yyyy/MM/dd HH:mm"))),
        QCoreApplication::translate("ZepaApplication", "復元")));
    if (answer != MessageAnswer::Yes) {
        RecoveryJournal::remove(*recovered);
        return false;
    }
    openComposer(kept.tempo);
    m_composerWindow->document().restore(Melody{kept.tempo, kept.notes, kept.meter}, kept.melodyFile, kept.sourceFile,
                                         kept.unsaved);
    // Only once this program's own journal holds the melody does the old one go.
    RecoveryJournal::remove(*recovered);
    return true;
}

void ZepaApplication::showAbout()
{
    // One about window at a time: while it is open it only comes to the front.
    if (m_aboutWindow) {
        m_aboutWindow->raise();
        m_aboutWindow->activateWindow();
        return;
    }
    m_aboutWindow = new AboutWindow(m_sysInfo);
    m_aboutWindow->show();
    m_aboutWindow->activateWindow(); // some window managers leave a tool window unfocused
}

void ZepaApplication::showScore()
{
    // One score window at a time, beside the composer, not modal.
    if (m_scoreWindow) {
        m_scoreWindow->raise();
        m_scoreWindow->activateWindow();
        return;
    }
    ComposerWindow *composer = m_composerWindow;
    m_scoreWindow = new ScoreWindow(composer->document(), composer->session().messages());
    connect(m_scoreWindow, &ScoreWindow::playFrom, composer,
            [composer](int index) { composer->player().play(composer->editor().state().notes(), index); });
    connect(composer, &QObject::destroyed, m_scoreWindow, &QWidget::close);
    // The note sounding is marked while the melody plays, from either window.
    ScoreWindow *score = m_scoreWindow;
    connect(&composer->player(), &MelodyPlayer::progressed, score, [score](int note) { score->showPlaying(note); });
    connect(&composer->player(), &MelodyPlayer::playingChanged, score, [score](bool playing) {
        if (!playing)
            score->showPlaying(-1);
    });
    showBeside(m_scoreWindow, composer, m_scoreWindow->size());
    m_scoreWindow->activateWindow();
}

void ZepaApplication::endProgram()
{
    if (m_journal)
        m_journal->discard(); // a normal end: nothing to recover

    for (QWidget *window : {static_cast<QWidget *>(m_aboutWindow), static_cast<QWidget *>(m_scoreWindow),
                            static_cast<QWidget *>(m_composerWindow), static_cast<QWidget *>(m_tempoWindow)}) {
        if (window) {
            window->hide();
            window->deleteLater();
        }
    }
    m_services.quit();
}

int runWindows(int argc, char *argv[], const UiLanguages::LanguageOption &language)
{
    QApplication application(argc, argv);
    ZepaApplication::configure(application);
    if (!installChosenLanguage(language))
        return ExitStatus::UsageError;

    QtMessageService messages;
    PosixFileSystem files; // the current folder, by its path at start
    files.removeAbandonedFiles();
    PlainFileProbe fileProbe;
    DetachedLauncher launcher;
    QtUserDialogs dialogs;
    ZepaApplication zepa({messages, files, systemRegistry(), fileProbe, launcher, dialogs,
                          [] { return std::make_unique<SpeakerOutput>(); }, [] { QCoreApplication::exit(0); },
                          QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)});
    // A normal end leaves no journal; a kill or crash does.
    QObject::connect(&application, &QCoreApplication::aboutToQuit, &zepa, &ZepaApplication::endProgram);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 2)
        zepa.startWithMelodyFile(arguments[1]);
    else
        zepa.start();
    return application.exec();
}
