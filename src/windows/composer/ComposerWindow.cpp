#include "windows/composer/ComposerWindow.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QProgressDialog>
#include <QSettings>
#include <QStatusBar>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QKeyEvent>
#include <QUndoStack>

#include "base/SystemReasons.h"
#include "journal/RecoveryJournal.h"
#include "mml/MmlReader.h"
#include "mml/MmlWriter.h"
#include "nqc/FinishCommand.h"
#include "nqc/ProgramSize.h"
#include "score/TempoReader.h"
#include "sound/SoundRenderer.h"
#include "sound/WavFile.h"
#include "ui_ComposerWindow.h"
#include "widgets/FormDesign.h"
#include "widgets/UserDialogs.h"
#include "windows/composer/NoteKeys.h"

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
    , m_editor(tempo, m_services.messages)
    , m_document(m_editor, m_services.messages)
    , m_melody(m_services.makeSoundOutput())
    , m_keySound(m_services.makeSoundOutput())
{
    m_ui->setupUi(m_form);
    const QSize formSize = m_form->size();
    m_form->setFixedSize(formSize);
    setCentralWidget(m_form);
    setWindowTitle(m_form->windowTitle());
    setObjectName(QStringLiteral("ComposerWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    // A fixed window with a close box but no minimise or maximise box.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    applyFormDesign(m_form);
    m_status = new QLabel(this);
    statusBar()->addWidget(m_status, 1);
    m_size = new QLabel(this);
    m_size->setContentsMargins(0, 0, 6, 0); // clear of the window edge
    statusBar()->addPermanentWidget(m_size);
    statusBar()->setSizeGripEnabled(false);
    createMenus();
    // The form keeps its size; the window grows by the menu and status bars.
    setFixedSize(formSize.width(),
                 formSize.height() + menuBar()->sizeHint().height() + statusBar()->sizeHint().height());

    m_editor.setChangeListener([this] { draw(); });
    m_editor.setScoreListener([this](ScoreEditor::ScoreChange change) { recordChange(change); });
    if (m_services.journal)
        m_services.journal->start(tempo, m_editor.state().notes());
    connectSelections();
    connectCommands();
    connect(m_melody.get(), &SoundOutput::progressed, this,
            [this](qint64 heard, qint64 total) { m_status->setText(m_playbackStatus.text(heard, total)); });
    connect(m_melody.get(), &SoundOutput::finished, this, [this] { showPlaying(false); });
    connect(m_melody.get(), &SoundOutput::failed, this, [this] {
        showPlaying(false);
        tellNoSound();
    });
    draw();
    lengthButton(NoteLength::Whole)->setFocus();
}

ComposerWindow::~ComposerWindow() = default;

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

// Only the user's clicks run a handler: QAbstractButton::clicked is not sent
// for the option buttons that draw() selects from the program.
void ComposerWindow::onClick(QAbstractButton *button, const EditorCommand &command)
{
    connect(button, &QAbstractButton::clicked, this, [this, command] { run(command); });
}

void ComposerWindow::onClick(ClickableLabel *label, const EditorCommand &command)
{
    connect(label, &ClickableLabel::clicked, this, [this, command] { run(command); });
}

void ComposerWindow::run(const EditorCommand &command)
{
    command(m_editor);
    draw();
}

void ComposerWindow::connectSelections()
{
    for (int pitch = 0; pitch < PitchCount; ++pitch)
        connect(pitchKey(pitch), &ClickableLabel::clicked, this, [this, pitch] { pressPitchKey(pitch); });
    for (Octave octave : AllOctaves)
        onClick(octaveOption(octave), [octave](ScoreEditor &e) { e.chooseOctave(octave); });
    for (Articulation articulation : AllArticulations)
        onClick(articulationOption(articulation),
                [articulation](ScoreEditor &e) { e.chooseArticulation(articulation); });
    for (const NoteLengthEntry &entry : noteLengthTable()) {
        const NoteLength length = entry.length;
        onClick(lengthButton(length), [length](ScoreEditor &e) { e.chooseLength(length); });
    }
}

void ComposerWindow::pressPitchKey(int pitch)
{
    run([pitch](ScoreEditor &e) { e.choosePitch(pitch); });
    soundKey();
}

void ComposerWindow::connectCommands()
{
    onClick(confirmButton(), [this](ScoreEditor &) { m_document.confirm(); });
    onClick(restButton(), [](ScoreEditor &e) { e.rest(); });
    onClick(clearButton(), [this](ScoreEditor &) { m_document.clearPrevious(); });
    onClick(repeatButton(), [](ScoreEditor &e) { e.repeatPrevious(); });
    connect(aboutButton(), &QPushButton::clicked, this, &ComposerWindow::aboutRequested);
    connect(finishButton(), &QPushButton::clicked, this, &ComposerWindow::finish);
}

void ComposerWindow::finish()
{
    // A user who uses melody files is asked about unsaved changes first; one
    // who never did sees the boxes the finish button always showed.
    if (!settleUnsavedWork(true))
        return;
    if (finishComposing(m_editor.state(), m_services.messages, m_services.files) == FinishResult::EndProgram)
        emit endRequested();
}

void ComposerWindow::draw()
{
    m_ui->Label40->setText(m_editor.descriptionCaption());
    m_ui->Label16->setText(m_editor.historyCaption());
    octaveOption(m_editor.selectedOctave())->setChecked(true);
    articulationOption(m_editor.selectedArticulation())->setChecked(true);
    confirmButton()->setEnabled(m_editor.confirmEnabled());
    showProgramSize();
}

// How much of the RCX's program memory the written program would take; red,
// and said, once it is more than the brick holds.
void ComposerWindow::showProgramSize()
{
    const qint64 bytes = ProgramSize::bytes(m_editor.state().notes());
    const bool tooLarge = bytes > ProgramSize::RcxProgramMemory;
    m_size->setText(QStringLiteral("%1 / %2 バイト").arg(bytes).arg(ProgramSize::RcxProgramMemory));
    m_size->setStyleSheet(tooLarge ? QStringLiteral("color: #c00000; font-weight: bold;") : QString());
    // The narrow window says it beside the size while nothing else is said there.
    static const QString TooLargeWords = QStringLiteral("RCXに入りきりません");
    if (tooLarge && m_status->text().isEmpty())
        m_status->setText(TooLargeWords);
    else if (!tooLarge && m_status->text() == TooLargeWords)
        m_status->clear();
    m_size->setToolTip(QStringLiteral("書き出すNQCプログラムの大きさ（RCXのプログラム用メモリは約6KB）"));
}

void ComposerWindow::createMenus()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    m_open = file->addAction(QStringLiteral("開く(&O)..."), this, &ComposerWindow::openFile);
    m_open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    m_importMidi = file->addAction(QStringLiteral("MIDIファイルを取り込む(&I)..."), this, &ComposerWindow::importMidi);
    m_importMidi->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    m_save = file->addAction(QStringLiteral("上書き保存(&S)"), this, &ComposerWindow::save);
    m_save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    m_saveAs = file->addAction(QStringLiteral("名前を付けて保存(&A)..."), this, &ComposerWindow::saveAs);
    m_saveAs->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    file->addSeparator();
    m_exportNqc = file->addAction(QStringLiteral("NQCプログラムを書き出す(&N)"), this, &ComposerWindow::exportNqc);
    m_exportNqc->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    m_exportWav = file->addAction(QStringLiteral("WAVファイルに書き出す(&W)..."), this, &ComposerWindow::exportWav);
    m_exportMidi = file->addAction(QStringLiteral("MIDIファイルに書き出す(&M)..."), this, &ComposerWindow::exportMidi);
    createBrickExportMenu(file);

    createEditMenu();

    QMenu *playback = menuBar()->addMenu(QStringLiteral("再生(&P)"));
    m_playAll = playback->addAction(QStringLiteral("最初から再生(&S)"), this, &ComposerWindow::playOrStop);
    m_playLastTen = playback->addAction(QStringLiteral("最後の１０音を再生(&L)"), this, [this] {
        const std::span<const NoteRecord> notes = m_editor.state().notes();
        play(notes.subspan(notes.size() - std::min<std::size_t>(notes.size(), 10)));
    });
    m_playLastTen->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F5));
    m_stop = playback->addAction(QStringLiteral("停止(&T)"), this, &ComposerWindow::stopPlaying);
    playback->addSeparator();
    m_keySounds = playback->addAction(QStringLiteral("鍵盤の音を鳴らす(&K)"));
    m_keySounds->setCheckable(true);
    m_keySounds->setChecked(QSettings().value(QStringLiteral("sound/keySounds"), true).toBool());
    connect(m_keySounds, &QAction::toggled, this,
            [](bool on) { QSettings().setValue(QStringLiteral("sound/keySounds"), on); });

    QMenu *help = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    m_guide = help->addAction(QStringLiteral("使い方(&R)"), this, &ComposerWindow::showGuide);
    m_keyList = help->addAction(QStringLiteral("キー操作(&K)"), this, &ComposerWindow::showKeyList);
    m_about = help->addAction(QStringLiteral("ZEPAについて(&A)"), this, &ComposerWindow::aboutRequested);
    showPlaying(false);
}

// F5 starts the melody and, while it plays, stops it: the shortcut moves to
// the command it does now, so the menu shows it beside that one.
void ComposerWindow::showPlaying(bool playing)
{
    m_playAll->setShortcut(playing ? QKeySequence() : QKeySequence(Qt::Key_F5));
    m_stop->setShortcut(playing ? QKeySequence(Qt::Key_F5) : QKeySequence());
    m_stop->setEnabled(playing);
    if (!playing)
        m_status->clear();
}

void ComposerWindow::playOrStop()
{
    if (m_melody->isPlaying())
        stopPlaying();
    else
        play(m_editor.state().notes());
}

void ComposerWindow::play(std::span<const NoteRecord> notes)
{
    m_melody->stop();
    if (notes.empty()) {
        m_status->setText(QStringLiteral("再生する音がありません"));
        return;
    }
    // The output keeps its own copy: composing goes on while it plays.
    m_playbackStatus = PlaybackStatus(notes);
    if (!m_melody->play(brickEvents(notes))) {
        showPlaying(false);
        tellNoSound();
        return;
    }
    showPlaying(true);
    m_status->setText(m_playbackStatus.text(0, 0));
}

void ComposerWindow::stopPlaying()
{
    m_melody->stop();
    showPlaying(false);
}

// A click on a key sounds that pitch in the chosen octave for the chosen
// length, at most a second; a new click cuts the sound before it.
void ComposerWindow::soundKey()
{
    if (!m_keySounds->isChecked())
        return;
    NoteRecord key = m_editor.state().currentNote;
    key.articulation = Articulation::SlurOrTie; // the key sounds for the whole length
    key.ticks = std::min<qint16>(key.ticks, 100);
    if (!m_keySound->play(brickEvents(std::span(&key, 1))))
        tellNoSound();
}

// Once a run: a user who hears nothing is told why, and not again at every click.
void ComposerWindow::tellNoSound()
{
    if (m_toldNoSound)
        return;
    m_toldNoSound = true;
    m_services.messages.show(Message::refusal(QStringLiteral("音を出せる装置が見つかりません。\n"
                                                             "WAVファイルに書き出せば、曲を聞くことができます。\n"
                                                             "（「ファイル」→「WAVファイルに書き出す」）"),
                                              QStringLiteral("再生できません")));
}

void ComposerWindow::exportWav()
{
    const std::span<const NoteRecord> notes = m_editor.state().notes();
    if (notes.empty()) {
        m_status->setText(QStringLiteral("書き出す音がありません"));
        return;
    }
    SoundRenderer renderer(toneTimeline(brickEvents(notes)));
    if (!WavFile::fits(renderer.totalSamples())) {
        m_services.messages.show(
            Message::refusal(QStringLiteral("曲が長すぎるため、WAVファイルに書き出せません。\n"
                                            "WAVファイルに入るのは約13時間半までです（この曲は%1）。")
                                 .arg(minutesAndSeconds(renderer.totalSamples() / BrickSound::SamplesPerTick)),
                             QStringLiteral("書き出せません")));
        return;
    }
    const QString path = m_services.dialogs.saveFileName(this, QStringLiteral("WAVファイルに書き出す"),
                                                         QDir::current().filePath(QStringLiteral("melody.wav")),
                                                         QStringLiteral("WAVファイル (*.wav)"));
    if (path.isEmpty())
        return;

    QProgressDialog progress(QStringLiteral("WAVファイルに書き出しています…"), QStringLiteral("キャンセル"), 0, 1000,
                             this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    const WavFile::Result result = WavFile::write(path, renderer, [&progress](qint64 written, qint64 total) {
        progress.setValue(int(written * 1000 / std::max<qint64>(total, 1)));
        return !progress.wasCanceled();
    });
    progress.reset();
    const QString name = QDir::toNativeSeparators(path);
    switch (result.status) {
    case WavFile::Result::Status::Written:
        m_status->setText(QStringLiteral("%1 に書き出しました").arg(name));
        return;
    case WavFile::Result::Status::Cancelled:
        m_status->setText(QStringLiteral("書き出しを取りやめました"));
        return;
    case WavFile::Result::Status::TooLong:
    case WavFile::Result::Status::Failed:
        break;
    }
    m_services.messages.show(
        Message::refusal(QStringLiteral("ファイル「%1」を書き込めませんでした。\n%2").arg(name, result.reason),
                         QStringLiteral("書き込みエラー")));
}

namespace {

const QString MelodyFilter = QStringLiteral("メロディファイル (*.mml);;すべてのファイル (*)");
const QString SaveQuestion = QStringLiteral("作曲中の曲を保存しますか？");

} // namespace

void ComposerWindow::recordChange(ScoreEditor::ScoreChange change)
{
    if (m_services.journal) {
        switch (change) {
        case ScoreEditor::ScoreChange::Appended:
            m_services.journal->append(m_editor.state().notes().back());
            break;
        case ScoreEditor::ScoreChange::RemovedLast:
            m_services.journal->removeLast();
            break;
        case ScoreEditor::ScoreChange::Replaced:
            m_services.journal->start(m_editor.tempo(), m_editor.state().notes());
            break;
        }
    }
    showTitle();
}

// "作曲" until the score has a melody file; then its name, and a mark while
// there are unsaved changes.
void ComposerWindow::showTitle()
{
    if (m_melodyFile.isEmpty()) {
        setWindowTitle(m_form->windowTitle());
        return;
    }
    setWindowTitle(QStringLiteral("%1 - %2%3")
                       .arg(m_form->windowTitle(), QFileInfo(m_melodyFile).fileName(),
                            hasUnsavedChanges() ? QStringLiteral(" *") : QString()));
}

bool ComposerWindow::settleUnsavedWork(bool onlyWithMelodyFile)
{
    const bool unsaved = m_editor.state().noteTotal() > 0 && (m_melodyFile.isEmpty() || hasUnsavedChanges());
    if (!unsaved || (onlyWithMelodyFile && (m_melodyFile.isEmpty() || !hasUnsavedChanges())))
        return true;
    switch (m_services.messages.show(Message::saveFirst(SaveQuestion, m_form->windowTitle()))) {
    case MessageAnswer::Save:
        return save();
    case MessageAnswer::Discard:
        return true;
    default:
        return false;
    }
}

void ComposerWindow::closeEvent(QCloseEvent *event)
{
    if (!settleUnsavedWork(false)) {
        event->ignore();
        return;
    }
    if (m_services.journal)
        m_services.journal->discard(); // the user chose to end
    QMainWindow::closeEvent(event);
}

void ComposerWindow::openFile()
{
    if (!settleUnsavedWork(false))
        return;
    const QString path
        = m_services.dialogs.openFileName(this, QStringLiteral("開く"), QDir::currentPath(), MelodyFilter);
    if (!path.isEmpty())
        openMelodyFile(path);
}

bool ComposerWindow::openMelodyFile(const QString &path)
{
    const QString name = QDir::toNativeSeparators(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_services.messages.show(Message::refusal(
            QStringLiteral("ファイル「%1」を開けませんでした。\n%2").arg(name, systemReasonText(errno)),
            QStringLiteral("開けません")));
        return false;
    }
    const MmlReadResult read = readMml(file.readAll());
    if (!read.ok()) {
        m_services.messages.show(
            Message::refusal(QStringLiteral("ファイル「%1」を読めませんでした。\n%2").arg(name, read.message()),
                             QStringLiteral("開けません")));
        return false;
    }
    loadScore(read.melody.notes, read.melody.tempo);
    m_melodyFile = QFileInfo(path).absoluteFilePath();
    m_document.undoStack().setClean();
    showTitle();
    return true;
}

void ComposerWindow::loadScore(std::span<const NoteRecord> notes, int tempo, const QString &stepName)
{
    stopPlaying();
    m_document.open(notes, tempo, stepName);
    draw();
}

bool ComposerWindow::save()
{
    return m_melodyFile.isEmpty() ? saveAs() : saveTo(m_melodyFile);
}

bool ComposerWindow::saveAs()
{
    const QString suggested
        = m_melodyFile.isEmpty() ? QDir::current().filePath(QStringLiteral("melody.mml")) : m_melodyFile;
    QString path = m_services.dialogs.saveFileName(this, QStringLiteral("名前を付けて保存"), suggested, MelodyFilter);
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".mml");
    return saveTo(path);
}

bool ComposerWindow::saveTo(const QString &path)
{
    Melody melody;
    melody.tempo = m_editor.tempo();
    const std::span<const NoteRecord> notes = m_editor.state().notes();
    melody.notes.assign(notes.begin(), notes.end());
    if (!writeUserFile(path, mmlText(melody), QStringLiteral("保存できませんでした")))
        return false;
    m_melodyFile = QFileInfo(path).absoluteFilePath();
    m_document.undoStack().setClean();
    showTitle();
    m_status->setText(QStringLiteral("%1 に保存しました").arg(QFileInfo(path).fileName()));
    return true;
}

// The program, written as the finish button writes it, without ending.
void ComposerWindow::exportNqc()
{
    if (m_editor.state().noteTotal() == 0) {
        m_status->setText(QStringLiteral("書き出す音がありません"));
        return;
    }
    const QString written = writeProgramFile(m_editor.state(), m_services.messages, m_services.files);
    if (!written.isEmpty())
        m_status->setText(QStringLiteral("%1 を書き出しました").arg(written));
}

void ComposerWindow::createEditMenu()
{
    QMenu *edit = menuBar()->addMenu(QStringLiteral("編集(&E)"));
    QUndoStack &undo = m_document.undoStack();
    m_undo = edit->addAction(QString(), &undo, &QUndoStack::undo);
    m_undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    m_redo = edit->addAction(QString(), &undo, &QUndoStack::redo);
    m_redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    // The items name what they undo and redo: 「元に戻す(U): 入力確定」.
    auto name = [](QAction *action, const QString &command, const QString &what) {
        action->setText(what.isEmpty() ? command : command + QStringLiteral(": ") + what);
    };
    auto update = [this, &undo, name] {
        name(m_undo, QStringLiteral("元に戻す(&U)"), undo.undoText());
        name(m_redo, QStringLiteral("やり直し(&R)"), undo.redoText());
        m_undo->setEnabled(undo.canUndo());
        m_redo->setEnabled(undo.canRedo());
    };
    connect(&undo, &QUndoStack::indexChanged, this, update);
    connect(&undo, &QUndoStack::cleanChanged, this, &ComposerWindow::showTitle);
    update();
    edit->addSeparator();
    m_transpose = edit->addAction(QStringLiteral("移調(&M)..."), this, &ComposerWindow::askTranspose);
    m_changeTempo = edit->addAction(QStringLiteral("テンポの変更(&P)..."), this, &ComposerWindow::askTempo);
    edit->addSeparator();
    m_showScore = edit->addAction(QStringLiteral("楽譜を表示(&V)"), this, &ComposerWindow::scoreWindowRequested);
    m_showScore->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    connect(&m_document, &ScoreDocument::scoreChanged, this, [this] {
        draw();
        showTitle();
    });
}

void ComposerWindow::askTranspose()
{
    const std::optional<QString> text = m_services.dialogs.askText(
        this, QStringLiteral("移調"), QStringLiteral("上げる半音の数（下げるときは－を付けます）:"),
        QStringLiteral("0"));
    if (!text)
        return;
    bool ok = false;
    const int semitones = text->normalized(QString::NormalizationForm_KC).trimmed().toInt(&ok);
    if (!ok || semitones < -59 || semitones > 59) {
        m_services.messages.show(Message::refusal(QStringLiteral("半音の数は－５９から５９の整数で入力してください。"),
                                                  QStringLiteral("注意")));
        return;
    }
    m_document.transpose(semitones);
}

void ComposerWindow::askTempo()
{
    const std::optional<QString> text = m_services.dialogs.askText(this, QStringLiteral("テンポの変更"),
                                                                   QStringLiteral("新しいテンポ（６０～２４０）:"),
                                                                   QString::number(m_editor.tempo()));
    if (!text)
        return;
    const std::optional<qint16> tempo = TempoReader::readTempo(*text);
    if (!tempo) {
        m_services.messages.show(
            Message::refusal(QStringLiteral("テンポは６０から２４０の間に設定してください。"), QStringLiteral("注意")));
        return;
    }
    m_document.changeTempo(*tempo);
}

void ComposerWindow::playFrom(int index)
{
    const std::span<const NoteRecord> notes = m_editor.state().notes();
    play(notes.subspan(std::min<std::size_t>(std::size_t(std::max(index, 0)), notes.size())));
}

void ComposerWindow::noteTaken()
{
    draw();
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
        const int octave = int(m_editor.selectedOctave());
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

void ComposerWindow::showKeyList()
{
    QDialog list(this);
    list.setWindowTitle(QStringLiteral("キー操作"));
    auto *layout = new QGridLayout(&list);
    int row = 0;
    for (const auto &[key, meaning] : NoteKeys::keyList()) {
        auto *keyLabel = new QLabel(key, &list);
        QFont bold = keyLabel->font();
        bold.setBold(true);
        keyLabel->setFont(bold);
        layout->addWidget(keyLabel, row, 0);
        layout->addWidget(new QLabel(meaning, &list), row, 1);
        ++row;
    }
    auto *close = new QPushButton(QStringLiteral("閉じる"), &list);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, &list, &QDialog::accept);
    layout->addWidget(close, row, 1, Qt::AlignRight);
    list.exec();
}

// The user's guide: the installed copy, or the one beside the program in a build.
QString ComposerWindow::guidePath()
{
    const QDir programFolder(QCoreApplication::applicationDirPath());
    for (const QString &candidate : {programFolder.filePath(QStringLiteral("../share/doc/zepa/Readme.txt")),
                                     programFolder.filePath(QStringLiteral("Readme.txt"))}) {
        if (QFileInfo(candidate).isFile())
            return QDir::cleanPath(candidate);
    }
    return QDir::cleanPath(programFolder.filePath(QStringLiteral("../share/doc/zepa/Readme.txt")));
}

void ComposerWindow::showGuide()
{
    const QString path = guidePath();
    if (QFileInfo(path).isFile() && m_services.dialogs.openDocument(path))
        return;
    m_services.messages.show(
        Message::refusal(QStringLiteral("使い方の説明「%1」を開けませんでした。").arg(QDir::toNativeSeparators(path)),
                         QStringLiteral("使い方")));
}
