#include "windows/composer/ComposerWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QStatusBar>

#include "controller/ComposerCaptions.h"
#include "controller/EditMessages.h"
#include "journal/RecoveryJournal.h"
#include "ui_ComposerWindow.h"
#include "widgets/FormDesign.h"
#include "widgets/NoteKeys.h"
#include "windows/composer/ComposerStatusBar.h"
#include "windows/guide/GuideWindow.h"

namespace {

// The form's controls by what they mean. Members of the generated form class,
// so a control renamed in the form fails to compile here.
using Form = Ui::ComposerWindow;

constexpr std::array<ClickableLabel * Form::*, PitchCount> PitchKeys{
    &Form::Label1, &Form::Label2, &Form::Label3, &Form::Label4,  &Form::Label5,  &Form::Label6,
    &Form::Label7, &Form::Label8, &Form::Label9, &Form::Label10, &Form::Label11, &Form::Label12,
};

// In the order of Octave: lowest to highest.
constexpr std::array<QRadioButton * Form::*, AllOctaves.size()> OctaveOptions{
    &Form::Option7, &Form::Option4, &Form::Option5, &Form::Option6, &Form::Option8,
};

// In the order of Articulation: normal, staccato, slur or tie.
constexpr std::array<QRadioButton * Form::*, AllArticulations.size()> ArticulationOptions{
    &Form::Option1,
    &Form::Option2,
    &Form::Option3,
};

// In the order of NoteLength: whole to thirty-second, the four dotted lengths,
// the three triplets.
constexpr std::array<QPushButton * Form::*, NoteLengthCount> LengthButtons{
    &Form::Command101, &Form::Command102, &Form::Command103, &Form::Command104, &Form::Command105,
    &Form::Command106, &Form::Command111, &Form::Command112, &Form::Command113, &Form::Command114,
    &Form::Command121, &Form::Command122, &Form::Command123,
};

} // namespace

ComposerWindow::ComposerWindow(int tempo, ComposerServices services, QWidget *parent)
    : QMainWindow(parent)
    , m_ui(std::make_unique<Ui::ComposerWindow>())
    , m_form(new QWidget(this))
    , m_services(std::move(services))
    , m_session(std::make_unique<ComposingSession>(
          tempo,
          ComposingSession::Services{m_services.messages, m_services.dialogs, m_services.files,
                                     m_services.makeSoundOutput, m_services.journal}))
{
    m_ui->setupUi(m_form);
    const QSize formSize = m_form->size();
    m_form->setFixedSize(formSize);
    setCentralWidget(m_form);
    setObjectName(QStringLiteral("ComposerWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAcceptDrops(true);
    // A fixed window with a close box but no minimise or maximise box.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    applyFormDesign(m_form);
    m_statusBar = new ComposerStatusBar(this);
    setStatusBar(m_statusBar);
    m_commands = new CommandRegistry(this);
    createMenus();
    // The form keeps its size; the window grows by the menu and status bars.
    setFixedSize(formSize.width(),
                 formSize.height() + menuBar()->sizeHint().height()
                     + std::max(statusBar()->sizeHint().height(), statusBar()->minimumHeight()));

    ScoreDocument &doc = document();
    connect(&doc, &ScoreDocument::changed, this, &ComposerWindow::draw);
    connect(&doc, &ScoreDocument::fileChanged, this, &ComposerWindow::showTitle);
    connect(&controller(), &DocumentController::status, m_statusBar, &ComposerStatusBar::say);
    connect(&controller(), &DocumentController::endRequested, this, &ComposerWindow::endRequested);
    connect(&player(), &MelodyPlayer::playingChanged, this, &ComposerWindow::showPlaying);
    connect(&player(), &MelodyPlayer::progressed, m_statusBar,
            [this](int, const QString &status) { m_statusBar->say(status); });
    connect(&player(), &MelodyPlayer::nothingToPlay, m_statusBar, &ComposerStatusBar::say);
    connect(&player(), &MelodyPlayer::noSoundDevice, this, &ComposerWindow::tellNoSound);
    if (m_services.journal)
        m_services.journal->setFailureListener([this](const QString &folder, const QString &reason) {
            // Said after the edit that met it, not inside it.
            QMetaObject::invokeMethod(
                this, [this, folder, reason] { tellJournalFailing(folder, reason); }, Qt::QueuedConnection);
        });
    connectControls();
    nameControls();
    draw();
    showTitle();
    lengthButton(NoteLength::Whole)->setFocus();
}

ComposerWindow::~ComposerWindow()
{
    if (m_services.journal)
        m_services.journal->setFailureListener({});
}

void ComposerWindow::tellJournalFailing(const QString &folder, const QString &reason)
{
    const QString where = QDir::toNativeSeparators(folder);
    m_statusBar->say(QCoreApplication::translate("ComposerWindow", "作曲の記録を書けません：%1").arg(where));
    m_services.messages.show(Message::notice(
        QCoreApplication::translate("ComposerWindow",
                                    "作曲の記録（異常終了したときに復元するためのもの）をフォルダ「%1」に書けません"
                                    "（%2）。\n作曲は続けられます。書けるようになれば記録は自動で再開します。"
                                    "それまでは、こまめに保存してください。")
            .arg(where, reason),
        QCoreApplication::translate("ComposerWindow", "作曲の記録")));
}

ClickableLabel *ComposerWindow::pitchKey(int pitch) const
{
    return (*m_ui).*PitchKeys.at(static_cast<std::size_t>(pitch));
}

QRadioButton *ComposerWindow::octaveOption(Octave octave) const
{
    return (*m_ui).*OctaveOptions.at(static_cast<std::size_t>(octave));
}

QRadioButton *ComposerWindow::articulationOption(Articulation articulation) const
{
    return (*m_ui).*ArticulationOptions.at(static_cast<std::size_t>(articulation));
}

QPushButton *ComposerWindow::lengthButton(NoteLength length) const
{
    return (*m_ui).*LengthButtons.at(static_cast<std::size_t>(length));
}

QPushButton *ComposerWindow::confirmButton() const
{
    return m_ui->Command2;
}
QPushButton *ComposerWindow::restButton() const
{
    return m_ui->Command3;
}
QPushButton *ComposerWindow::clearButton() const
{
    return m_ui->Command4;
}
QPushButton *ComposerWindow::repeatButton() const
{
    return m_ui->Command6;
}
QPushButton *ComposerWindow::finishButton() const
{
    return m_ui->Command5;
}
QPushButton *ComposerWindow::aboutButton() const
{
    return m_ui->Command1;
}

QAction *ComposerWindow::exportForBrickAction(ExportTarget target) const
{
    for (const OutputFormat &format : outputFormats()) {
        if (format.brick == target)
            return exportAction(format.id);
    }
    return nullptr;
}

QLabel *ComposerWindow::statusLabel() const
{
    return m_statusBar->words();
}

QLabel *ComposerWindow::programSizeLabel() const
{
    return m_statusBar->programSize();
}

QLabel *ComposerWindow::melodyLabel() const
{
    return m_statusBar->melody();
}

// Only the user's clicks run a handler: QAbstractButton::clicked is not sent
// for the option buttons that draw() selects from the program.
void ComposerWindow::onClick(QAbstractButton *button, const std::function<void(ScoreDocument &)> &command)
{
    connect(button, &QAbstractButton::clicked, this, [this, command] { command(document()); });
}

void ComposerWindow::connectControls()
{
    for (int pitch = 0; pitch < PitchCount; ++pitch)
        connect(pitchKey(pitch), &ClickableLabel::clicked, this, [this, pitch] { pressPitchKey(pitch); });
    for (Octave octave : AllOctaves)
        onClick(octaveOption(octave), [octave](ScoreDocument &d) { d.chooseOctave(octave); });
    for (Articulation articulation : AllArticulations)
        onClick(articulationOption(articulation),
                [articulation](ScoreDocument &d) { d.chooseArticulation(articulation); });
    for (const NoteLengthEntry &entry : noteLengthTable()) {
        const NoteLength length = entry.length;
        onClick(lengthButton(length), [length](ScoreDocument &d) { d.chooseLength(length); });
    }
    onClick(confirmButton(), [this](ScoreDocument &d) { tellEdit(session().messages(), d.confirm()); });
    onClick(restButton(), [](ScoreDocument &d) { d.rest(); });
    onClick(clearButton(), [this](ScoreDocument &d) { tellEdit(session().messages(), d.clearPrevious()); });
    onClick(repeatButton(), [this](ScoreDocument &d) { tellEdit(session().messages(), d.repeatPrevious()); });
    connect(aboutButton(), &QPushButton::clicked, this, &ComposerWindow::aboutRequested);
    connect(finishButton(), &QPushButton::clicked, &controller(), &DocumentController::finish);
}

void ComposerWindow::pressPitchKey(int pitch)
{
    document().choosePitch(pitch);
    player().soundKey(editor().state().currentNote);
}

void ComposerWindow::draw()
{
    const ScoreEditor &shown = editor();
    m_ui->Label40->setText(descriptionCaption(shown));
    m_ui->Label16->setText(historyCaption(shown.state().notes()));
    octaveOption(shown.selectedOctave())->setChecked(true);
    articulationOption(shown.selectedArticulation())->setChecked(true);
    confirmButton()->setEnabled(shown.confirmEnabled());
    m_statusBar->showMelody(shown.tempo(), shown.state().notes());
}

// "作曲" until the melody has a file; then its name, and a mark while there
// are unsaved changes.
void ComposerWindow::showTitle()
{
    const QString name = document().fileName();
    if (name.isEmpty()) {
        setWindowTitle(m_form->windowTitle());
        return;
    }
    setWindowTitle(QStringLiteral("%1 - %2%3")
                       .arg(m_form->windowTitle(), name, document().isModified() ? QStringLiteral(" *") : QString()));
}

// Once a run: a user who hears nothing is told why, and not again at every click.
void ComposerWindow::tellNoSound()
{
    m_services.messages.show(
        Message::refusal(QCoreApplication::translate("ComposerWindow",
                                                     "音を出せる装置が見つかりません。\n"
                                                     "WAVファイルに書き出せば、曲を聞くことができます。\n"
                                                     "（「ファイル」→「WAVファイルに書き出す」）"),
                         QCoreApplication::translate("ComposerWindow", "再生できません")));
}

void ComposerWindow::closeEvent(QCloseEvent *event)
{
    if (!controller().settleUnsavedWork()) {
        event->ignore();
        return;
    }
    player().stop();
    if (m_services.journal)
        m_services.journal->discard(); // the user chose to end
    QMainWindow::closeEvent(event);
}

// A melody file, a program or a MIDI file dropped on the window opens.
void ComposerWindow::dragEnterEvent(QDragEnterEvent *event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() == 1 && urls.front().isLocalFile())
        event->acceptProposedAction();
}

void ComposerWindow::dropEvent(QDropEvent *event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile())
        return;
    event->acceptProposedAction();
    controller().openFile(urls.front().toLocalFile());
}

// A key does exactly what the click on the same control does.
void ComposerWindow::keyPressEvent(QKeyEvent *event)
{
    const std::optional<NoteKeys::Action> action = NoteKeys::actionFor(*event);
    if (!action) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    event->accept();
    if (const auto *key = std::get_if<NoteKeys::PitchKey>(&*action)) {
        pressPitchKey(key->pitch);
    } else if (const auto *length = std::get_if<NoteLength>(&*action)) {
        lengthButton(*length)->click();
    } else if (const auto *articulation = std::get_if<Articulation>(&*action)) {
        articulationOption(*articulation)->click();
    } else {
        const int octave = int(editor().selectedOctave());
        switch (std::get<NoteKeys::Command>(*action)) {
        case NoteKeys::Command::OctaveUp:
            if (octave < int(Octave::Highest))
                octaveOption(Octave(octave + 1))->click();
            break;
        case NoteKeys::Command::OctaveDown:
            if (octave > int(Octave::Lowest))
                octaveOption(Octave(octave - 1))->click();
            break;
        case NoteKeys::Command::Rest:
            restButton()->click();
            break;
        case NoteKeys::Command::Confirm:
            if (confirmButton()->isEnabled())
                confirmButton()->click();
            break;
        case NoteKeys::Command::Clear:
            clearButton()->click();
            break;
        }
    }
}

GuideWindow *ComposerWindow::guideWindow() const
{
    return m_guide.data();
}

void ComposerWindow::showGuide()
{
    if (!m_guide) {
        m_guide = new GuideWindow(this);
        m_guide->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_guide->show();
    m_guide->raise();
    m_guide->activateWindow();
}
